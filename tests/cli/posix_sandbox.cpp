// Temporary directories and child processes for the host tests of morvane-config.
#include "tests/cli/posix_sandbox.h"

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

std::string readWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string temporaryBase() {
  const char* base = std::getenv("TMPDIR");
  return base != nullptr && *base != '\0' ? base : "/tmp";
}

// A fresh file for a child's output, outside any sandbox so that listings stay exact.
std::string outputFile() {
  std::string path = temporaryBase() + "/morvane-config-output-XXXXXX";
  const int file = mkstemp(path.data());
  close(file);
  return path;
}

// In the child: where its standard streams go, then the program.
[[noreturn]] void execInChild(const std::string& program, std::vector<char*>& argv,
                              const std::string& directory, const std::string& input,
                              const std::string& output, const std::string& error) {
  const int in = open(input.empty() ? "/dev/null" : input.c_str(), O_RDONLY);
  const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int err = open(error.c_str(), O_WRONLY | O_TRUNC);
  if (in < 0 || out < 0 || err < 0 || chdir(directory.c_str()) != 0) _exit(125);
  dup2(in, 0);
  dup2(out, 1);
  dup2(err, 2);
  execv(program.c_str(), argv.data());
  _exit(126);
}

int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
  return remove(path);
}

std::string sortedNames(const std::string& directory) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(directory.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  std::string listing;
  for (const std::string& name : names) listing += name + "\n";
  return listing;
}

}  // namespace

RunOutcome runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& directory, const std::string& input,
                      const std::string& output) {
  std::vector<std::string> all{program};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : all) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const std::string outPath = output.empty() ? outputFile() : output;
  const std::string errPath = outputFile();
  RunOutcome outcome;
  const pid_t child = fork();
  if (child == 0) execInChild(program, argv, directory, input, outPath, errPath);
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
    outcome.exitCode = WEXITSTATUS(status);
  if (output.empty()) {
    outcome.out = readWhole(outPath);
    unlink(outPath.c_str());
  }
  outcome.err = readWhole(errPath);
  unlink(errPath.c_str());
  return outcome;
}

PosixSandbox::PosixSandbox() {
  std::string path = temporaryBase() + "/morvane-config-test-XXXXXX";
  if (mkdtemp(path.data()) != nullptr) path_ = path;
}

// Whatever a test made read-only is made writable again on the way.
PosixSandbox::~PosixSandbox() {
  if (path_.empty()) return;
  chmod(path_.c_str(), 0700);
  nftw(path_.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

void PosixSandbox::writeFile(const std::string& name, const std::string& bytes) {
  std::ofstream(pathOf(name), std::ios::binary) << bytes;
}

void PosixSandbox::makeDirectory(const std::string& name) {
  mkdir(pathOf(name).c_str(), 0755);
}

std::string PosixSandbox::readFile(const std::string& name) {
  return readWhole(pathOf(name));
}

std::string PosixSandbox::listing() {
  return sortedNames(path_);
}

std::string PosixSandbox::listing(const std::string& subdirectory) {
  return sortedNames(pathOf(subdirectory));
}

RunOutcome PosixSandbox::run(const std::vector<std::string>& arguments) {
  return runProgram(MORVANE_CONFIG_PATH, arguments, path_);
}
