// The main window and the interface resources it shares with its controls.
#pragma once

#include <windows.h>

extern HWND mainWindow;
extern HFONT uiFont;
extern HBRUSH faceBrush;

inline constexpr int mainWindowWidthPx = 640;
inline constexpr int mainWindowHeightPx = 370;

// Start-up takes these in this order; the tests reuse them.
void registerMainWindowClass(HINSTANCE instance);
void createInterfaceResources();
// Hidden; mainWindow is null when it cannot be created.
void createMainWindow(HINSTANCE instance);
void releaseInterfaceResources();

// Painting, the push buttons, the memory list and Alt+F4.
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
