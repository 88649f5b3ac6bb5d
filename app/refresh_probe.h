// The display probe that sizes the refresh list, and the arithmetic behind it.
#pragma once

#include <cstdint>

// The list's entries are three characters wide, so 995 Hz is the highest rate it can show.
inline constexpr uint32_t highestListedRateHz = 995;
inline constexpr int32_t highestRefreshStepCount = (highestListedRateHz - 51) / 5;

// Step count that one display mode asks for: 0 for anything but 800 x 600.
int32_t refreshStepsForMode(uint32_t widthPx, uint32_t heightPx, uint32_t frequencyHz);

// Reads the current display's modes once and sets refreshStepCount (Win32 only).
void probeRefreshRange();
