// The focus cycle; the handles are read at each call, so a rebuild changes nothing here.
#include "ui/focus.h"

#include <windows.h>

void cycleFocus() {
  // Read once: the control that has just taken the focus is not compared again.
  HWND focused = GetFocus();
  if (focused == nullptr) return;
  for (const FocusStep& step : focusSteps) {
    if (*step.from == focused) {
      SetFocus(*step.to);
      return;
    }
  }
}
