// The display's modes through EnumDisplaySettingsA; the arithmetic is the refresh list's own.
#include "settings/display_modes_win.h"

#include <windows.h>

#include "settings/refresh_rates.h"

int32_t displayRefreshSteps() {
  int32_t steps = 0;
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  mode.dmDriverExtra = 0;
  for (DWORD index = 0; EnumDisplaySettingsA(nullptr, index, &mode); ++index)
    steps =
        refreshStepsWithMode(steps, mode.dmPelsWidth, mode.dmPelsHeight, mode.dmDisplayFrequency);
  return steps;
}
