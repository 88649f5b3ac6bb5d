// The system's own words for an error, for the messages that report a file that failed.
#pragma once

#include <windows.h>

// The system's text for `error`, in its language, without the line end it comes with. Answers
// its length: 0, with an empty text, when the system has none.
DWORD systemErrorText(DWORD error, wchar_t* text, DWORD capacity);
