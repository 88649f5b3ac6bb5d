// Formatted output for morvane-config. This file includes C headers only: the C++ library
// switches MinGW's own printf on in every file that includes it, and that printf alone would
// double the Windows program's size and add locale and wide-character imports. Here printf is
// the system C library's (msvcrt's on Windows), which knows every conversion the program uses.
#include "cli/print.h"

int printListTo(FILE* out, const char* format, va_list arguments) {
  return vfprintf(out, format, arguments);
}

int printTo(FILE* out, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int written = vfprintf(out, format, arguments);
  va_end(arguments);
  return written;
}

void formatInto(char* out, size_t size, const char* format, ...) {
  if (size == 0) return;
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(out, size, format, arguments);
  va_end(arguments);
  out[size - 1] = '\0';
}
