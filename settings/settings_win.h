// Settings on Win32: the start-up read of "quenlix.ini", the safe replace Save uses, and the
// display's modes, which decide how many refresh entries the file may choose from.
// Paths are UTF-16, so a folder named in any script works whatever the ANSI code page.
#pragma once

#include <windows.h>

#include <cstdint>

// Defaults, then "quenlix.ini" from the working directory. Answers ERROR_SUCCESS when the file
// was read or is missing, else the error that kept an existing file from being read (the
// record then holds the defaults).
DWORD loadSettings();

// Reads the whole file, opened without sharing, into a buffer from the process heap (none for
// an empty file). A sharing violation is tried again for a moment, as another program's short
// hold passes. Answers ERROR_SUCCESS or the error of the step that failed, with no buffer.
DWORD readWholeFile(const wchar_t* path, unsigned char*& data, DWORD& size);
void releaseWholeFile(unsigned char*& data);

// An error that means there is no file at all, as opposed to one that cannot be read.
bool isMissingFile(DWORD error);

// Writes the text's bytes without the terminator in one write. True when every byte went out;
// a null or empty text has nothing to write and succeeds, a null handle fails.
bool writeText(HANDLE file, const char* text);

// The full path of the file that `path` leads to, with links followed where the platform can
// tell (Windows Vista and later, Wine); elsewhere, or for a file that does not exist, the full
// path of `path` itself; `path` itself where neither fits in MAX_PATH characters.
void finalPathOrName(const wchar_t* path, wchar_t (&target)[MAX_PATH]);

// The full path of "quenlix.ini" as finalPathOrName gives it.
void settingsFilePath(wchar_t (&path)[MAX_PATH]);

// Replaces the file that `path` leads to (finalPathOrName: through a link the file it points
// to, so the link stays) with `text`: a temporary file in the same directory is written,
// checked, flushed and renamed over the old one in one step. A read-only file, one another
// program holds open and a directory are refused. Whatever fails, the old file keeps its bytes
// and no temporary file is left. Answers ERROR_SUCCESS or the error of the step that failed;
// `target` names the file written or meant to be written. Save and morvane-config replace the
// file this way.
DWORD replaceThroughLinks(const wchar_t* path, const char* text, wchar_t (&target)[MAX_PATH]);
// The same for "quenlix.ini" in the working directory.
DWORD replaceSettingsFileHere(const char* text, wchar_t (&target)[MAX_PATH]);

// The system's own words for `error`, in its language, without the line end they come with.
// Answers their length: 0, with an empty text, when the system has none.
DWORD systemErrorText(DWORD error, wchar_t* text, DWORD capacity);

// How many rates after "auto" the current display offers, from every mode it lists; asks the
// platform each time and changes nothing.
int32_t displayRefreshSteps();
