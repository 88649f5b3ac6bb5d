// Moving option values between the controls and the settings record.
#pragma once

#include "settings/settings.h"

// Controls into a record: on/off as 0 or 1, lists as their selected index (-1 for none).
void captureControlsInto(Settings& record);

// The same into the process-wide record.
void captureControls();

// Record into the controls; textureMemoryMb is first brought into 8-108.
void applySettings();
