// The refresh probe against the display modes that Wine reports.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "app/refresh_probe.h"

namespace {

// The expected count comes from the test's environment: plain Xvfb offers no 800 x 600 mode,
// a Wine virtual desktop offers it at 60 Hz.
TEST(RefreshProbe, MatchesTheDisplayUnderTest) {
  char expected[16] = {};
  if (GetEnvironmentVariableA("MORVANE_EXPECTED_REFRESH_STEPS", expected, sizeof(expected)) == 0)
    FAIL() << "MORVANE_EXPECTED_REFRESH_STEPS must name the display's expected step count";
  refreshStepCount = 77;
  probeRefreshRange();
  EXPECT_EQ(std::atoi(expected), refreshStepCount);
}

}  // namespace
