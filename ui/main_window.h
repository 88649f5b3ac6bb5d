// The main window and the interface resources it shares with its controls.
#pragma once

#include <windows.h>

// The main window, null until it is made.
inline HWND mainWindow;

extern HFONT uiFont;
extern HBRUSH faceBrush;

// The outer size at 96 DPI.
inline constexpr int mainWindowWidthPx = 640;
inline constexpr int mainWindowHeightPx = 370;

// Start-up takes these in this order; the tests reuse them.
void registerMainWindowClass(HINSTANCE instance);
void createInterfaceResources();
// Hidden, at the DPI of its display; mainWindow is null when it cannot be created.
void createMainWindow(HINSTANCE instance);
// Takes `dpi` as the window's and makes uiFont anew for it; answers the font it replaces, to be
// deleted once no control holds it.
HFONT adoptDpi(int dpi);
// The outer size at windowDpi; the top left corner moves there unless `moveFlag` is SWP_NOMOVE.
void sizeMainWindow(int left, int top, UINT moveFlag);
// faceBrush made anew in the system's present face colour; the one it replaces is deleted.
void renewFaceBrush();
void releaseInterfaceResources();
