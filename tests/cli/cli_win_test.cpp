// The Windows console program runs the rows of the host's table of command lines that reach its
// own code, under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "settings/settings.h"
#include "settings/display_modes_win.h"
#include "tests/cli/cli_cases.h"
#include "tests/cli/win_sandbox.h"
#include "tests/common/expected_file.h"
#include "tests/win/console_run.h"
#include "tests/win/test_support.h"

namespace {

class WindowsCommandLines : public testing::TestWithParam<CliCase> {};

TEST_P(WindowsCommandLines, GiveTheirOutputExitCodeAndBytes) {
  WinSandbox sandbox;
  runCliCase(GetParam(), sandbox);
}

// The console program asks the display for its rates as the editor does; so does the table.
OfferedDisplay probedDisplay() {
  return OfferedDisplay{true, displayRefreshSteps()};
}

INSTANTIATE_TEST_SUITE_P(Cli, WindowsCommandLines,
                         testing::ValuesIn(cliCases(probedDisplay(), CaseSet::ownCode)),
                         cliCaseName);

// A folder the ANSI code page cannot spell, named on the command line and as the working
// directory; messages name it in UTF-8, the bytes of redirected output.
class CommandsInAForeignFolder : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ansiCodePageCannotSpell(GetParam())) << "code page " << GetACP();
    ASSERT_NE(std::string::npos, folder.path().find(GetParam())) << folder.path();
  }
  ConsoleOutcome run(const std::vector<std::string>& arguments, const std::string& directory) {
    return runConsoleProgram(configProgram(), arguments, directory);
  }
  TemporaryDirectory folder{GetParam()};
  const std::string file = folder.file("quenlix.ini");
};

TEST_P(CommandsInAForeignFolder, SetWritesTheFileThere) {
  const ConsoleOutcome set = run({"set", "texture-memory=64", "texture-mass=on"}, folder.path());
  EXPECT_EQ("", set.err);
  EXPECT_EQ(0u, set.exitCode);
  const std::string expected = canonicalSettingsFile({
      {"MEM:",   "064"},
      {"STATS:", "1"  }
  });
  EXPECT_EQ(expected, readWholeFile(file));
  EXPECT_EQ("quenlix.ini\n", directoryListing(folder.path()));

  const ConsoleOutcome check = run({"check", file}, "C:\\");
  EXPECT_EQ(0u, check.exitCode) << check.err;
  EXPECT_EQ(file + ": as Save writes it\r\n", check.out);
}

