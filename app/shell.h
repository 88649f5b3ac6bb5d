// The application shell: shared interface resources, the main window, start-up and the loop.
#pragma once

#include <windows.h>

extern HWND mainWindow;
extern HFONT uiFont;
extern HBRUSH faceBrush;

inline constexpr int mainWindowWidthPx = 640;
inline constexpr int mainWindowHeightPx = 370;

// The start-up steps, in the order runEditor takes them; the tests reuse the first three.
void registerMainWindowClass(HINSTANCE instance);
void createInterfaceResources();
void createMainWindow(HINSTANCE instance);
void runMessageLoop();
void releaseInterfaceResources();

// The whole program: start-up, loop, shutdown. Returns the process exit code.
int runEditor(HINSTANCE instance, int showState);
