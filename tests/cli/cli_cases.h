// The table of morvane-config command lines and what each must do, run by the host binary's
// tests and by the Windows program's tests under Wine.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// What one run of the program gave back.
struct RunOutcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// A fresh directory that the program runs in, as its working directory; each platform has its
// own. File names are relative to the directory.
class Sandbox {
 public:
  virtual ~Sandbox() = default;
  virtual void writeFile(const std::string& name, const std::string& bytes) = 0;
  virtual void makeDirectory(const std::string& name) = 0;
  // The file's bytes, or "<missing>".
  virtual std::string readFile(const std::string& name) = 0;
  // Names of the entries, sorted, one a line.
  virtual std::string listing() = 0;
  // Runs morvane-config with these arguments and waits for it. Standard output comes back with
  // LF line ends whatever the platform writes.
  virtual RunOutcome run(const std::vector<std::string>& arguments) = 0;
};

// How a run's expected lines meet standard output: each among the lines (in a line, runs of
// blanks counting as one); the whole output, spaces and all; or show's listing: one line per
// setting, the values in one column, the expected lines among them in their order.
enum class Out { among, whole, listing };

// One run and what it must give: the exit code, the lines standard output must hold and a
// text that the one line on stderr must hold ("" for no line at all).
struct Run {
  std::vector<std::string> arguments;
  int exitCode;
  std::vector<std::string> outLines;
  std::string errText;
  Out out = Out::among;
};

// An entry of the directory: a file and its bytes, or a directory.
struct Entry {
  std::string name;
  std::string bytes;
  bool directory = false;
};

// The directory before, the runs in order, the directory after: the same names, a file's bytes
// as given. Nothing else may be left, no temporary file above all.
struct CliCase {
  std::string name;
  std::vector<Entry> before;
  std::vector<Run> runs;
  std::vector<Entry> after;
};

inline void PrintTo(const CliCase& c, std::ostream* out) {
  *out << c.name;
}

// The refresh rates the program under test takes as offered: on the host every one a file
// holds, with no display to ask; on Windows those of the display it finds.
struct OfferedDisplay {
  bool probed;
  int32_t refreshSteps;
};

// The cases: every name with a good and a bad value, round trips through show, the usage errors,
// check on canonical and other files, reset, a directory in the file's place. `ownCode` keeps
// the rows that reach a platform's own code (file access, links, locks, messages, exit codes,
// the display's rates) and one good and one bad value: the value rules are shared code, which
// the host runs row by row.
enum class CaseSet { everything, ownCode };
std::vector<CliCase> cliCases(const OfferedDisplay& display, CaseSet set);

// quenlix.ini as a lock test finds it, and what `set windowed=on` must do while another writer
// holds the lock: exit 3 with the message, the file as it was; once the lock is free, the same
// set goes through.
inline constexpr char kLockTestFile[] = "FSAA:2\r\n";
void expectRefusedWhileLockedThenSet(const RunOutcome& held, Sandbox& sandbox);

// Runs the case in the sandbox and checks every expectation.
void runCliCase(const CliCase& c, Sandbox& sandbox);

// The case's name as GoogleTest takes it.
std::string cliCaseName(const testing::TestParamInfo<CliCase>& testCase);
