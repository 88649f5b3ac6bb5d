// The probe: the display's answer, read once at start-up, sizes the refresh list and caps the
// stored choice.
#include "app/refresh_probe.h"

#include "settings/settings.h"
#include "settings/display_modes_win.h"

void probeRefreshRange() {
  refreshStepCount = displayRefreshSteps();
}
