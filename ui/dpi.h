// The display's scale: the process declared DPI-aware, the window's DPI and lengths scaled to it.
#pragma once

#include <windows.h>

// The main window's dots per inch; every length and place of the window is given at 96.
extern int windowDpi;

// A length or place given at 96 DPI, at windowDpi; every scaled value rounds this one way.
inline int scaledPx(int px96) {
  return MulDiv(px96, windowDpi, 96);
}

// Asks the system to draw the process's windows unstretched, by the newest means it has; once,
// before any window exists. A refusal changes nothing.
void declareDpiAwareness();

// The DPI of the display that `window` is on, by the newest means the system has.
int readWindowDpi(HWND window);
