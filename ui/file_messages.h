// The messages about the settings file: Save failed, the file there could not be read, and the
// question before Save replaces a file it could not read.
#pragma once

#include <windows.h>

// Owned by the main window, in its language: the failure, the file's full path and the reason,
// the system's words for `error` or, for a read-only file, its own words and what to do.
void showSaveFailure(const wchar_t* target, DWORD error);

// After start-up, when an existing file could not be read: its path and the reason, that the
// defaults are shown, what to do and that Save will ask first. In German and English at once:
// the file that would have named the language could not be read.
void showLoadFailure(DWORD error);

// Before Save replaces a file that could not be read at start-up but can be now: owned by the
// main window, in its language, naming the file. True only for Yes; No is the default button.
bool askToReplaceUnreadFile();
