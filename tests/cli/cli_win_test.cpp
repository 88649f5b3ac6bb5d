// The Windows console program runs the host's table of command lines, under Wine.
#include <gtest/gtest.h>

#include "tests/cli/cli_cases.h"
#include "tests/cli/win_sandbox.h"

namespace {

class WindowsCommandLines : public testing::TestWithParam<CliCase> {};

TEST_P(WindowsCommandLines, GiveTheirOutputExitCodeAndBytes) {
  WinSandbox sandbox;
  runCliCase(GetParam(), sandbox);
}

INSTANTIATE_TEST_SUITE_P(Cli, WindowsCommandLines, testing::ValuesIn(cliCases()), cliCaseName);

}  // namespace
