// The main window's procedure: painting, the push buttons, the memory list and Alt+F4.
#pragma once

#include <windows.h>

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
