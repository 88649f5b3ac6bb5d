// morvane-config: the settings editor's options from the command line.
#include <cstdio>

#include "cli/commands.h"

int main(int argc, char** argv) {
  const int result = runCommandLine(argc, argv);
  // Output that never arrived (a full disk, a closed pipe) must not pass for success.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("morvane-config: cannot write the output\n", stderr);
    return exitFile;
  }
  return result;
}
