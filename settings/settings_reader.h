// Reading the bytes of "quenlix.ini" into a settings record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/settings.h"

// True when the bytes at lineStart (bytesLeft of them) begin with the whole of key, its NUL
// left out; false when either is null.
bool matchKey(const unsigned char* lineStart, size_t bytesLeft, const char* key);

// The key that begins the line at lineStart (bytesLeft bytes to the end of the data), as the
// parse sees it, or null when the line carries no setting.
const char* keyOfLine(const unsigned char* lineStart, size_t bytesLeft);

// The record a file's bytes give: every field at its default, the language as given (the file
// and the user own it), then each setting the file holds, a stored refresh choice lowered to
// refreshCap, textureMemoryMb brought into 2-108. One UTF-8 byte-order mark at the very start is
// passed over. Reads no byte outside data[0, size); no data reads as no file.
Settings settingsOfFile(const unsigned char* data, size_t size, int32_t refreshCap,
                        int32_t language);
