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
constexpr const char* errorNumberFormat[2] = {"Fehler %lu", "Error %lu"};

constexpr int failureTextBytes = 3 * MAX_PATH;

// Appends as much of `text` as fits, always leaving the buffer terminated.
void append(char (&buffer)[failureTextBytes], const char* text) {
  const int used = lstrlenA(buffer);
  lstrcpynA(buffer + used, text, failureTextBytes - used);
}

// The system's own words for the error, in its language, without the line end it ends with.
void describeError(DWORD error, int column, char (&reason)[MAX_PATH]) {
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, reason, MAX_PATH, nullptr);
  if (length == 0) {
    wsprintfA(reason, errorNumberFormat[column], error);
    return;
  }
  for (int end = lstrlenA(reason); end > 0 && (reason[end - 1] == '\r' || reason[end - 1] == '\n');)
    reason[--end] = '\0';
}

// What the user needs to act: that Save failed, which file, and why.
void showSaveFailure(const char* target, DWORD error) {
  const int column = languageColumn();
  char reason[MAX_PATH] = {};
  describeError(error, column, reason);
  char text[failureTextBytes] = {};
  append(text, saveFailedText[column]);
  append(text, "\r\n\r\n");
  append(text, target);
  append(text, "\r\n");
  append(text, reason);
  MessageBoxA(mainWindow, text, saveFailedCaption[column], MB_OK | MB_ICONERROR);
}

}  // namespace

Settings choicesOnScreen() {
  Settings choices = settings;
  captureControlsInto(choices);
  // The memory list updates the record at every new selection; Save trusts the record.
  choices.textureMemoryMb = settings.textureMemoryMb;
  return choices;
}

DWORD writeSettingsFile(char (&target)[MAX_PATH]) {
  // Where the full path cannot be had, the name as it is still leads to the file.
  if (!finalPathOf(settingsFileName, target)) lstrcpynA(target, settingsFileName, MAX_PATH);
  return replaceFileWith(target, canonicalFile(choicesOnScreen()).text);
}

DWORD writeSettingsFile() {
  char target[MAX_PATH] = {};
  return writeSettingsFile(target);
}

void saveSettings() {
  char target[MAX_PATH] = {};
  const DWORD error = writeSettingsFile(target);
  if (error != ERROR_SUCCESS) showSaveFailure(target, error);
}
