// The settings file on Win32: the start-up read of "quenlix.ini" and the safe replace that Save
// and morvane-config use. Paths are UTF-16, so a folder named in any script works whatever the
// ANSI code page.
#pragma once

#include <windows.h>

// ERROR_SUCCESS, or why the settings file that was there at start-up could not be read: the
// window then shows the defaults, not the stored settings, so Save asks before it replaces
// them. Set by loadSettings; back to ERROR_SUCCESS once Save has written the file.
extern DWORD startUpReadError;

// Defaults, then "quenlix.ini" from the working directory. Answers startUpReadError:
// ERROR_SUCCESS when the file was read or is missing, else the error that kept an existing file
// from being read (the record then holds the defaults).
DWORD loadSettings();

// Reads "quenlix.ini" again as loadSettings does, without taking its values: ERROR_SUCCESS when
// it can be read now, else the error (isMissingFile for a file that is gone).
DWORD rereadSettingsFile();

// Reads the whole file, opened without sharing, into a buffer from the process heap (none for
// an empty file). A file another program holds is tried again for a moment (held_file.h), as a
// short hold passes. A file of more than `largestBytes` (0: no bound) is not read:
// ERROR_FILE_TOO_LARGE, with its size in `size`. Answers ERROR_SUCCESS or the error of the step
// that failed, with no buffer.
DWORD readWholeFile(const wchar_t* path, DWORD largestBytes, unsigned char*& data,
                    unsigned long long& size);
void releaseWholeFile(unsigned char*& data);

// An error that means there is no file at all, as opposed to one that cannot be read.
bool isMissingFile(DWORD error);

// The full path of the file that `path` leads to, with links followed where the platform can
// tell (Windows Vista and later, Wine); elsewhere, or for a file that does not exist, the full
// path of `path` itself; `path` itself where neither fits in MAX_PATH characters.
void finalPathOrName(const wchar_t* path, wchar_t (&target)[MAX_PATH]);

// The full path of "quenlix.ini" as finalPathOrName gives it.
void settingsFilePath(wchar_t (&path)[MAX_PATH]);

// Replaces the file that `path` leads to (finalPathOrName: through a link the file it points
// to, so the link stays) with `text`: a temporary file in the same directory is written,
// checked, flushed and renamed over the old one in one step. A read-only file is refused at once
// with ERROR_FILE_READ_ONLY, a directory with ERROR_ACCESS_DENIED; a file another program holds
// is tried again for a moment (held_file.h), then refused. Whatever fails, the old file keeps its
// bytes and no temporary file is left. Answers ERROR_SUCCESS or the error of the step that failed;
// `target` names the file written or meant to be written. Save and morvane-config replace the
// file this way.
DWORD replaceThroughLinks(const wchar_t* path, const char* text, wchar_t (&target)[MAX_PATH]);
// The same for "quenlix.ini" in the working directory.
DWORD replaceSettingsFileHere(const char* text, wchar_t (&target)[MAX_PATH]);
