// The canonical written form of "quenlix.ini": what Save writes for a record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/settings.h"

// Twenty lines: 234 bytes of keys, 23 value bytes, 40 bytes of CR LF.
inline constexpr size_t canonicalFileBytes = 297;

// The file's bytes and a terminating NUL (no byte of the file is NUL).
struct CanonicalFile {
  char text[canonicalFileBytes + 1];
};

// The twenty lines in their fixed order, each value at its fixed width, CR LF after each:
// on/off as 0 or 1, memory brought into 8-108, FSAA doubled, a list without a selection (-1)
// as zeros, a number too wide for its digits as nines.
CanonicalFile canonicalFile(const Settings& record);

// Writes number as exactly `width` decimal digits, leading zeros included. A negative number
// writes zeros; one too large for the width writes nines.
void formatDigits(int32_t number, int width, char* out);
