// The refresh list's arithmetic: from display modes to a step count, and from steps to rates.
#include <gtest/gtest.h>

#include <vector>

#include "settings/refresh_rates.h"

namespace {

struct Mode {
  uint32_t width, height, frequency;
};

int32_t stepsFor(const std::vector<Mode>& modes) {
  int32_t steps = 0;
  for (const Mode& m : modes) steps = refreshStepsWithMode(steps, m.width, m.height, m.frequency);
  return steps;
}

TEST(RefreshProbe, HighestRateGivesTheStepCount) {
  // highest 800 x 600 rate, step count
  const uint32_t table[][2] = {{0, 0},     {1, 0},     {50, 0},          {55, 0},  {56, 1},
                               {59, 1},    {60, 1},    {61, 2},          {65, 2},  {70, 3},
                               {72, 4},    {75, 4},    {85, 6},          {100, 9}, {120, 13},
                               {995, 188}, {996, 188}, {0xFFFFFFFF, 188}};
  for (const auto& row : table)
    EXPECT_EQ(static_cast<int32_t>(row[1]), refreshStepsForMode(800, 600, row[0])) << row[0];
}

TEST(RefreshProbe, OnlyExactly800x600Counts) {
  EXPECT_EQ(0, stepsFor({{1024, 768, 85}, {640, 480, 120}, {800, 601, 85}, {801, 600, 85}}));
}

TEST(RefreshProbe, ListOrderAndColourDepthsDoNotMatter) {
  EXPECT_EQ(6, stepsFor({{800, 600, 85}, {800, 600, 60}, {800, 600, 75}}));
  EXPECT_EQ(4, stepsFor({{800, 600, 75}, {800, 600, 75}, {800, 600, 75}}));
  EXPECT_EQ(1, stepsFor({{800, 600, 1}, {800, 600, 60}}));
  EXPECT_EQ(0, stepsFor({}));
}

// The rates the list and the command line show for its entries, and the highest a file keeps.
TEST(RefreshRates, EntriesStandForTheirRates) {
  // step, rate in Hz
  const int32_t table[][2] = {{1, 60}, {2, 65}, {9, 100}, {29, 200}, {188, 995}};
  for (const auto& row : table) EXPECT_EQ(row[1], rateHzOfStep(row[0])) << row[0];
  EXPECT_EQ(188, highestRefreshStepCount);
  EXPECT_EQ(29, highestStoredRefreshStep);
}

}  // namespace
