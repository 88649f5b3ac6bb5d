// Save: the choices on screen written as the canonical file, and the message when that fails.
#pragma once

#include <windows.h>

#include "settings/settings.h"

// The record as Save writes it: every control's state as it stands now, with displayOrder and
// language, which no control holds, from the record. The record itself is not changed.
Settings choicesOnScreen();

// Replaces "quenlix.ini" (or the file it links to, so the link stays) with the canonical file
// for the choices on screen. Answers ERROR_SUCCESS or the error of the step that failed;
// `target` names the file written or meant to be written.
DWORD writeSettingsFile(wchar_t (&target)[MAX_PATH]);
DWORD writeSettingsFile();

// Save: writeSettingsFile, and when it fails a message owned by the main window that names the
// file and the reason. A file that was there but could not be read at start-up is read again
// first and replaced only when the user says so (askToReplaceUnreadFile).
void saveSettings();
