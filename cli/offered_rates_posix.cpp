// Without a display to ask, the rates a file can hold.
#include "cli/offered_rates.h"

#include "settings/refresh_rates.h"

OfferedRates offeredRefreshRates() {
  return OfferedRates{highestStoredRefreshStep, false};
}
