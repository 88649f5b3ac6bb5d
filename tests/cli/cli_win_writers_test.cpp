// The Windows console program's writers' lock under Wine: held by this process through the
// program's own lock functions, abandoned by a thread that ended, and two programs at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>
#include <string>

#include "cli/file_access.h"
#include "settings/held_file.h"
#include "tests/cli/win_sandbox.h"

namespace {

std::string upperCased(std::string text) {
  CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

// Another spelling of the same file takes the same lock: the letters are folded.
TEST(WindowsWriters, ALockHeldTooLongIsAFailure) {
  WinSandbox sandbox;
  sandbox.writeFile("quenlix.ini", kLockTestFile);
  WriteLock lock{};
  FileError error{};
  ASSERT_TRUE(lockForWriting(upperCased(sandbox.path() + "\\quenlix.ini").c_str(), lock, error))
      << error.text;
  const DWORD start = GetTickCount();
  const RunOutcome held = sandbox.run({"set", "windowed=on"});
  const DWORD waitedMs = GetTickCount() - start;
  releaseWriteLock(lock);
  EXPECT_GE(waitedMs, 2900u);
  expectRefusedWhileLockedThenSet(held, sandbox);
}

DWORD WINAPI lockAndEnd(void* path) {
  WriteLock lock{};
  FileError error{};
  return lockForWriting(static_cast<const char*>(path), lock, error) ? 0 : 1;
}

// A holder that died blocks nobody: its lock is abandoned, and the next writer takes it.
TEST(WindowsWriters, ALockWhoseHolderEndedIsTaken) {
  WinSandbox sandbox;
  std::string path = sandbox.path() + "\\quenlix.ini";
  HANDLE holder = CreateThread(nullptr, 0, lockAndEnd, &path[0], 0, nullptr);
  ASSERT_NE(nullptr, holder);
  WaitForSingleObject(holder, INFINITE);
  DWORD locked = 1;
  GetExitCodeThread(holder, &locked);
  CloseHandle(holder);
  ASSERT_EQ(0u, locked);
  const RunOutcome outcome = sandbox.run({"set", "fsaa=8x"});
  EXPECT_EQ(0, outcome.exitCode) << outcome.err;
  EXPECT_EQ(canonicalSettingsFile({
                {"FSAA:", "8"}
  }),
            sandbox.readFile("quenlix.ini"));
}

struct Writer {
  WinSandbox* sandbox;
  const char* assignment;
  RunOutcome outcome;
};

DWORD WINAPI runWriter(void* context) {
  Writer& writer = *static_cast<Writer*>(context);
  writer.outcome = writer.sandbox->run({"set", writer.assignment});
  return 0;
}

// Two programs at once on different options, from the defaults: both changes land, each round.
TEST(WindowsWriters, TwoAtOnceBothChangesSurvive) {
  WinSandbox sandbox;
  const std::string both = canonicalSettingsFile({
      {"FSAA:",     "4"},
      {"WINDOWED:", "1"}
  });
  for (int round = 0; round < 10; ++round) {
    DeleteFileA((sandbox.path() + "\\quenlix.ini").c_str());
    Writer writers[2] = {
        {&sandbox, "fsaa=4x",     {}},
        {&sandbox, "windowed=on", {}}
    };
    HANDLE threads[2];
    for (int i = 0; i < 2; ++i)
      threads[i] = CreateThread(nullptr, 0, runWriter, &writers[i], 0, nullptr);
    WaitForMultipleObjects(2, threads, TRUE, INFINITE);
    for (HANDLE thread : threads) CloseHandle(thread);
    for (const Writer& writer : writers)
      EXPECT_EQ(0, writer.outcome.exitCode) << writer.outcome.err;
    EXPECT_EQ(both, sandbox.readFile("quenlix.ini")) << "round " << round;
  }
  EXPECT_EQ("quenlix.ini\n", sandbox.listing());
}

// "/?" is the help a Windows user asks for, after a command too; every line fits 80 columns.
TEST(WindowsHelp, SlashQuestionMarkGivesTheHelp) {
  WinSandbox sandbox;
  for (const std::vector<std::string>& arguments : {
           std::vector<std::string>{"/?"},
           std::vector<std::string>{   "set",        "/?"},
           std::vector<std::string>{ "show", "--json", "/?"}
  }) {
    const RunOutcome outcome = sandbox.run(arguments);
    EXPECT_EQ(0, outcome.exitCode);
    EXPECT_EQ(0u, outcome.out.find("Usage: morvane-config COMMAND ...\n")) << outcome.out;
    EXPECT_NE(std::string::npos, outcome.out.find("--help (also -h, /?)")) << outcome.out;
    // The wait for another program's hold, as long as it is.
    EXPECT_NE(std::string::npos,
              outcome.out.find("again every " + std::to_string(heldFileRetryMs) + " ms for " +
                               std::to_string(heldFileWaitMs) + " ms"))
        << outcome.out;
    EXPECT_EQ("", outcome.err);
    std::istringstream lines(outcome.out);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
  }
  EXPECT_EQ("", sandbox.listing());
}

}  // namespace
