// morvane-config writers at once and writers interrupted: real binaries on real files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "tests/cli/posix_sandbox.h"
#include "tests/common/expected_file.h"

namespace {

// Starts morvane-config with its output thrown away; the caller waits for it.
pid_t startConfig(const std::vector<std::string>& arguments) {
  std::vector<std::string> all{MORVANE_CONFIG_PATH};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : all) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = -1;
  if (posix_spawn(&child, MORVANE_CONFIG_PATH, &actions, nullptr, argv.data(), environ) != 0)
    child = -1;
  posix_spawn_file_actions_destroy(&actions);
  return child;
}

int waitFor(pid_t child) {
  int status = 0;
  return waitpid(child, &status, 0) == child ? status : -1;
}

// Two writers of different options at once, from the defaults: each one's change lands on top
// of the other's, in every round.
TEST(Writers, TwoAtOnceBothChangesSurvive) {
  PosixSandbox sandbox;
  const std::string file = sandbox.pathOf("quenlix.ini");
  const std::string both = canonicalSettingsFile({
      {"FSAA:",     "4"},
      {"WINDOWED:", "1"}
  });
  int lost = 0;
  for (int round = 0; round < 200; ++round) {
    unlink(file.c_str());
    const pid_t first = startConfig({"set", "--file", file, "fsaa=4x"});
    const pid_t second = startConfig({"set", "--file", file, "windowed=on"});
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    const int firstStatus = waitFor(first);
    const int secondStatus = waitFor(second);
    ASSERT_TRUE(WIFEXITED(firstStatus) && WEXITSTATUS(firstStatus) == 0) << "round " << round;
    ASSERT_TRUE(WIFEXITED(secondStatus) && WEXITSTATUS(secondStatus) == 0) << "round " << round;
    if (sandbox.readFile("quenlix.ini") != both) ++lost;
  }
  EXPECT_EQ(0, lost) << "rounds in which a change was lost, of 200";
  EXPECT_EQ("quenlix.ini\n", sandbox.listing());
}

// A writer that holds the lock keeps the next one out for a few seconds, then it gives up
// with exit 3 and leaves the file alone.
TEST(Writers, ALockHeldTooLongIsAFailure) {
  PosixSandbox sandbox;
  sandbox.writeFile("quenlix.ini", kLockTestFile);
  const int directory = open(sandbox.path().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(0, flock(directory, LOCK_EX));
  const auto start = std::chrono::steady_clock::now();
  const RunOutcome outcome = sandbox.run({"set", "windowed=on"});
  const auto waited = std::chrono::steady_clock::now() - start;
  close(directory);
  EXPECT_GE(waited, std::chrono::milliseconds(2900));
  EXPECT_LE(waited, std::chrono::seconds(10));
  expectRefusedWhileLockedThenSet(outcome, sandbox);
}

// What a killed writer left is removed by the next writer, and only by a writer.
TEST(Writers, TheNextWriterRemovesADeadWritersTemporaryFile) {
  PosixSandbox sandbox;
  sandbox.writeFile("quenlix.ini", "FSAA:2\r\n");
  sandbox.writeFile(".morvane-config.tmp", "MEM:0");
  EXPECT_EQ(0, sandbox.run({"show"}).exitCode);
  EXPECT_EQ(".morvane-config.tmp\nquenlix.ini\n", sandbox.listing());
  EXPECT_EQ(0, sandbox.run({"reset"}).exitCode);
  EXPECT_EQ("quenlix.ini\n", sandbox.listing());
  EXPECT_EQ(canonicalSettingsFile(), sandbox.readFile("quenlix.ini"));
}

void sleepMicroseconds(long microseconds) {
  timespec pause{microseconds / 1000000, (microseconds % 1000000) * 1000};
  nanosleep(&pause, nullptr);
}

// Each signal at random moments of a set: the file is always the old one or the new one,
// whole; SIGINT, SIGTERM and SIGHUP leave nothing else, and end the process as they would
// have; after a SIGKILL the next writer leaves nothing else.
TEST(Writers, InterruptedAtAnyMomentTheFileIsWholeAndNothingStays) {
  PosixSandbox sandbox;
  const std::string file = sandbox.pathOf("quenlix.ini");
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(0, sandbox.run({"set", "texture-memory=8"}).exitCode);
  const long runMicroseconds =
      static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count());
  std::mt19937 random(20261211);
  for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) {
    for (int round = 0; round < 50; ++round) {
      const int oldMb = 8 + round % 50;
      const int newMb = 60 + round % 40;
      const std::string oldBytes = canonicalSettingsFile({
          {"MEM:", std::to_string(1000 + oldMb).substr(1)}
      });
      const std::string newBytes = canonicalSettingsFile({
          {"MEM:", std::to_string(1000 + newMb).substr(1)}
      });
      sandbox.writeFile("quenlix.ini", oldBytes);
      const pid_t writer =
          startConfig({"set", "--file", file, "texture-memory=" + std::to_string(newMb)});
      ASSERT_GT(writer, 0);
      sleepMicroseconds(
          static_cast<long>(random() % static_cast<unsigned long>(runMicroseconds + 1)));
      kill(writer, signalNumber);
      const int status = waitFor(writer);
      SCOPED_TRACE("signal " + std::to_string(signalNumber) + ", round " + std::to_string(round));
      const std::string bytes = sandbox.readFile("quenlix.ini");
      EXPECT_TRUE(bytes == oldBytes || bytes == newBytes) << bytes;
      const bool finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
      EXPECT_TRUE(finished || (WIFSIGNALED(status) && WTERMSIG(status) == signalNumber));
      if (signalNumber != SIGKILL) {
        EXPECT_EQ("quenlix.ini\n", sandbox.listing());
      }
      ASSERT_EQ(0, sandbox.run({"set", "fsaa=2x"}).exitCode);
      EXPECT_EQ("quenlix.ini\n", sandbox.listing());
    }
  }
}

}  // namespace