TEST_P(CommandsInAForeignFolder, AFailureNamesThePathInUtf8) {
  writeWholeFile(file, "MEM:050\r\n");
  ASSERT_TRUE(SetFileAttributesW(wideOf(file).c_str(), FILE_ATTRIBUTE_READONLY));
  const ConsoleOutcome set = run({"set", "--file", file, "texture-mass=on"}, "C:\\");
  SetFileAttributesW(wideOf(file).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(3u, set.exitCode);
  EXPECT_EQ("morvane-config: " + file + ": read-only file; untick Read-only in its Properties\r\n",
            set.err);
  EXPECT_EQ("MEM:050\r\n", readWholeFile(file));
}

INSTANTIATE_TEST_SUITE_P(Cyrillic, CommandsInAForeignFolder,
                         testing::Values(foreignFolderNames[0]));
INSTANTIATE_TEST_SUITE_P(Japanese, CommandsInAForeignFolder,
                         testing::Values(foreignFolderNames[1]));

// A read-only file is named as such, with what to do, by every command that would replace it,
// and is left as it was.
TEST(WindowsFileRefusals, AReadOnlyFileIsNamedWithWhatToDo) {
  WinSandbox sandbox;
  sandbox.writeFile("quenlix.ini", "MEM:050\r\n");
  const std::string file = sandbox.path() + "\\quenlix.ini";
  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  for (const std::vector<std::string>& arguments : {
           std::vector<std::string>{"set", "fsaa=4x"},
           std::vector<std::string>{"reset"    }
  }) {
    const RunOutcome outcome = sandbox.run(arguments);
    EXPECT_EQ(3, outcome.exitCode) << arguments[0];
    EXPECT_EQ("morvane-config: quenlix.ini: read-only file; untick Read-only in its Properties\n",
              outcome.err);
  }
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ("MEM:050\r\n", sandbox.readFile("quenlix.ini"));
  EXPECT_EQ("quenlix.ini\n", sandbox.listing());
}

// A hold that ends while the program waits for it: the program starts while the file is held
// and the hold ends 700 ms later, longer than the program used to wait in all and well within
// its wait now. (A program that takes longer to start, as under an emulator, meets no hold.)
TEST(WindowsHeldFiles, ABriefHoldIsWaitedOut) {
  const std::vector<std::string> commands[] = {
      {"set", "windowed=on"},
      {"show"    },
  };
  for (const std::vector<std::string>& arguments : commands) {
    SCOPED_TRACE(arguments[0]);
    WinSandbox sandbox;
    sandbox.writeFile("quenlix.ini", "MEM:050\r\n");
    const HANDLE held = holdFile(sandbox.path() + "\\quenlix.ini");
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    RunOutcome outcome;
    {
      const ReleaseLater release(held, 700);
      ASSERT_TRUE(release.started());
      outcome = sandbox.run(arguments);
    }
    EXPECT_EQ(0, outcome.exitCode) << outcome.err;
    EXPECT_EQ("", outcome.err);
    const std::string expected = arguments[0] == "set" ? canonicalSettingsFile({
                                                             {"MEM:",      "050"},
                                                             {"WINDOWED:", "1"  }
    })
                                                       : "MEM:050\r\n";
    EXPECT_EQ(expected, sandbox.readFile("quenlix.ini"));
  }
}

// The system's text as the program prints it: one line, without the full stop.
std::string reasonAsPrinted(DWORD error) {
  std::string text = systemText(error);
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

// A game's hold lasts: the program gives up with the file's name and the reason, and the file
// keeps its bytes. The wait has an end: one second, and five more than a run of the program
// without a hold takes leave room for a loaded machine.
TEST(WindowsHeldFiles, AHoldThatLastsFailsWithTheFileAndTheReason) {
  WinSandbox sandbox;
  sandbox.writeFile("quenlix.ini", "MEM:050\r\n");
  ULONGLONG start = GetTickCount64();
  ASSERT_EQ(0, sandbox.run({"show"}).exitCode);
  const ULONGLONG freeRunMs = GetTickCount64() - start;
  HANDLE held = holdFile(sandbox.path() + "\\quenlix.ini");
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  start = GetTickCount64();
  const RunOutcome outcome = sandbox.run({"set", "windowed=on"});
  const ULONGLONG heldRunMs = GetTickCount64() - start;
  CloseHandle(held);
  EXPECT_EQ(3, outcome.exitCode);
  EXPECT_EQ("morvane-config: quenlix.ini: cannot read it: " +
                reasonAsPrinted(ERROR_SHARING_VIOLATION) + "\n",
            outcome.err);
  EXPECT_LT(heldRunMs, freeRunMs + 5000);
  EXPECT_EQ("MEM:050\r\n", sandbox.readFile("quenlix.ini"));
  EXPECT_EQ("quenlix.ini\n", sandbox.listing()) << "no temporary file may be left";
}

// Every character cell of a console's screen, row after row, as UTF-8.
std::string consoleText(HANDLE screen) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!GetConsoleScreenBufferInfo(screen, &info)) return "<no console>";
  const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
  std::wstring text(cells, L' ');
  DWORD read = 0;
  ReadConsoleOutputCharacterW(screen, &text[0], cells, COORD{0, 0}, &read);
  text.resize(read);
  return utf8Of(text);
}

// A console of this test's own, shared with the program and read back once it has ended.
class OwnConsole {
 public:
  OwnConsole() {
    FreeConsole();
    if (!AllocConsole()) return;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    screen_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  }
  ~OwnConsole() {
    if (screen_ != INVALID_HANDLE_VALUE) CloseHandle(screen_);
    FreeConsole();
  }
  OwnConsole(const OwnConsole&) = delete;
  OwnConsole& operator=(const OwnConsole&) = delete;

  HANDLE screen() const { return screen_; }
  std::string shown() const { return consoleText(screen_); }

 private:
  HANDLE screen_ = INVALID_HANDLE_VALUE;
};

// A console shows bytes in its own code page; the program writes UTF-16 there, so a path in
// any script shows as typed, in the output and in an error.
TEST(ConsoleOutput, APathBeyondTheCodePageShowsAsTyped) {
  ASSERT_TRUE(ansiCodePageCannotSpell(foreignFolderNames[0])) << "code page " << GetACP();
  TemporaryDirectory folder(foreignFolderNames[0]);
  const std::string file = folder.file("quenlix.ini");
  OwnConsole console;
  ASSERT_NE(INVALID_HANDLE_VALUE, console.screen());

  const ConsoleOutcome check =
      runInConsole(configProgram(), {"check", file}, "C:\\", console.screen());
  ASSERT_TRUE(check.started) << check.startError;
  EXPECT_EQ(1u, check.exitCode);
  const ConsoleOutcome show =
      runInConsole(configProgram(), {"show", folder.path()}, "C:\\", console.screen());
  EXPECT_EQ(3u, show.exitCode);

  const std::string shown = console.shown();
  EXPECT_NE(std::string::npos, shown.find(file + ": no such file; Save would write the defaults"))
      << shown;
  EXPECT_NE(std::string::npos, shown.find("morvane-config: " + folder.path() + ": cannot read it"))
      << shown;
}

