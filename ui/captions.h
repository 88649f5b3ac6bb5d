// The captions the paint pass writes on the window's face, and the control each one labels.
#pragma once

#include <windows.h>

#include <cstdint>

#include "settings/table_rows.h"

// x, y at 96 DPI (y ignored for the clock caption, which follows the clock's row), the control
// it labels (null for a panel's title), German, English
struct Caption {
  int x;
  int y;
  bool atClockRow;
  HWND* labels;
  const char* text[2];
};

// Every caption, in the order the paint pass writes them.
TableRows<Caption> allCaptions();

// The y of a caption's top in display order `order` (0-5), at 96 DPI.
int captionY(const Caption& caption, int32_t order);
