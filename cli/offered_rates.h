// The refresh rates the editor would offer on this machine, which decide what show and check say.
#pragma once

#include <cstdint>

// How many rates after "auto" the editor's refresh list would offer here, and whether a display
// was asked: where there is none to ask, every rate a file can hold.
struct OfferedRates {
  int32_t steps;
  bool fromDisplay;
};
OfferedRates offeredRefreshRates();
