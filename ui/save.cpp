// Save: the controls' states into a copy of the record, its canonical bytes, the safe replace.
#include "ui/save.h"

#include "settings/settings_file_win.h"
#include "settings/settings_format.h"
#include "ui/controls.h"
#include "ui/exchange.h"
#include "ui/file_messages.h"

Settings choicesOnScreen() {
  Settings choices = settings;
  captureControlsInto(choices);
  return choices;
}

DWORD writeSettingsFile(wchar_t (&target)[MAX_PATH]) {
  return replaceSettingsFileHere(canonicalFile(choicesOnScreen()).text, target);
}

DWORD writeSettingsFile() {
  wchar_t target[MAX_PATH] = {};
  return writeSettingsFile(target);
}

void saveSettings() {
  wchar_t target[MAX_PATH] = {};
  const DWORD error = writeSettingsFile(target);
  if (error != ERROR_SUCCESS) showSaveFailure(target, error);
}
