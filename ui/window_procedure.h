// The main window's procedure: painting, the push buttons, the memory list, Alt+F4, a change
// of display scale and of colour scheme.
#pragma once

#include <windows.h>

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
