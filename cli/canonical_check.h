// What the editor makes of a settings file's bytes, and what its Save would change in them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "settings/settings.h"

// The record the editor reads from these bytes (none for a missing file), German unless the
// file says otherwise, on a display that offers `refreshCap` rates after "auto".
Settings settingsOfFile(const unsigned char* data, size_t size, int32_t refreshCap);

// Whether the bytes are exactly what Save writes for the record they give.
bool isCanonical(const unsigned char* data, size_t size, int32_t refreshCap);

// Writes one indented line to `out` for each way in which Save would change the file's bytes:
// dropped lines, values and old keys rewritten, keys added, the order, the line ends. Answers how
// many lines it wrote: 0 exactly when the bytes are already what Save writes.
size_t listChanges(const unsigned char* data, size_t size, int32_t refreshCap, FILE* out);
