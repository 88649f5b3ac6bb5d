// The system's text for an error, as FormatMessage gives it.
#include "settings/system_error_win.h"

DWORD systemErrorText(DWORD error, wchar_t* text, DWORD capacity) {
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, capacity, nullptr);
  if (length == 0 && capacity > 0) text[0] = L'\0';
  while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n'))
    text[--length] = L'\0';
  return length;
}
