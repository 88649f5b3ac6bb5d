// The focus cycle; the handles are read at each call, so a rebuild changes nothing here.
#include "ui/focus.h"

#include <windows.h>

#include "ui/controls.h"
#include "ui/main_window.h"

void cycleFocus() {
  // Read once: the control that has just taken the focus is not compared again.
  HWND focused = GetFocus();
  if (focused == nullptr) return;
  const ControlRow* row = catalogueRowOf(focused);
  HWND* from = focused == mainWindow ? &mainWindow : (row != nullptr ? row->handle : nullptr);
  HWND* to = from != nullptr ? focusSuccessor(from) : nullptr;
  if (to != nullptr) SetFocus(*to);
}
