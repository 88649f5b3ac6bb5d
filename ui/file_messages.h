// The messages about the settings file: Save failed, or the file there could not be read.
#pragma once

#include <windows.h>

// Owned by the main window, in its language: the failure, the file's full path and the
// system's reason for `error`.
void showSaveFailure(const wchar_t* target, DWORD error);

// After start-up, when an existing file could not be read: its path and the reason, and that
// the defaults are shown and Save would replace the file.
void showLoadFailure(DWORD error);
