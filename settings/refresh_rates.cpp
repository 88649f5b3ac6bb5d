// The refresh list's arithmetic, free of any platform call.
#include "settings/refresh_rates.h"

int32_t refreshStepsForMode(uint32_t widthPx, uint32_t heightPx, uint32_t frequencyHz) {
  if (widthPx != probedWidthPx || heightPx != probedHeightPx) return 0;
  if (frequencyHz <= static_cast<uint32_t>(rateBeforeFirstStepHz)) return 0;
  // A driver may report a rate the list cannot show; it counts as the highest listable one.
  const int32_t rateHz = frequencyHz > static_cast<uint32_t>(highestListedRateHz)
                             ? highestListedRateHz
                             : static_cast<int32_t>(frequencyHz);
  return (rateHz - rateBeforeFirstStepHz + rateStepHz - 1) / rateStepHz;
}

int32_t refreshStepsWithMode(int32_t stepsSoFar, uint32_t widthPx, uint32_t heightPx,
                             uint32_t frequencyHz) {
  const int32_t steps = refreshStepsForMode(widthPx, heightPx, frequencyHz);
  return steps > stepsSoFar ? steps : stepsSoFar;
}
