// Moving option values between the controls and the settings record, as the catalogue pairs
// them: every row that names a field.
#pragma once

#include <windows.h>

#include "settings/settings.h"

// Controls into a record: on/off as 0 or 1, lists as their selected index (-1 for none), the
// memory list as megabytes.
void captureControlsInto(Settings& record);

// The same into the process-wide record.
void captureControls();

// At a new selection in `list`: the record follows the lists whose field its kind keeps in step
// (the memory list), so that it holds what they show between two captures.
void followSelection(HWND list);

// Record into the controls; textureMemoryMb is first brought into 8-108.
void applySettings();
