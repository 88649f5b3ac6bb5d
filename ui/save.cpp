// Save: the controls' states into a copy of the record, its canonical bytes, the safe replace.
#include "ui/save.h"

#include "settings/settings_file_win.h"
#include "settings/settings_format.h"
#include "ui/controls.h"
#include "ui/exchange.h"
#include "ui/file_messages.h"

namespace {

// The reread and the replace may each wait up to a second for another program's hold on the
// file: meanwhile the cursor says the window is busy, as it does while the editor starts.
template <typename Step>
DWORD withWaitCursor(Step step) {
  const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const DWORD error = step();
  SetCursor(previous);
  return error;
}

// The file could not be read at start-up, so the window does not show what it stores. Read
// again now: still unreadable, Save fails as any failed Save does; gone, nothing stored can be
// lost; readable, the user decides.
bool mayReplaceUnreadFile() {
  const DWORD error = withWaitCursor(rereadSettingsFile);
  if (isMissingFile(error)) return true;
  if (error == ERROR_SUCCESS) return askToReplaceUnreadFile();
  wchar_t path[MAX_PATH];
  settingsFilePath(path);
  showSaveFailure(path, error);
  return false;
}

}  // namespace

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
  if (startUpReadError != ERROR_SUCCESS && !mayReplaceUnreadFile()) return;
  wchar_t target[MAX_PATH] = {};
  const DWORD error = withWaitCursor([&target] { return writeSettingsFile(target); });
  if (error != ERROR_SUCCESS) {
    showSaveFailure(target, error);
    return;
  }
  // The file now holds what the window shows.
  startUpReadError = ERROR_SUCCESS;
}
