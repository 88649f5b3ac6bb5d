// The editor when another program holds its file, and when the Windows session ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
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

// A game that holds the file at start-up: the editor says so over its window, then shows every
// value the prepared file changes at its default, and saves nothing on its own.
TEST_F(EditorTest, FileHeldOpenAtStartUpIsToldThenShowsTheDefaults) {
  writeWholeFile(settingsFile(), kPreparedSettings);
  FileHold hold(settingsFile());
  ASSERT_TRUE(hold.held());
  ASSERT_NO_FATAL_FAILURE(startHere());

  const std::string expectedText =
      "Die Einstellungen konnten nicht gelesen werden.\r\n\r\n" + settingsFile() + "\r\n" +
      systemText(ERROR_SHARING_VIOLATION) +
      "\r\n\r\nAngezeigt werden die Voreinstellungen; Speichern w\u00fcrde die Datei ersetzen.";
  const HWND message = waitForMessage(window_, "Ein Fehler trat auf.", expectedText);
  ASSERT_NE(nullptr, message) << "the unreadable file was taken for a missing one";
  EXPECT_EQ("Ein Fehler trat auf.", windowText(message));
  EXPECT_EQ(expectedText, staticText(message));
  EXPECT_EQ(window_, GetWindow(message, GW_OWNER));
  EXPECT_TRUE(IsWindowVisible(window_)) << "the message came before the window";
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == message; }));
  pressChord({kReturnKey});
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(message); })) << "the message stays";

  EXPECT_EQ(0, selectedIndex(control(kCornerCombo)));
  EXPECT_EQ(0, selectedIndex(control(kClockCombo)));
  EXPECT_EQ(8, selectedIndex(control(kMemoryCombo)));
  EXPECT_EQ(0, selectedIndex(control(kFsaaCombo)));
  EXPECT_EQ(BST_UNCHECKED, checkState(control(kWindowedCheck)));
  EXPECT_EQ(BST_UNCHECKED, checkState(control(kTextureMassCheck)));

  hold.release();
  ASSERT_NO_FATAL_FAILURE(clickFace());
  pressChord({kAltKey, kF4Key});
  expectEndedWithoutWriting(kPreparedSettings);
}

// A missing file is the ordinary first start: nothing to tell.
TEST_F(EditorTest, MissingFileAtStartUpSaysNothing) {
  ASSERT_NO_FATAL_FAILURE(startHere());
  ASSERT_NO_FATAL_FAILURE(clickFace());
  EXPECT_EQ(nullptr, findProcessWindow(window_, "#32770"));
  pressChord({kAltKey, kF4Key});
  ASSERT_TRUE(editor_->waitForExit());
  EXPECT_EQ("", directoryListing(directory_.path()));
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
