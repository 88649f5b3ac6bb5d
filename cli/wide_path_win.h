// The command line's paths on Windows: UTF-8 in the program, UTF-16 for the file functions.
#pragma once

#include <windows.h>

// Any name works whatever the ANSI code page. False when the path is no UTF-8 or too long.
inline bool widePath(const char* path, wchar_t (&wide)[MAX_PATH]) {
  return MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, MAX_PATH) != 0;
}
