// The editor when another program holds its file, and when the Windows session ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/editor_session.h"

namespace {

// Another program's handle on the settings file that lets nobody else in, until it is closed.
class FileHold {
 public:
  explicit FileHold(const std::string& path)
      : file_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~FileHold() { release(); }
  FileHold(const FileHold&) = delete;
  FileHold& operator=(const FileHold&) = delete;

  bool held() const { return file_ != INVALID_HANDLE_VALUE; }
  void release() {
    if (held()) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }
  // The handle, for whoever closes it from now on.
  HANDLE handOver() { return std::exchange(file_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE file_;
};

// The message box's text, UTF-8: a file message is wide.
std::string staticText(HWND dialog) {
  for (HWND child : childControls(dialog))
    if (lstrcmpiA(className(child).c_str(), "Static") == 0 && !windowTextUtf8(child).empty())
      return windowTextUtf8(child);
  return "<no text>";
}

// The editor's message box, once it is shown with its caption and text; null when none comes.
HWND waitForMessage(HWND window, const std::string& caption, const std::string& text) {
  HWND message = nullptr;
  if (!waitUntil([&] {
        message = findProcessWindow(window, "#32770");
        return message != nullptr && IsWindowVisible(message);
      }))
    return nullptr;
  // The box exists a moment before it carries its caption and text.
  waitUntil([&] { return windowText(message) == caption && staticText(message) == text; });
  return message;
}

// Closes `message` with a real Return press, which answers its default button.
void pressReturnOn(HWND message) {
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == message; }));
  pressChord({kReturnKey});
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(message); })) << "the message stays";
}

// A game holds the file, English by its language line, while the editor starts: the editor says
// so over its window in both languages, with what to do, and shows the defaults in German. The
// game lets go, the user changes one option and saves: Save asks first, a Return (No) keeps
// every stored byte, and only Yes writes what the window shows.
TEST_F(EditorTest, FileHeldAtStartUpIsToldAndSaveAsksBeforeReplacingIt) {
  const std::string stored = kPreparedSettings + "SPRACHE:1\r\n";
  writeWholeFile(settingsFile(), stored);
  FileHold hold(settingsFile());
  ASSERT_TRUE(hold.held());
  ASSERT_NO_FATAL_FAILURE(startHere());

  const std::string warningCaption = "Ein Fehler trat auf. / An error occurred.";
  const std::string warningText =
      "Die Einstellungen konnten nicht gelesen werden.\r\nThe settings could not be read.\r\n\r\n" +
      settingsFile() + "\r\n" + systemText(ERROR_SHARING_VIOLATION) +
      "\r\n\r\nAngezeigt werden die Voreinstellungen. Beenden Sie das Programm, das die Datei "
      "offen h\u00e4lt, und starten Sie dann den Editor erneut. Speichern fragt, bevor es die "
      "Datei "
      "ersetzt.\r\n\r\nThe defaults are shown. Close the program that has the file open, then "
      "start the editor again. Save asks before it replaces the file.";
  const HWND warning = waitForMessage(window_, warningCaption, warningText);
  ASSERT_NE(nullptr, warning) << "the unreadable file was taken for a missing one";
  EXPECT_EQ(warningCaption, windowText(warning));
  EXPECT_EQ(warningText, staticText(warning));
  EXPECT_EQ(window_, GetWindow(warning, GW_OWNER));
  EXPECT_TRUE(IsWindowVisible(window_)) << "the message came before the window";
  ASSERT_NO_FATAL_FAILURE(pressReturnOn(warning));

  EXPECT_EQ(kGermanTitle, windowText(window_));
  EXPECT_EQ(0, selectedIndex(control(kCornerCombo)));
  EXPECT_EQ(0, selectedIndex(control(kClockCombo)));
  EXPECT_EQ(8, selectedIndex(control(kMemoryCombo)));
  EXPECT_EQ(0, selectedIndex(control(kFsaaCombo)));
  EXPECT_EQ(BST_UNCHECKED, checkState(control(kWindowedCheck)));
  EXPECT_EQ(BST_UNCHECKED, checkState(control(kTextureMassCheck)));

  hold.release();
  ASSERT_NO_FATAL_FAILURE(clickCheck(kCentredCheck, BST_CHECKED));
  const std::string questionCaption = "Einstellungen ersetzen?";
  const std::string questionText =
      "Die Datei konnte beim Start nicht gelesen werden:\r\n\r\n" + settingsFile() +
      "\r\n\r\nSollen die darin gespeicherten Einstellungen durch die im Fenster ersetzt werden?";
  clickButton(kSaveButton);
  const HWND question = waitForMessage(window_, questionCaption, questionText);
  ASSERT_NE(nullptr, question) << "Save replaced the unread file without asking";
  EXPECT_EQ(questionText, staticText(question));
  EXPECT_EQ(window_, GetWindow(question, GW_OWNER));
  ASSERT_NO_FATAL_FAILURE(pressReturnOn(question));
  EXPECT_EQ(stored, readWholeFile(settingsFile())) << "No must keep every stored byte";
  EXPECT_EQ("quenlix.ini\n", directoryListing(directory_.path()));

  clickButton(kSaveButton);
  const HWND askedAgain = waitForMessage(window_, questionCaption, questionText);
  ASSERT_NE(nullptr, askedAgain) << "after No, the next Save did not ask";
  const HWND yes = GetDlgItem(askedAgain, IDYES);
  ASSERT_NE(nullptr, yes);
  clickControl(yes);
  const std::string windowSettings = canonicalSettingsFile({
      {"ZENTRIERT:", "1"}
  });
  EXPECT_TRUE(waitUntil([&] { return readWholeFile(settingsFile()) == windowSettings; }))
      << readWholeFile(settingsFile());
  EXPECT_TRUE(waitUntil([&] { return !IsWindow(askedAgain); }));
  EXPECT_EQ(nullptr, findProcessWindow(window_, "#32770")) << "a box after Yes";

  ASSERT_NO_FATAL_FAILURE(clickFace());
  pressChord({kAltKey, kF4Key});
  expectEndedWithoutWriting(windowSettings);
}

