// The Windows console program runs the rows of the host's table of command lines that reach its
// own code, under Wine.
#include <gtest/gtest.h>

#include "app/refresh_probe.h"
#include "settings/settings.h"
#include "tests/cli/cli_cases.h"
#include "tests/cli/win_sandbox.h"

namespace {

class WindowsCommandLines : public testing::TestWithParam<CliCase> {};

TEST_P(WindowsCommandLines, GiveTheirOutputExitCodeAndBytes) {
  WinSandbox sandbox;
  runCliCase(GetParam(), sandbox);
}

// The console program asks the display for its rates as the editor does; so does the table.
OfferedDisplay probedDisplay() {
  probeRefreshRange();
  return OfferedDisplay{true, refreshStepCount};
}

INSTANTIATE_TEST_SUITE_P(Cli, WindowsCommandLines,
                         testing::ValuesIn(cliCases(probedDisplay(), CaseSet::ownCode)),
                         cliCaseName);

}  // namespace
