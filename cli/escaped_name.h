// Names as messages print them: a file name or an argument may hold any byte but the NUL.
#pragma once

#include <cstddef>

// The name with its control bytes escaped (\n, \r, \t, else \xHH), so that a message stays one
// line and shows what is really there. Cut short where it does not fit.
struct EscapedName {
  char text[1024];
};
EscapedName escapedName(const char* name);
// The same for the first `length` bytes of `text`.
EscapedName escapedName(const char* text, size_t length);
