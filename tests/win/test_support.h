// Helpers for the tests under Wine: a private working directory and whole-file reads and writes.
#pragma once

#include <windows.h>

#include <string>

// Moves the process into a fresh empty directory for one test and back out afterwards,
// removing what the test left there.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string previous_;
  std::string path_;
};

void writeWholeFile(const std::string& name, const std::string& bytes);
// The file's bytes, or "<missing>" when it cannot be opened.
std::string readWholeFile(const std::string& name);
// Names of the entries in the current directory, sorted, "." and ".." left out.
std::string directoryListing();
