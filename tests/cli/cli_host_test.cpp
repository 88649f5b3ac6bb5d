// The host's morvane-config run on real files: the shared table, JSON read back by a parser,
// and the file system's refusals (read-only file and directory, full disk, links, modes).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <limits.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <ios>
#include <iterator>
#include <sstream>
#include <string>

#include "cli/file_access.h"
#include "cli/option_names.h"
#include "settings/refresh_rates.h"
#include "tests/cli/cli_cases.h"
#include "tests/cli/posix_sandbox.h"
#include "tests/common/expected_file.h"

namespace {

const std::string kHandWritten = "MEM:050\r\nSTATS:1\r\n";

class CommandLines : public testing::TestWithParam<CliCase> {};

TEST_P(CommandLines, GiveTheirOutputExitCodeAndBytes) {
  PosixSandbox sandbox;
  ASSERT_FALSE(sandbox.path().empty());
  runCliCase(GetParam(), sandbox);
}

// No display to ask: every rate the file holds counts as offered.
INSTANTIATE_TEST_SUITE_P(Cli, CommandLines,
                         testing::ValuesIn(cliCases(OfferedDisplay{false, highestStoredRefreshStep},
                                                    CaseSet::everything)),
                         cliCaseName);

// `show --json FILE` read back by Python's JSON parser, which prints each name with what
// `describe` (a Python expression over `value`) makes of its value, one a line. A failed show
// or parse answers its exit code and stderr.
RunOutcome showJsonReadByPython(PosixSandbox& sandbox, const char* file, const char* describe) {
  const std::string json = sandbox.pathOf("show.json");
  const RunOutcome shown =
      runProgram(MORVANE_CONFIG_PATH, {"show", "--json", file}, sandbox.path(), "", json);
  if (shown.exitCode != 0) return shown;
  return runProgram("/usr/bin/env",
                    {"python3", "-c",
                     std::string("import json, sys\n"
                                 "for name, value in json.load(sys.stdin).items():\n"
                                 "    print(name, ") +
                         describe + ")\n"},
                    sandbox.path(), json);
}

// Every value is read back with its type: on/off as booleans, numbers as numbers.
TEST(ShowJson, IsReadBackByAJsonParser) {
  PosixSandbox sandbox;
  sandbox.writeFile("quenlix.ini",
                    "MEM:097\r\nFPS:3\r\nUHRZEIT:2\r\nANZEIGEFOLGE:4\r\nFSAA:8\r\nREFRESH:27\r\n"
                    "WINDOWED:1\r\nSPRACHE:1\r\nGL_EXT_packed_pixels:0\r\n");
  const RunOutcome parsed = showJsonReadByPython(sandbox, "quenlix.ini", "json.dumps(value)");
  ASSERT_EQ(0, parsed.exitCode) << parsed.err;
  // One key per setting, these among them in this order.
  const std::string expected[] = {
      "info-corner \"lower-left\"",
      "display-order \"clock,texture-mass,framerate\"",
      "framerate true",
      "clock \"small-analogue\"",
      "texture-mass false",
      "texture-memory 97",
      "paletted-texture true",
      "shared-texture-palette true",
      "packed-pixels false",
      "directx-videos false",
      "texture-videos true",
      "fixed-gamma false",
      "refresh \"190\"",
      "windowed true",
      "centred false",
      "capture-mouse false",
      "window-extras false",
      "desktop-resolution false",
      "fsaa \"8x\"",
      "language \"en\"",
  };
  std::istringstream lines(parsed.out);
  size_t keys = 0;
  size_t found = 0;
  for (std::string line; std::getline(lines, line); ++keys)
    if (found < std::size(expected) && line == expected[found]) ++found;
  EXPECT_EQ(canonicalLineCount(), keys) << parsed.out;
  EXPECT_EQ(std::size(expected), found)
      << "missing or out of order: " << (found < std::size(expected) ? expected[found] : "") << "\n"
      << parsed.out;
}

// A typed reader meets one JSON type per option, whatever the value: the defaults ("auto" for
// the refresh rate) and a file with every value off them give the same types.
TEST(ShowJson, EveryOptionKeepsOneType) {
  PosixSandbox sandbox;
  sandbox.writeFile("defaults.ini", "");
  sandbox.writeFile("changed.ini",
                    "MEM:097\r\nFPS:3\r\nUHRZEIT:2\r\nANZEIGEFOLGE:4\r\nFSAA:8\r\nREFRESH:27\r\n"
                    "WINDOWED:1\r\nSPRACHE:1\r\nGL_EXT_packed_pixels:0\r\n");
  std::string types[2];
  const char* const files[2] = {"defaults.ini", "changed.ini"};
  for (int i = 0; i < 2; ++i) {
    const RunOutcome parsed = showJsonReadByPython(sandbox, files[i], "type(value).__name__");
    ASSERT_EQ(0, parsed.exitCode) << parsed.err;
    types[i] = parsed.out;
  }
  EXPECT_EQ(types[0], types[1]);
  EXPECT_NE(std::string::npos, types[0].find("refresh str\n")) << types[0];
}

mode_t regularFile(mode_t permissions) {
  return S_IFREG | permissions;
}

mode_t modeOf(const std::string& path) {
  struct stat status {};
  lstat(path.c_str(), &status);
  return status.st_mode;
}

TEST(FileModes, TheOldPermissionBitsStay) {
  for (const mode_t mode : {0600, 0640, 0604, 0755}) {
    PosixSandbox sandbox;
    sandbox.writeFile("quenlix.ini", kHandWritten);
    chmod(sandbox.pathOf("quenlix.ini").c_str(), mode);
    EXPECT_EQ(0, sandbox.run({"set", "fsaa=4x"}).exitCode);
    EXPECT_EQ(regularFile(mode), modeOf(sandbox.pathOf("quenlix.ini"))) << std::oct << mode;
  }
}

TEST(FileModes, ANewFileGetsWhatTheUmaskAllows) {
  PosixSandbox sandbox;
  const mode_t previous = umask(027);
  const int exitCode = sandbox.run({"reset"}).exitCode;
  umask(previous);
  EXPECT_EQ(0, exitCode);
  EXPECT_EQ(regularFile(0640), modeOf(sandbox.pathOf("quenlix.ini")));
}

// What must hold whenever the file cannot be replaced.
void expectRefused(PosixSandbox& sandbox, const std::string& directory,
                   const std::vector<std::string>& arguments, const std::string& problem) {
  const std::string before = sandbox.readFile(directory + "/quenlix.ini");
  const std::string listingBefore = sandbox.listing(directory);
  const RunOutcome outcome = sandbox.run(arguments);
  EXPECT_EQ(3, outcome.exitCode);
  EXPECT_NE(std::string::npos, outcome.err.find(problem)) << outcome.err;
  EXPECT_EQ(1, std::count(outcome.err.begin(), outcome.err.end(), '\n')) << outcome.err;
  EXPECT_EQ(before, sandbox.readFile(directory + "/quenlix.ini"));
  EXPECT_EQ(listingBefore, sandbox.listing(directory)) << "no temporary file may be left";
}

// Root could write it; the editor leaves it alone all the same. The message says what it is
// and what to do.
TEST(FileRefusals, ReadOnlyFile) {
  PosixSandbox sandbox;
  sandbox.makeDirectory("d");
  sandbox.writeFile("d/quenlix.ini", kHandWritten);
  chmod(sandbox.pathOf("d/quenlix.ini").c_str(), 0444);
  const std::string named = "d/quenlix.ini: read-only file; make it writable with chmod u+w\n";
  expectRefused(sandbox, "d", {"set", "--file", "d/quenlix.ini", "fsaa=4x"}, named);
  expectRefused(sandbox, "d", {"reset", "d/quenlix.ini"}, named);
  EXPECT_EQ(regularFile(0444), modeOf(sandbox.pathOf("d/quenlix.ini")));
}

// Root writes into any directory but an immutable one.
bool makeUnwritable(const std::string& directory, bool unwritable) {
  if (geteuid() != 0) return chmod(directory.c_str(), unwritable ? 0555 : 0755) == 0;
  const int file = open(directory.c_str(), O_RDONLY | O_DIRECTORY);
  if (file < 0) return false;
  int flags = 0;
  bool done = ioctl(file, FS_IOC_GETFLAGS, &flags) == 0;
  flags = unwritable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
  done = done && ioctl(file, FS_IOC_SETFLAGS, &flags) == 0;
  close(file);
  return done;
}

TEST(FileRefusals, ReadOnlyDirectory) {
  PosixSandbox sandbox;
  sandbox.makeDirectory("d");
  sandbox.writeFile("d/quenlix.ini", kHandWritten);
  if (!makeUnwritable(sandbox.pathOf("d"), true))
    GTEST_SKIP() << "this file system cannot make a directory unwritable: " << std::strerror(errno);
  expectRefused(sandbox, "d", {"set", "--file", "d/quenlix.ini", "fsaa=4x", "windowed=on"},
                "d/quenlix.ini: ");
  expectRefused(sandbox, "d", {"reset", "d/quenlix.ini"}, "d/quenlix.ini: ");
  makeUnwritable(sandbox.pathOf("d"), false);
}

// A 16 KiB tmpfs filled to its last page: the temporary file can be made, its bytes cannot.
TEST(FileRefusals, FullDisk) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root; this test runs as a user";
  PosixSandbox sandbox;
  sandbox.makeDirectory("full");
  const std::string full = sandbox.pathOf("full");
  if (mount("tmpfs", full.c_str(), "tmpfs", 0, "size=16k") != 0)
    GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
  sandbox.writeFile("full/quenlix.ini", kHandWritten);
  {
    const std::string filler(64 * 1024, 'x');
    std::ofstream(full + "/filler", std::ios::binary) << filler;
  }
  expectRefused(sandbox, "full", {"set", "--file", "full/quenlix.ini", "fsaa=4x"},
                "No space left on device");
  expectRefused(sandbox, "full", {"reset", "full/quenlix.ini"}, "No space left on device");
  EXPECT_EQ(0, umount(full.c_str()));
}

