// Reading "quenlix.ini" into the settings record.
#pragma once

#include <cstddef>

// True when the bytes at lineStart (bytesLeft of them) begin with the whole of key.
bool matchKey(const unsigned char* lineStart, size_t bytesLeft, const char* key);

// Parses the file's bytes into settings over whatever the record holds, then brings
// textureMemoryMb into 2-108. Reads no byte outside data[0, size).
void readSettingsFrom(const unsigned char* data, size_t size);

// Defaults, then "quenlix.ini" from the working directory, if it can be opened (Win32 only).
void loadSettings();
