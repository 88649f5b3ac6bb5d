// The display's rates as the editor reads them, so that show and check see the refresh list it
// would show here.
#include "cli/offered_rates.h"

#include "settings/display_modes_win.h"

// Asked once: every command reads them at most twice. A plain static, not one initialised by a
// call, which would bring in the C++ runtime's thread-safe guard.
OfferedRates offeredRefreshRates() {
  static int32_t steps = -1;
  if (steps < 0) steps = displayRefreshSteps();
  return OfferedRates{steps, true};
}
