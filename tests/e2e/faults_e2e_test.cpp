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

// Every shown value that the prepared file changes, at its default.
TEST_F(EditorTest, FileHeldOpenAtStartUpShowsTheDefaults) {
  writeWholeFile(settingsFile(), kPreparedSettings);
  FileHold hold(settingsFile());
  ASSERT_TRUE(hold.held());
  ASSERT_NO_FATAL_FAILURE(startHere());

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

std::string staticText(HWND dialog) {
  for (HWND child : childControls(dialog))
    if (lstrcmpiA(className(child).c_str(), "Static") == 0 && !windowText(child).empty())
      return windowText(child);
  return "<no text>";
}

// The failure is told with the file and the reason, the file keeps its bytes, and Save works
// again once the file is free.
TEST_F(EditorTest, SaveWhileTheFileIsHeldFailsVisiblyAndLaterSucceeds) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  FileHold hold(settingsFile());
  ASSERT_TRUE(hold.held());
  clickButton(kSaveButton);

  // The box exists before its texts are in place; it is shown once they are.
  HWND message = nullptr;
  ASSERT_TRUE(waitUntil([&] {
    message = findProcessWindow(window_, "#32770");
    return message != nullptr && IsWindowVisible(message);
  })) << "Save failed without a word";
  // The box exists a moment before it carries its caption and text.
  const std::string expectedText = "Die Einstellungen konnten nicht gespeichert werden.\r\n\r\n" +
                                   settingsFile() + "\r\n" + systemText(ERROR_SHARING_VIOLATION);
  EXPECT_TRUE(waitUntil([&] {
    return windowText(message) == "Ein Fehler trat auf." && staticText(message) == expectedText;
  })) << windowText(message)
      << " / " << staticText(message);
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
