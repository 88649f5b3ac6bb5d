// File access on Win32: the start-up read of "quenlix.ini" and the safe replace Save uses.
#pragma once

#include <windows.h>

// Defaults, then "quenlix.ini" from the working directory, if it can be opened.
void loadSettings();

// Reads the whole file, opened without sharing, into a buffer from the process heap (none for
// an empty file). Answers ERROR_SUCCESS or the error of the step that failed, with no buffer.
DWORD readWholeFile(const char* path, unsigned char*& data, DWORD& size);
void releaseWholeFile(unsigned char*& data);

// Writes the text's bytes without the terminator in one write. True when every byte went out;
// a null or empty text has nothing to write and succeeds, a null handle fails.
bool writeText(HANDLE file, const char* text);

// The full path of the file that `path` leads to, with links followed where the platform can
// tell (Windows Vista and later, Wine); elsewhere, or for a file that does not exist, the full
// path of `path` itself. False when neither can be had in MAX_PATH bytes.
bool finalPathOf(const char* path, char (&finalPath)[MAX_PATH]);

// Replaces the file at `path` with `text`: a temporary file in the same directory is written,
// checked, flushed and renamed over the old one in one step. A read-only file, one another
// program holds open and a directory are refused. Whatever fails, the old file keeps its bytes
// and no temporary file is left. Answers ERROR_SUCCESS or the error of the step that failed.
DWORD replaceFileWith(const char* path, const char* text);