size_t consoleWidth(HANDLE screen) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  return GetConsoleScreenBufferInfo(screen, &info) ? static_cast<size_t>(info.dwSize.X) : 0;
}

// The screen's rows from the top to the last one with text, each without its trailing blanks.
std::vector<std::string> consoleRows(HANDLE screen) {
  const std::string text = consoleText(screen);
  const size_t width = consoleWidth(screen);
  std::vector<std::string> rows;
  for (size_t at = 0; width > 0 && at < text.size(); at += width) {
    std::string row = text.substr(at, width);
    row.erase(row.find_last_not_of(' ') + 1);
    rows.push_back(row);
  }
  while (!rows.empty() && rows.back().empty()) rows.pop_back();
  return rows;
}

// How many rows the screen fills down to the one that holds `text`.
size_t rowsUpTo(const std::vector<std::string>& rows, const std::string& text) {
  for (size_t row = 0; row < rows.size(); ++row)
    if (rows[row].find(text) != std::string::npos) return row + 1;
  return rows.size() + 1;
}

// Polls until `done` or about ten seconds have passed.
template <typename Condition>
bool soon(Condition done) {
  for (int round = 0; round < 100; ++round) {
    if (done()) return true;
    Sleep(100);
  }
  return done();
}

// A key press and its release, as the console's input queue holds them.
void pressSpaceIn(HANDLE input) {
  INPUT_RECORD records[2] = {};
  for (int i = 0; i < 2; ++i) {
    records[i].EventType = KEY_EVENT;
    records[i].Event.KeyEvent.bKeyDown = i == 0;
    records[i].Event.KeyEvent.wRepeatCount = 1;
    records[i].Event.KeyEvent.wVirtualKeyCode = VK_SPACE;
    records[i].Event.KeyEvent.uChar.UnicodeChar = L' ';
  }
  DWORD written = 0;
  WriteConsoleInputW(input, records, 2, &written);
}

// Started from Explorer the program has a console of its own and no arguments: it says what it
// is there and keeps the window until a key is pressed, instead of vanishing at once.
TEST(ConsoleOfItsOwn, SaysWhatItIsAndWaitsForAKey) {
  const std::string program = configProgram();
  // Seen only there: the 32-bit program, waiting on its own console under QEMU's user-mode
  // emulation, ends in a fault in Wine's client; the 64-bit program runs the same code.
  if (is32BitProgram(program) && GetEnvironmentVariableA("MORVANE_I386_EMULATED", nullptr, 0) > 0)
    GTEST_SKIP() << "32-bit programs run under QEMU's user-mode emulation here";
  std::wstring commandLine = wideOf("\"" + program + "\"");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(wideOf(program).c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                             CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &process))
      << GetLastError();
  // The program looks at its console once, as it starts; attached before that, this test would
  // count as a second process on it. A 32-bit program may run under an emulator, slowly.
  const DWORD startingMs = is32BitProgram(program) ? 15000 : 3000;
  const DWORD beforeTheKey = WaitForSingleObject(process.hProcess, startingMs);
  FreeConsole();
  const bool attached = soon([&] { return AttachConsole(process.dwProcessId) != FALSE; });
  HANDLE screen =
      CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE input =
      CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  const auto shown = [&] { return consoleText(screen); };
  const bool prompted =
      attached &&
      soon([&] { return shown().find("Press a key to close this window.") != std::string::npos; });
  const std::string screenText = shown();
  const std::vector<std::string> screenRows = consoleRows(screen);
  const size_t screenWidth = consoleWidth(screen);
  pressSpaceIn(input);
  const DWORD afterTheKey = WaitForSingleObject(process.hProcess, 10000);
  if (afterTheKey != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 255);
  DWORD exitCode = 255;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(screen);
  CloseHandle(input);
  FreeConsole();
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  EXPECT_EQ(DWORD{WAIT_TIMEOUT}, beforeTheKey) << "the window closed without a key";
  ASSERT_TRUE(attached) << "no console to read";
  EXPECT_TRUE(prompted) << screenText;
  // A short screen, not the whole help: what the program is, the window it goes with, the
  // commands, where the whole help is.
  for (const char* said : {"sets the options of the Morvane graphics layer", "morvane-settings.exe",
                           "morvane-config set NAME=VALUE", "morvane-config --help lists"})
    EXPECT_NE(std::string::npos, screenText.find(said)) << said << " in:\n" << screenText;
  EXPECT_EQ(std::string::npos, screenText.find("Usage: morvane-config COMMAND")) << screenText;
  EXPECT_LE(rowsUpTo(screenRows, "Press a key to close this window."), 15u) << screenText;
  for (const std::string& row : screenRows)
    EXPECT_LT(row.size(), screenWidth) << "a line ran past the edge: " << row;
  EXPECT_EQ(DWORD{WAIT_OBJECT_0}, afterTheKey) << "a key did not close it";
  EXPECT_EQ(0u, exitCode);
}

}  // namespace