// Root reads every file, so only a user can meet one that cannot be read.
TEST(FileRefusals, UnreadableFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  PosixSandbox sandbox;
  sandbox.writeFile("quenlix.ini", kHandWritten);
  chmod(sandbox.pathOf("quenlix.ini").c_str(), 0);
  for (const char* command : {"show", "check", "reset"}) {
    const RunOutcome outcome = sandbox.run({command});
    EXPECT_EQ(3, outcome.exitCode) << command;
    EXPECT_NE(std::string::npos, outcome.err.find("quenlix.ini: cannot read it: Permission denied"))
        << outcome.err;
  }
  chmod(sandbox.pathOf("quenlix.ini").c_str(), 0600);
  EXPECT_EQ(kHandWritten, sandbox.readFile("quenlix.ini"));
}

// Each command, on the file `name`.
// clang-format off
std::vector<std::vector<std::string>> everyCommandOn(const std::string& name) {
  return {
      {"show", name},
      {"check", name},
      {"reset", name},
      {"set", "--file", name, "fsaa=4x"},
  };
}
// clang-format on

// Makes a socket file at `path`; false when the system will not.
bool makeSocket(const std::string& path) {
  const int socketFile = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (socketFile < 0 || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const bool made = bind(socketFile, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(socketFile);
  return made;
}

// Makes a character device at `path` with the numbers of the null device, inside the test's
// own directory; false when the system will not (only root may).
bool makeNullDevice(const std::string& path) {
  return mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

// What is not a regular file is refused at once, by name, and neither read nor replaced: no
// command waits on a FIFO for a writer, and no device is written. Every one of them is made in
// the test's own directory, so that a slip in the refusal harms nothing outside it.
TEST(FileRefusals, AnythingButARegularFile) {
  PosixSandbox sandbox;
  ASSERT_EQ(0, mkfifo(sandbox.pathOf("fifo.ini").c_str(), 0644));
  ASSERT_EQ(0, symlink("fifo.ini", sandbox.pathOf("link-to-fifo.ini").c_str()));
  const bool haveSocket = makeSocket(sandbox.pathOf("socket.ini"));
  const bool haveDevice = makeNullDevice(sandbox.pathOf("device.ini"));
  const std::pair<std::string, std::string> odd[] = {
      {"fifo.ini",         "it is a FIFO"            },
      {"link-to-fifo.ini", "it is a FIFO"            },
      {"device.ini",       "it is a character device"},
      {"socket.ini",       "it is a socket"          },
  };
  for (const auto& [name, kind] : odd) {
    if ((name == "socket.ini" && !haveSocket) || (name == "device.ini" && !haveDevice)) continue;
    for (const std::vector<std::string>& arguments : everyCommandOn(name)) {
      const RunOutcome outcome = sandbox.run(arguments);
      EXPECT_EQ(3, outcome.exitCode) << arguments[0] << " " << name;
      EXPECT_NE(std::string::npos, outcome.err.find(name + ": ")) << outcome.err;
      EXPECT_NE(std::string::npos, outcome.err.find(kind)) << outcome.err;
    }
  }
  EXPECT_TRUE(S_ISFIFO(modeOf(sandbox.pathOf("fifo.ini"))));
  if (haveDevice) {
    EXPECT_TRUE(S_ISCHR(modeOf(sandbox.pathOf("device.ini"))));
  }
  std::string expected = haveDevice ? "device.ini\n" : "";
  expected += "fifo.ini\nlink-to-fifo.ini\n";
  if (haveSocket) expected += "socket.ini\n";
  EXPECT_EQ(expected, sandbox.listing());
  if (!haveDevice) GTEST_SKIP() << "only root can make a device: the device row was not run";
}

// A settings file has a few hundred bytes; one past the bound is refused without being read
// whole, a sparse gigabyte as fast as the rest.
TEST(FileRefusals, AFileFarLargerThanSettings) {
  PosixSandbox sandbox;
  const std::string comment = "; " + std::string(largestSettingsFileBytes - 21, 'x') + "\r\n";
  sandbox.writeFile("largest.ini", comment + "FSAA:4\r\nMEM:099\r\n");
  ASSERT_EQ(largestSettingsFileBytes, sandbox.readFile("largest.ini").size());
  sandbox.writeFile("over.ini", comment + "FSAA:4\r\nMEM:0999\r\n");
  const int huge = open(sandbox.pathOf("huge.ini").c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_EQ(0, ftruncate(huge, 1L << 30));
  close(huge);

  const RunOutcome largest = sandbox.run({"show", "largest.ini"});
  EXPECT_EQ(0, largest.exitCode) << largest.err;
  EXPECT_NE(std::string::npos, largest.out.find("fsaa                    4x")) << largest.out;
  for (const char* name : {"over.ini", "huge.ini"}) {
    for (const std::vector<std::string>& arguments : everyCommandOn(name)) {
      const RunOutcome outcome = sandbox.run(arguments);
      EXPECT_EQ(3, outcome.exitCode) << arguments[0] << " " << name;
      EXPECT_NE(std::string::npos, outcome.err.find("bytes, over 64 KiB")) << outcome.err;
    }
  }
  struct stat status {};
  ASSERT_EQ(0, stat(sandbox.pathOf("huge.ini").c_str(), &status));
  EXPECT_EQ(1L << 30, status.st_size);
}

// Root gives the new file the old one's owner and group, so that the user can still read it.
TEST(FileOwners, TheOwnerAndGroupStay) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  const passwd* nobody = getpwnam("nobody");
  ASSERT_NE(nullptr, nobody);
  const gid_t group = nobody->pw_gid + 1;
  PosixSandbox sandbox;
  sandbox.writeFile("quenlix.ini", kHandWritten);
  const std::string path = sandbox.pathOf("quenlix.ini");
  ASSERT_EQ(0, chown(path.c_str(), nobody->pw_uid, group));
  ASSERT_EQ(0, chmod(path.c_str(), 02640));
  for (const std::vector<std::string>& arguments : {
           std::vector<std::string>{"set", "fsaa=4x"},
           std::vector<std::string>{"reset"    }
  }) {
    EXPECT_EQ(0, sandbox.run(arguments).exitCode) << arguments[0];
    struct stat status {};
    ASSERT_EQ(0, stat(path.c_str(), &status));
    EXPECT_EQ(nobody->pw_uid, status.st_uid);
    EXPECT_EQ(group, status.st_gid);
    EXPECT_EQ(regularFile(02640), status.st_mode) << std::oct << status.st_mode;
  }
}

// The kernel's rule for links in shared sticky directories, applied everywhere: root does not
// write through a link another user owns, be it the file's or one of its directories'.
TEST(Links, RootDoesNotWriteThroughAnotherUsersLink) {
  if (geteuid() != 0) GTEST_SKIP() << "the rule is root's";
  const passwd* nobody = getpwnam("nobody");
  ASSERT_NE(nullptr, nobody);
  PosixSandbox sandbox;
  sandbox.makeDirectory("victim");
  sandbox.writeFile("victim/passwd", kHandWritten);
  ASSERT_EQ(0, symlink("victim/passwd", sandbox.pathOf("quenlix.ini").c_str()));
  ASSERT_EQ(0, symlink("victim", sandbox.pathOf("game").c_str()));
  ASSERT_EQ(0, symlink("quenlix.ini", sandbox.pathOf("root-link.ini").c_str()));
  for (const char* link : {"quenlix.ini", "game"})
    ASSERT_EQ(0, lchown(sandbox.pathOf(link).c_str(), nobody->pw_uid, nobody->pw_gid));
  // clang-format off
  const std::pair<std::vector<std::string>, std::string> refused[] = {
      {{"set", "fsaa=4x"},                           "the link " + sandbox.pathOf("quenlix.ini")},
      {{"reset"},                                    "the link " + sandbox.pathOf("quenlix.ini")},
      {{"set", "--file", "game/passwd", "fsaa=4x"},  "the link " + sandbox.pathOf("game")       },
      {{"set", "--file", "root-link.ini", "fsaa=4x"}, "the link " + sandbox.pathOf("quenlix.ini")},
  };
  // clang-format on
  for (const auto& [arguments, link] : refused) {
    const RunOutcome outcome = sandbox.run(arguments);
    EXPECT_EQ(3, outcome.exitCode) << arguments[0];
    EXPECT_NE(std::string::npos, outcome.err.find(link + " belongs to another user"))
        << outcome.err;
  }
  EXPECT_EQ(kHandWritten, sandbox.readFile("victim/passwd"));
  EXPECT_EQ("passwd\n", sandbox.listing("victim"));
  // Reading through it does no harm.
  EXPECT_EQ(0, sandbox.run({"show"}).exitCode);
}

// The temporary name is short and fixed, so the longest name the system takes can be set.
TEST(FileNames, TheLongestNameCanBeSet) {
  PosixSandbox sandbox;
  const std::string name = std::string(NAME_MAX - 4, 'n') + ".ini";
  sandbox.writeFile(name, kHandWritten);
  EXPECT_EQ(0, sandbox.run({"set", "--file", name, "fsaa=4x"}).exitCode);
  EXPECT_EQ(canonicalSettingsFile({
                {"MEM:",   "050"},
                {"STATS:", "1"  },
                {"FSAA:",  "4"  }
  }),
            sandbox.readFile(name));
  EXPECT_EQ(name + "\n", sandbox.listing());
}

// A file name's control bytes come back escaped, so the message stays one line.
TEST(FileNames, ControlBytesAreEscapedInMessages) {
  PosixSandbox sandbox;
  sandbox.makeDirectory("a\nb");
  sandbox.makeDirectory("a\nb/c\td.ini");
  const RunOutcome outcome = sandbox.run({"set", "--file", "a\nb/c\td.ini", "fsaa=4x"});
  EXPECT_EQ(3, outcome.exitCode);
  EXPECT_EQ(0u, outcome.err.find("morvane-config: a\\nb/c\\td.ini: ")) << outcome.err;
  EXPECT_EQ(1, std::count(outcome.err.begin(), outcome.err.end(), '\n')) << outcome.err;
}

std::string linkTarget(const std::string& path) {
  char target[4096] = {};
  const ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
  return length < 0 ? "<no link>" : std::string(target, static_cast<size_t>(length));
}

// The link stays; the file at its end is replaced, in its own directory.
TEST(Links, TheFileALinkLeadsToIsReplaced) {
  PosixSandbox sandbox;
  sandbox.makeDirectory("real");
  sandbox.writeFile("real/settings.ini", kHandWritten);
  ASSERT_EQ(0, symlink("settings.ini", sandbox.pathOf("real/second-link").c_str()));
  ASSERT_EQ(0, symlink("real/second-link", sandbox.pathOf("quenlix.ini").c_str()));

  EXPECT_EQ(0, sandbox.run({"set", "fsaa=4x"}).exitCode);
  EXPECT_EQ("real/second-link", linkTarget(sandbox.pathOf("quenlix.ini")));
  EXPECT_EQ("settings.ini", linkTarget(sandbox.pathOf("real/second-link")));
  EXPECT_EQ(canonicalSettingsFile({
                {"MEM:",   "050"},
                {"STATS:", "1"  },
                {"FSAA:",  "4"  }
  }),
            sandbox.readFile("real/settings.ini"));
  EXPECT_EQ("quenlix.ini\nreal\n", sandbox.listing());
  EXPECT_EQ("second-link\nsettings.ini\n", sandbox.listing("real"));
}

TEST(Links, ALinkToNoFileGetsItsFile) {
  PosixSandbox sandbox;
  sandbox.makeDirectory("real");
  ASSERT_EQ(0, symlink("real/settings.ini", sandbox.pathOf("quenlix.ini").c_str()));
  EXPECT_EQ(0, sandbox.run({"set", "windowed=on"}).exitCode);
  EXPECT_EQ("real/settings.ini", linkTarget(sandbox.pathOf("quenlix.ini")));
  EXPECT_EQ(canonicalSettingsFile({
                {"WINDOWED:", "1"}
  }),
            sandbox.readFile("real/settings.ini"));
}

// An 80-column console shows every line of the help whole.
TEST(Help, FitsEightyColumns) {
  PosixSandbox sandbox;
  const RunOutcome outcome = sandbox.run({"--help"});
  ASSERT_EQ(0, outcome.exitCode);
  std::istringstream lines(outcome.out);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) EXPECT_LE(line.size(), 80u) << line;
  EXPECT_GT(count, 60);
}

// "/?" is Windows' way to ask; here a word that begins with "/" is a path.
TEST(Help, SlashQuestionMarkIsNoCommandOnLinux) {
  PosixSandbox sandbox;
  const RunOutcome outcome = sandbox.run({"/?"});
  EXPECT_EQ(2, outcome.exitCode);
  EXPECT_EQ("morvane-config: unknown command '/?'; see morvane-config --help\n", outcome.err);
}

TEST(Output, ThatCannotBeWrittenIsAFailure) {
  PosixSandbox sandbox;
  sandbox.writeFile("quenlix.ini", kHandWritten);
  const RunOutcome outcome =
      runProgram(MORVANE_CONFIG_PATH, {"show"}, sandbox.path(), "", "/dev/full");
  EXPECT_EQ(3, outcome.exitCode);
  EXPECT_EQ("morvane-config: cannot write the output\n", outcome.err);
}

}  // namespace
