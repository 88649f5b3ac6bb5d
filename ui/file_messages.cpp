// The messages about the settings file. They are wide, unlike the window's texts: a path may
// hold letters the ANSI code page cannot spell (a Cyrillic folder on a Western system), and the
// user must see it as typed, not as question marks.
#include "ui/file_messages.h"

#include "settings/settings_file_win.h"
#include "settings/system_error_win.h"
#include "ui/controls.h"
#include "ui/main_window.h"

namespace {

// The texts as the box shows them, "\1" where the file's full path goes. Latin-1, whose bytes
// are the code points of their letters ("\xfc" is u with umlaut): they widen without a table
// and take half the room of wide strings.

// German / English
constexpr const char* saveFailedText[2] = {
    "Die Einstellungen konnten nicht gespeichert werden.\r\n\r\n\1\r\n",
    "The settings could not be saved.\r\n\r\n\1\r\n"};
// In place of the system's reason, which says no more than "Access is denied".
constexpr const char* readOnlyText[2] = {
    "Die Datei ist schreibgesch\xfctzt.\r\n\r\nEntfernen Sie in den Eigenschaften der Datei das "
    "H\xe4kchen bei \"Schreibgesch\xfctzt\" und speichern Sie erneut.",
    "The file is read-only.\r\n\r\nClear \"Read-only\" in the file's Properties, then save "
    "again."};
constexpr const char* replaceQuestionText[2] = {
    "Die Datei konnte beim Start nicht gelesen werden:\r\n\r\n\1\r\n\r\nSollen die darin "
    "gespeicherten Einstellungen durch die im Fenster ersetzt werden?",
    "The file could not be read when the editor started:\r\n\r\n\1\r\n\r\nReplace the settings "
    "stored in it with those in the window?"};
constexpr const char* failureCaption[2] = {"Ein Fehler trat auf.", "An error occurred."};
constexpr const char* replaceCaption[2] = {"Einstellungen ersetzen?", "Replace the settings?"};
constexpr const wchar_t* errorNumberFormat[2] = {L"Fehler %lu", L"Error %lu"};

// The start-up message is in both languages, German first: the file that would have named the
// language could not be read.
constexpr char loadFailedText[] =
    "Die Einstellungen konnten nicht gelesen werden.\r\n"
    "The settings could not be read.\r\n\r\n\1\r\n";
constexpr const char* defaultsShownText[2] = {"\r\n\r\nAngezeigt werden die Voreinstellungen. ",
                                              "\r\n\r\nThe defaults are shown. "};
// What to do: another program holds the file, so closing it helps; anything else (no
// permission, a folder in the file's place) the user must put right first.
constexpr const char* closeTheHolderText[2] = {
    "Beenden Sie das Programm, das die Datei offen h\xe4lt, und starten Sie dann den Editor "
    "erneut. ",
    "Close the program that has the file open, then start the editor again. "};
constexpr const char* onceReadableText[2] = {
    "Starten Sie den Editor erneut, sobald die Datei lesbar ist. ",
    "Start the editor again once the file can be read. "};
constexpr const char* saveAsksText[2] = {"Speichern fragt, bevor es die Datei ersetzt.",
                                         "Save asks before it replaces the file."};
constexpr char loadFailedCaption[] = "Ein Fehler trat auf. / An error occurred.";

constexpr int messageChars = 6 * MAX_PATH;

// A text being put together for one file, always terminated; what does not fit is cut off.
struct Message {
  explicit Message(const wchar_t* file) : path(file), length(0) { text[0] = L'\0'; }
  const wchar_t* path;
  int length;
  wchar_t text[messageChars];
};

// Leaves the terminator to the caller.
void appendLetter(Message& message, wchar_t letter) {
  if (message.length < messageChars - 1) message.text[message.length++] = letter;
}

// The text widened, with the path in its place.
void append(Message& message, const char* text) {
  for (; *text != '\0'; ++text) {
    if (*text != '\1') {
      appendLetter(message, static_cast<unsigned char>(*text));
      continue;
    }
    for (const wchar_t* letter = message.path; *letter != L'\0'; ++letter)
      appendLetter(message, *letter);
  }
  message.text[message.length] = L'\0';
}

// The system's own words for the error, in its language, without the line end it ends with.
void appendReason(Message& message, DWORD error, int column) {
  wchar_t* end = message.text + message.length;
  const DWORD length = systemErrorText(error, end, messageChars - message.length);
  message.length += length != 0 ? length : wsprintfW(end, errorNumberFormat[column], error);
}

int showMessage(const Message& text, const char* caption, UINT type) {
  Message wideCaption(L"");
  append(wideCaption, caption);
  return MessageBoxW(mainWindow, text.text, wideCaption.text, type);
}

bool isHeldOpen(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

void showSaveFailure(const wchar_t* target, DWORD error) {
  const int column = languageColumn();
  Message text(target);
  append(text, saveFailedText[column]);
  if (error == ERROR_FILE_READ_ONLY)
    append(text, readOnlyText[column]);
  else
    appendReason(text, error, column);
  showMessage(text, failureCaption[column], MB_OK | MB_ICONERROR);
}

void showLoadFailure(DWORD error) {
  wchar_t path[MAX_PATH];
  settingsFilePath(path);
  Message text(path);
  append(text, loadFailedText);
  appendReason(text, error, languageColumn());
  const char* const(&whatToDo)[2] = isHeldOpen(error) ? closeTheHolderText : onceReadableText;
  for (int column = 0; column < 2; ++column) {
    append(text, defaultsShownText[column]);
    append(text, whatToDo[column]);
    append(text, saveAsksText[column]);
  }
  showMessage(text, loadFailedCaption, MB_OK | MB_ICONERROR);
}

bool askToReplaceUnreadFile() {
  const int column = languageColumn();
  wchar_t path[MAX_PATH];
  settingsFilePath(path);
  Message text(path);
  append(text, replaceQuestionText[column]);
  return showMessage(text, replaceCaption[column], MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) ==
         IDYES;
}
