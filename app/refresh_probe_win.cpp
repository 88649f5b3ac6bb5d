// Asks the platform for the display's modes; only 800 x 600 modes count.
#include <windows.h>

#include "app/refresh_probe.h"
#include "settings/settings.h"

void probeRefreshRange() {
  refreshStepCount = 0;
  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  mode.dmDriverExtra = 0;
  for (DWORD index = 0; EnumDisplaySettingsA(nullptr, index, &mode); ++index) {
    const int32_t steps =
        refreshStepsForMode(mode.dmPelsWidth, mode.dmPelsHeight, mode.dmDisplayFrequency);
    if (steps > refreshStepCount) refreshStepCount = steps;
  }
}
