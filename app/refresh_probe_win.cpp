// Asks the platform for the display's modes; the refresh arithmetic decides which count.
#include <windows.h>

#include "app/refresh_probe.h"
#include "settings/refresh_rates.h"
#include "settings/settings.h"

void probeRefreshRange() {
  refreshStepCount = 0;
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  mode.dmDriverExtra = 0;
  for (DWORD index = 0; EnumDisplaySettingsA(nullptr, index, &mode); ++index)
    refreshStepCount = refreshStepsWithMode(refreshStepCount, mode.dmPelsWidth, mode.dmPelsHeight,
                                            mode.dmDisplayFrequency);
}
