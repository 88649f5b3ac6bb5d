// Moving option values between the controls and the settings record.
#pragma once

#include <windows.h>

#include <cstdint>

#include "settings/settings.h"

// control, field; the field's row says whether the control is a check box or a list, and a
// list's entry for a value
struct ExchangePair {
  HWND* control;
  int32_t Settings::*field;
};

inline constexpr int exchangePairCount = 18;
extern const ExchangePair exchangePairs[exchangePairCount];

// Controls into a record: on/off as 0 or 1, lists as their selected index (-1 for none).
void captureControlsInto(Settings& record);

// The same into the process-wide record.
void captureControls();

// Record into the controls; textureMemoryMb is first brought into 8-108.
void applySettings();
