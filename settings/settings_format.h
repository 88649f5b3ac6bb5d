// The canonical written form of "quenlix.ini": what Save writes for a record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/fields.h"
#include "settings/settings.h"

inline constexpr char canonicalLineEnd[] = "\r\n";

// One line per row of the field table: its key, its value's digits, CR LF.
constexpr size_t canonicalFileSize() {
  size_t bytes = 0;
  for (const FieldRow& row : fieldRows)
    bytes += textLength(row.key) + digitCountOf(row) + textLength(canonicalLineEnd);
  return bytes;
}

inline constexpr size_t canonicalFileBytes = canonicalFileSize();

// The file's bytes and a terminating NUL (no byte of the file is NUL).
struct CanonicalFile {
  char text[canonicalFileBytes + 1];
};

// One line per field in the table's order, each value at its fixed width, CR LF after each:
// on/off as 0 or 1, memory brought into 8-108, FSAA doubled, a list without a selection (-1)
// as zeros, a number too wide for its digits as nines.
CanonicalFile canonicalFile(const Settings& record);

// Writes number as exactly `width` decimal digits, leading zeros included. A negative number
// writes zeros; one too large for the width writes nines.
void formatDigits(int32_t number, int width, char* out);
