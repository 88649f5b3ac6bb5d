// A console program started with its standard streams in temporary files.
#include "tests/win/console_run.h"

#include "tests/win/test_support.h"

namespace {

constexpr DWORD kConsolePatienceMs = 60000;

// One argument as the C runtime's parser reads it back: quotes around, a quote and the
// backslashes before it escaped.
std::string quoted(const std::string& argument) {
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
    } else {
      if (c == '"') out.append(backslashes + 1, '\\');
      backslashes = 0;
    }
    out += c;
  }
  out.append(backslashes, '\\');
  return out + "\"";
}

// A temporary file the child can inherit as one of its streams.
class StreamFile {
 public:
  StreamFile() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    char path[MAX_PATH] = {};
    GetTempFileNameA(base, "cio", 0, path);
    path_ = path;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    handle_ = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  ~StreamFile() {
    CloseHandle(handle_);
    DeleteFileA(path_.c_str());
  }
  StreamFile(const StreamFile&) = delete;
  StreamFile& operator=(const StreamFile&) = delete;

  HANDLE handle() const { return handle_; }

  // Read through the handle the child wrote through; another open would clash with its sharing.
  std::string contents() const {
    std::string bytes;
    SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(handle_, buffer, sizeof buffer, &got, nullptr) && got > 0)
      bytes.append(buffer, got);
    return bytes;
  }

 private:
  std::string path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

namespace {

std::wstring commandLineOf(const std::string& program, const std::vector<std::string>& arguments) {
  std::string commandLine = quoted(program);
  for (const std::string& argument : arguments) commandLine += " " + quoted(argument);
  return wideOf(commandLine);
}

// Starts the program with these streams and waits for its end; false when it cannot start.
bool runWithStreams(const std::string& program, const std::vector<std::string>& arguments,
                    const std::string& directory, HANDLE in, HANDLE out, HANDLE err,
                    DWORD creationFlags, ConsoleOutcome& outcome) {
  std::wstring commandLine = commandLineOf(program, arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  outcome.started = CreateProcessW(wideOf(program).c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                                   creationFlags, nullptr, wideOf(directory).c_str(), &startup,
                                   &process) != FALSE;
  if (!outcome.started) {
    outcome.startError = GetLastError();
    return false;
  }
  if (WaitForSingleObject(process.hProcess, kConsolePatienceMs) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 255);
  GetExitCodeProcess(process.hProcess, &outcome.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

ConsoleOutcome runConsoleProgram(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 const std::string& directory) {
  StreamFile in, out, err;
  ConsoleOutcome outcome;
  if (!runWithStreams(program, arguments, directory, in.handle(), out.handle(), err.handle(),
                      CREATE_NO_WINDOW, outcome))
    return outcome;
  outcome.out = out.contents();
  outcome.err = err.contents();
  return outcome;
}

ConsoleOutcome runInConsole(const std::string& program, const std::vector<std::string>& arguments,
                            const std::string& directory, HANDLE screen) {
  StreamFile in;
  ConsoleOutcome outcome;
  runWithStreams(program, arguments, directory, in.handle(), screen, screen, 0, outcome);
  return outcome;
}
