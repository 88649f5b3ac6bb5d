// morvane-config: the settings editor's options from the command line.
#include <cstdio>

#include "cli/commands.h"
#ifdef _WIN32
#include "cli/console_win.h"
#endif

namespace {

// Output that never arrived (a full disk, a closed pipe) must not pass for success.
int withOutputChecked(int result) {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("morvane-config: cannot write the output\n", stderr);
    return exitFile;
  }
  return result;
}

}  // namespace

#ifdef _WIN32
// Wide (MinGW's -municode start-up), so arguments beyond the ANSI code page arrive whole.
int wmain(int argc, wchar_t** argv) {
  char** arguments = utf8Arguments(argc, argv);
  if (arguments == nullptr) return exitFile;
  writeConsoleOutputAsUtf16();
  // Started from Explorer there is nobody to type a command, and the window would close at
  // once: a short screen says what the program is and what to do, and stays until a key is
  // pressed.
  const bool startedAlone = argc < 2 && ownsItsConsole();
  const int result =
      withOutputChecked(startedAlone ? runIntroduction() : runCommandLine(argc, arguments));
  finishConsoleOutput();
  if (startedAlone) waitForAKey();
  return result;
}
#else
int main(int argc, char** argv) {
  return withOutputChecked(runCommandLine(argc, argv));
}
#endif