// A missing file is the ordinary first start: nothing to tell, and Save makes the file without a
// question.
TEST_F(EditorTest, MissingFileAtStartUpSaysNothingAndSavesUnasked) {
  ASSERT_NO_FATAL_FAILURE(startHere());
  ASSERT_NO_FATAL_FAILURE(clickFace());
  EXPECT_EQ(nullptr, findProcessWindow(window_, "#32770"));
  EXPECT_EQ("", directoryListing(directory_.path())) << "the start wrote";
  EXPECT_EQ(canonicalSettingsFile(), saveAndRead());
  EXPECT_EQ(nullptr, findProcessWindow(window_, "#32770")) << "Save asked or failed";
  pressChord({kAltKey, kF4Key});
  expectEndedWithoutWriting(canonicalSettingsFile());
}

// The failure is told with the file and the reason, the file keeps its bytes, and Save works
// again once the file is free.
TEST_F(EditorTest, SaveWhileTheFileIsHeldFailsVisiblyAndLaterSucceeds) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  FileHold hold(settingsFile());
  ASSERT_TRUE(hold.held());
  clickButton(kSaveButton);

  const std::string expectedText = "Die Einstellungen konnten nicht gespeichert werden.\r\n\r\n" +
                                   settingsFile() + "\r\n" + systemText(ERROR_SHARING_VIOLATION);
  const HWND message = waitForMessage(window_, "Ein Fehler trat auf.", expectedText);
  ASSERT_NE(nullptr, message) << "Save failed without a word";
  EXPECT_EQ("Ein Fehler trat auf.", windowText(message));
  EXPECT_EQ(expectedText, staticText(message));
  EXPECT_EQ(window_, GetWindow(message, GW_OWNER));
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == message; }));
  pressChord({kReturnKey});
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(message); })) << "the message stays";
  EXPECT_TRUE(editor_->running());

  hold.release();
  EXPECT_EQ(kPreparedSettings, readWholeFile(settingsFile()));
  EXPECT_EQ("quenlix.ini\n", directoryListing(directory_.path()));
  EXPECT_EQ(preparedAsSaved(), saveAndRead());
  EXPECT_EQ(nullptr, findProcessWindow(window_, "#32770")) << "a successful Save says nothing";

  // A scanner's look at the file, 300 ms from the click, is waited out.
  ASSERT_NO_FATAL_FAILURE(clickCheck(kCentredCheck, BST_CHECKED));
  FileHold scanner(settingsFile());
  ASSERT_TRUE(scanner.held());
  std::string saved;
  {
    const ReleaseLater release(scanner.handOver(), 300);
    ASSERT_TRUE(release.started());
    saved = saveAndRead();
  }
  EXPECT_EQ(preparedAsSaved({
                {"ZENTRIERT:", "1"}
  }),
            saved);
  EXPECT_EQ(nullptr, findProcessWindow(window_, "#32770")) << "Save gave up on a short hold";
}

// The session may end without a question, and ending it saves nothing.
TEST_F(EditorTest, EndOfSessionIsAllowedAndWritesNothing) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  ASSERT_NO_FATAL_FAILURE(clickCheck(kWindowedCheck, BST_UNCHECKED));

  DWORD_PTR answer = 0;
  ASSERT_TRUE(
      SendMessageTimeoutA(window_, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, kPatienceMs, &answer));
  EXPECT_EQ(TRUE, static_cast<BOOL>(answer));
  EXPECT_EQ(nullptr, findProcessWindow(window_, "#32770")) << "the editor asked something";
  ASSERT_TRUE(
      SendMessageTimeoutA(window_, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, kPatienceMs, nullptr) ||
      !editor_->running());
  EXPECT_EQ(kPreparedSettings, readWholeFile(settingsFile()));

  if (editor_->running()) {
    // Tab presses that visibly move the focus prove the keyboard reaches the editor; a click
    // alone may activate it a moment before its keys arrive there.
    ASSERT_NO_FATAL_FAILURE(focusOn(kCentredCheck));
    pressChord({kAltKey, kF4Key});
  }
  expectEndedWithoutWriting(kPreparedSettings);
}

}  // namespace
