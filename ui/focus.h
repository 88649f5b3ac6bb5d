// The keyboard focus cycle: Tab moves one step forward through the catalogue's controls in
// creation order, leaving out those it marks as skipped, and round to the first again.
#pragma once

#include <windows.h>

// The handle Tab moves the focus to from the control whose handle `from` is, or from the main
// window itself (&mainWindow: to the first control of the ring); null where Tab leaves the focus
// where it is (a skipped control, any other window).
HWND* focusSuccessor(HWND* from);

void cycleFocus();
