// The sandbox under Wine: a temporary directory, and the Windows program run in it.
#pragma once

#include "tests/cli/cli_cases.h"
#include "tests/win/test_support.h"

// The console program under test: this tree's own, or the one MORVANE_CONFIG_PATH names. A
// 64-bit test program drives the 32-bit one that way, so that where 32-bit programs run under
// an emulator only the program under test is emulated.
std::string configProgram();

// Whether the program is a 32-bit one, which may start slowly, under an emulator.
bool is32BitProgram(const std::string& path);

class WinSandbox : public Sandbox {
 public:
  const std::string& path() const { return directory_.path(); }

  void writeFile(const std::string& name, const std::string& bytes) override;
  void makeDirectory(const std::string& name) override;
  std::string readFile(const std::string& name) override;
  std::string listing() override;
  RunOutcome run(const std::vector<std::string>& arguments) override;

 private:
  TemporaryDirectory directory_;
};
