// The sandbox on the host: a temporary directory, and programs run in it with their output caught.
#pragma once

#include <string>
#include <vector>

#include "tests/cli/cli_cases.h"

// Runs `program` with `arguments` in `directory`, standard input from `input` (a file) and
// standard output into `output` (a file) unless empty, and waits for it.
RunOutcome runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& directory, const std::string& input = "",
                      const std::string& output = "");

class PosixSandbox : public Sandbox {
 public:
  PosixSandbox();
  ~PosixSandbox() override;
  PosixSandbox(const PosixSandbox&) = delete;
  PosixSandbox& operator=(const PosixSandbox&) = delete;

  const std::string& path() const { return path_; }
  std::string pathOf(const std::string& name) const { return path_ + "/" + name; }

  void writeFile(const std::string& name, const std::string& bytes) override;
  void makeDirectory(const std::string& name) override;
  std::string readFile(const std::string& name) override;
  std::string listing() override;
  RunOutcome run(const std::vector<std::string>& arguments) override;
  // Names in a subdirectory, sorted, one a line.
  std::string listing(const std::string& subdirectory);

 private:
  std::string path_;
};
