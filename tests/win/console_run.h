// Runs a console program to its end with its output caught, for the tests under Wine.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ConsoleOutcome {
  bool started = false;
  // Why the program could not be started.
  DWORD startError = 0;
  DWORD exitCode = 0;
  std::string out;
  std::string err;
};

// Starts `program` with `arguments` (quoted as the C runtime splits them) in `directory`, all
// UTF-8 and passed on in UTF-16, with no input, and waits up to a minute for it to end.
ConsoleOutcome runConsoleProgram(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 const std::string& directory);

// The same in this process's console: its output and errors go to `screen`, an inheritable
// handle of that console's screen buffer, and are not caught; the input is still none.
ConsoleOutcome runInConsole(const std::string& program, const std::vector<std::string>& arguments,
                            const std::string& directory, HANDLE screen);
