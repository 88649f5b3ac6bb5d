// The refresh list's arithmetic: which rate each entry stands for, how many entries a display
// earns, and how many the file can keep.
#pragma once

#include <cstdint>

#include "settings/fields.h"

// Entry 0 is "auto"; entry n stands for 55 + 5n Hz.
inline constexpr int32_t rateStepHz = 5;
inline constexpr int32_t rateBeforeFirstStepHz = 55;

constexpr int32_t rateHzOfStep(int32_t step) {
  return rateBeforeFirstStepHz + rateStepHz * step;
}

// The graphics layer runs its full-screen mode at 800 x 600: only that mode's rates count.
inline constexpr uint32_t probedWidthPx = 800;
inline constexpr uint32_t probedHeightPx = 600;

// The entries are three characters wide, so 995 Hz is the highest rate the list can show.
inline constexpr int32_t highestListedRateHz = 995;
inline constexpr int32_t highestRefreshStepCount =
    (highestListedRateHz - rateBeforeFirstStepHz) / rateStepHz;

// The file keeps the entry in two digits and its tens digit is read as 2 at most: 29 (200 Hz) is
// the highest entry a file can hold.
inline constexpr int32_t highestStoredRefreshStep =
    highestStoredValue(fieldRowOf(&Settings::refreshIndex));

// The rates a file can name: the first entry after "auto" up to the highest one it keeps.
inline constexpr int32_t lowestRateHz = rateHzOfStep(1);
inline constexpr int32_t highestStoredRateHz = rateHzOfStep(highestStoredRefreshStep);

// The entries one display mode earns: the steps up to its rate, a rate between two steps
// counting as the higher one (a 72 Hz mode offers 75 Hz), none for another size than 800 x 600.
int32_t refreshStepsForMode(uint32_t widthPx, uint32_t heightPx, uint32_t frequencyHz);

// The step count after one more mode: the display offers the highest rate of any of its modes.
int32_t refreshStepsWithMode(int32_t stepsSoFar, uint32_t widthPx, uint32_t heightPx,
                             uint32_t frequencyHz);
