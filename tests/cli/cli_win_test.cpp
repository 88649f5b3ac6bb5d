// The Windows console program runs the host's table of command lines, under Wine.
#include <gtest/gtest.h>

#include "tests/cli/cli_cases.h"
#include "tests/cli/win_sandbox.h"

namespace {

std::vector<CliCase> windowsCases() {
  std::vector<CliCase> cases;
  for (const CliCase& c : cliCases())
    if (c.onWindows) cases.push_back(c);
  return cases;
}

class WindowsCommandLines : public testing::TestWithParam<CliCase> {};

TEST_P(WindowsCommandLines, GiveTheirOutputExitCodeAndBytes) {
  WinSandbox sandbox;
  runCliCase(GetParam(), sandbox);
}

INSTANTIATE_TEST_SUITE_P(Cli, WindowsCommandLines, testing::ValuesIn(windowsCases()), cliCaseName);

}  // namespace
