// The messages about the settings file. They are wide, unlike the window's texts: a path may
// hold letters the ANSI code page cannot spell (a Cyrillic folder on a Western system), and the
// user must see it as typed, not as question marks.
#include "ui/file_messages.h"

#include "settings/settings_file_win.h"
#include "settings/system_error_win.h"
#include "ui/controls.h"
#include "ui/main_window.h"

namespace {

// German / English
constexpr const wchar_t* saveFailedText[2] = {
    L"Die Einstellungen konnten nicht gespeichert werden.", L"The settings could not be saved."};
constexpr const wchar_t* loadFailedText[2] = {L"Die Einstellungen konnten nicht gelesen werden.",
                                              L"The settings could not be read."};
constexpr const wchar_t* loadFailedConsequence[2] = {
    L"Angezeigt werden die Voreinstellungen; Speichern w\u00fcrde die Datei ersetzen.",
    L"The defaults are shown; Save would replace the file."};
constexpr const wchar_t* failureCaption[2] = {L"Ein Fehler trat auf.", L"An error occurred."};
constexpr const wchar_t* errorNumberFormat[2] = {L"Fehler %lu", L"Error %lu"};

constexpr int messageChars = 4 * MAX_PATH;

// Appends as much of `text` as fits, always leaving the buffer terminated.
void append(wchar_t (&buffer)[messageChars], const wchar_t* text) {
  const int used = lstrlenW(buffer);
  lstrcpynW(buffer + used, text, messageChars - used);
}

// The system's own words for the error, in its language, without the line end it ends with.
void describeError(DWORD error, int column, wchar_t (&reason)[MAX_PATH]) {
  if (systemErrorText(error, reason, MAX_PATH) == 0)
    wsprintfW(reason, errorNumberFormat[column], error);
}

// What the user needs to act: what failed, which file, why, and (if any) what follows.
void showFileFailure(const wchar_t* const (&headline)[2], const wchar_t* path, DWORD error,
                     const wchar_t* const (&consequence)[2]) {
  const int column = languageColumn();
  wchar_t reason[MAX_PATH] = {};
  describeError(error, column, reason);
  wchar_t text[messageChars] = {};
  append(text, headline[column]);
  append(text, L"\r\n\r\n");
  append(text, path);
  append(text, L"\r\n");
  append(text, reason);
  if (consequence[column] != nullptr) {
    append(text, L"\r\n\r\n");
    append(text, consequence[column]);
  }
  MessageBoxW(mainWindow, text, failureCaption[column], MB_OK | MB_ICONERROR);
}

constexpr const wchar_t* nothingFollows[2] = {nullptr, nullptr};

}  // namespace

void showSaveFailure(const wchar_t* target, DWORD error) {
  showFileFailure(saveFailedText, target, error, nothingFollows);
}

void showLoadFailure(DWORD error) {
  wchar_t path[MAX_PATH] = {};
  settingsFilePath(path);
  showFileFailure(loadFailedText, path, error, loadFailedConsequence);
}
