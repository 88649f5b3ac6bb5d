// The commands of morvane-config: show, set, reset, check, --help and --version.
#pragma once

// Exit codes: 0 done, 1 check found that Save would change the file or show and check found
// no file, 2 a bad command line, 3 the file could not be read or written.
enum ExitCode : int {
  exitDone = 0,
  exitWouldChange = 1,
  exitMissing = exitWouldChange,
  exitUsage = 2,
  exitFile = 3
};

// Runs the command that argv names; everything goes to stdout and stderr.
int runCommandLine(int argc, char** argv);
