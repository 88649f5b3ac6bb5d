// Save: the controls' states into a copy of the record, its canonical bytes, the safe replace.
#include "ui/save.h"

#include "settings/settings_file.h"
#include "settings/settings_format.h"
#include "ui/controls.h"
#include "ui/exchange.h"
#include "ui/main_window.h"

namespace {

// German / English
constexpr const char* saveFailedText[2] = {"Die Einstellungen konnten nicht gespeichert werden.",
                                           "The settings could not be saved."};
constexpr const char* saveFailedCaption[2] = {"Ein Fehler trat auf.", "An error occurred."};

}  // namespace

Settings choicesOnScreen() {
  Settings choices = settings;
  captureControlsInto(choices);
  // The memory list updates the record at every new selection; Save trusts the record.
  choices.textureMemoryMb = settings.textureMemoryMb;
  return choices;
}

DWORD writeSettingsFile() {
  return replaceFileWith(settingsFileName, canonicalFile(choicesOnScreen()).text);
}

void saveSettings() {
  if (writeSettingsFile() == ERROR_SUCCESS) return;
  const int column = languageColumn();
  MessageBoxA(mainWindow, saveFailedText[column], saveFailedCaption[column], MB_OK | MB_ICONERROR);
}
