// The main window's procedure: painting, the push buttons, the memory list, Alt+F4 and a change
// of display scale.
#pragma once

#include <windows.h>

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
