// The Windows side of the command-line table: files through the Win32 helpers, runs under Wine.
#include "tests/cli/win_sandbox.h"

#include "tests/win/console_run.h"

namespace {

// The console program writes CR LF; the table is written with LF.
std::string withLfLineEnds(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return out;
}

}  // namespace

void WinSandbox::writeFile(const std::string& name, const std::string& bytes) {
  writeWholeFile(directory_.file(name), bytes);
}

void WinSandbox::makeDirectory(const std::string& name) {
  CreateDirectoryA(directory_.file(name).c_str(), nullptr);
}

std::string WinSandbox::readFile(const std::string& name) {
  return readWholeFile(directory_.file(name));
}

std::string WinSandbox::listing() {
  return directoryListing(directory_.path());
}

std::string configProgram() {
  char path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("MORVANE_CONFIG_PATH", path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path) : std::string(MORVANE_CONFIG_PATH);
}

bool is32BitProgram(const std::string& path) {
  DWORD type = 0;
  return GetBinaryTypeW(wideOf(path).c_str(), &type) && type == SCS_32BIT_BINARY;
}

RunOutcome WinSandbox::run(const std::vector<std::string>& arguments) {
  const std::string program = configProgram();
  const ConsoleOutcome outcome = runConsoleProgram(program, arguments, path());
  EXPECT_TRUE(outcome.started) << "cannot start " << program << ", error " << outcome.startError;
  return {static_cast<int>(outcome.exitCode), withLfLineEnds(outcome.out),
          withLfLineEnds(outcome.err)};
}
