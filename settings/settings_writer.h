// Writing "quenlix.ini" in its canonical form from the controls and the record.
#pragma once

#include <windows.h>

// Writes the text's bytes without the terminator in one write. True when every byte went out;
// a null or empty text has nothing to write and succeeds, a null handle fails.
bool writeText(HANDLE file, const char* text);

// Writes the canonical file through a temporary one in the same directory that replaces
// "quenlix.ini" in one step. Whatever fails, the old file keeps its bytes and no temporary file
// is left. True on success.
bool writeSettingsFile();

// Save: writeSettingsFile, and a message owned by the main window when it fails.
void saveSettings();
