// The commands of morvane-config: show, set, reset, check, --help and --version.
#pragma once

// Exit codes: 0 done; 1 the file is not as Save writes it (check found changes, or show and
// check found no file at all); 2 a bad command line; 3 the file could not be read or written.
enum ExitCode : int { exitDone = 0, exitNotAsSaved = 1, exitUsage = 2, exitFile = 3 };

// Runs the command that argv names; everything goes to stdout and stderr.
int runCommandLine(int argc, char** argv);

#ifdef _WIN32
// What a start from Explorer shows instead of the whole help: what the program is, that the
// settings window is morvane-settings.exe, the commands, and how to see the whole help.
int runIntroduction();
#endif
