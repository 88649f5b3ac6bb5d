// The keyboard focus cycle: Tab moves one step forward through a fixed ring of 21 controls.
#pragma once

#include <windows.h>

// focus now on, focus moves to. orderButton is left out: Tab leaves it where it is. Focus on the
// main window itself goes to the first control.
struct FocusStep {
  HWND* from;
  HWND* to;
};

inline constexpr int focusStepCount = 22;
extern const FocusStep focusSteps[focusStepCount];

void cycleFocus();
