// What the editor's Save would change in a settings file's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Whether the bytes are exactly what Save writes for the record they give, on a display that
// offers `refreshCap` rates after "auto".
bool isCanonical(const unsigned char* data, size_t size, int32_t refreshCap);

// Writes one indented line to `out` for each way in which Save would change the file's bytes:
// dropped lines, values and old keys rewritten, keys added, the order, the line ends. Answers how
// many lines it wrote: 0 exactly when the bytes are already what Save writes.
size_t listChanges(const unsigned char* data, size_t size, int32_t refreshCap, FILE* out);
