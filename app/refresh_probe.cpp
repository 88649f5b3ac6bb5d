// Platform-free part of the refresh-rate probe.
#include "app/refresh_probe.h"

int32_t refreshStepsForMode(uint32_t widthPx, uint32_t heightPx, uint32_t frequencyHz) {
  if (widthPx != 800 || heightPx != 600 || frequencyHz < 51) return 0;
  // A driver may report a rate the list cannot show; it counts as the highest listable one.
  const uint32_t rateHz = frequencyHz > highestListedRateHz ? highestListedRateHz : frequencyHz;
  return static_cast<int32_t>((rateHz - 51) / 5);
}
