// The refresh probe against the display modes that Wine reports, and its place in start-up.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "app/refresh_probe.h"
#include "app/shell.h"
#include "settings/settings.h"
#include "tests/win/test_support.h"

namespace {

// The expected count comes from the test's environment: plain Xvfb offers no 800 x 600 mode,
// a Wine virtual desktop offers it at 60 Hz.
int32_t expectedSteps() {
  char expected[16] = {};
  if (GetEnvironmentVariableA("MORVANE_EXPECTED_REFRESH_STEPS", expected, sizeof(expected)) == 0)
    ADD_FAILURE() << "MORVANE_EXPECTED_REFRESH_STEPS must name the display's expected step count";
  return std::atoi(expected);
}

TEST(RefreshProbe, MatchesTheDisplayUnderTest) {
  const int32_t expected = expectedSteps();
  refreshStepCount = 77;
  probeRefreshRange();
  EXPECT_EQ(expected, refreshStepCount);
}

// The whole start-up with a stored choice of 60 Hz: the display's range must be known before the
// file is read, or the choice is lowered to "auto" at every start.
TEST(StartUp, KeepsTheStoredRefreshChoiceTheDisplayOffers) {
  const int32_t expected = std::min(expectedSteps(), 1);
  ScratchDirectory scratch;
  writeWholeFile("quenlix.ini", "REFRESH:01\r\nSTATS:1\r\n");
  refreshStepCount = 0;
  // Already queued, so the message loop ends as soon as it starts.
  PostQuitMessage(0);
  ASSERT_EQ(0, runEditor(GetModuleHandleA(nullptr), SW_HIDE));
  EXPECT_EQ(1, settings.showTextureMass) << "the file was not read";
  EXPECT_EQ(expected, settings.refreshIndex);
}

}  // namespace
