// Reading the bytes of "quenlix.ini" into a settings record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/settings.h"

// True when the bytes at lineStart (bytesLeft of them) begin with the whole of key.
bool matchKey(const unsigned char* lineStart, size_t bytesLeft, const char* key);

// Parses the file's bytes over whatever `record` holds (the caller puts the defaults in first),
// lowering a stored refresh choice to refreshCap, then brings textureMemoryMb into 2-108.
// Reads no byte outside data[0, size).
void parseSettings(const unsigned char* data, size_t size, int32_t refreshCap, Settings& record);
