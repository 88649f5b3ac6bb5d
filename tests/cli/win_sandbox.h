// The sandbox under Wine: a temporary directory, and the Windows program run in it.
#pragma once

#include "tests/cli/cli_cases.h"
#include "tests/win/test_support.h"

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
