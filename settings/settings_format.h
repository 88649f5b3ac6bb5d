// The canonical written form of "quenlix.ini": value digits and its fixed size.
#pragma once

#include <cstddef>
#include <cstdint>

// Twenty lines: 234 bytes of keys, 23 value bytes, 40 bytes of CR LF.
inline constexpr size_t canonicalFileBytes = 297;

// Writes number as exactly `width` decimal digits, leading zeros included. A negative number
// (a list without a selection) writes zeros; one too large for the width writes nines.
void formatDigits(int32_t number, int width, char* out);
