// What every end-to-end test shares: the editor started on a prepared file in a fresh directory.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/common/window_reference.h"
#include "tests/e2e/driver.h"
#include "tests/win/test_support.h"

inline constexpr char kSettingsFile[] = "quenlix.ini";
// Values that differ from the defaults in every kind of line: list, check box, memory, FSAA.
inline const std::string kPreparedSettings =
    "MEM:064\r\nFPS:2\r\nUHRZEIT:1\r\nWINDOWED:1\r\nFSAA:4\r\nSTATS:1\r\n";

// The prepared file as Save writes it, with `changed` giving new value digits for some keys.
std::string preparedAsSaved(const std::map<std::string, std::string>& changed = {});

// How the prepared file shows in the window: the value of each control it sets (check state or
// entry index); every other control shows its default.
inline const std::map<std::string, int> kPreparedShown = {
    {"MEM:",      56},
    {"FPS:",      2 },
    {"UHRZEIT:",  1 },
    {"WINDOWED:", 1 },
    {"FSAA:",     2 },
    {"STATS:",    1 },
};

// The main window's children in the order of their creation, as the reference lists them; the
// tests name these.
using Child = size_t;
inline constexpr size_t kControlCount = referenceControlCount;
inline constexpr Child kCornerCombo = referenceIndexOf("cornerCombo");
inline constexpr Child kOrderButton = referenceIndexOf("orderButton");
inline constexpr Child kFramerateCheck = referenceIndexOf("framerateCheck");
inline constexpr Child kClockCombo = referenceIndexOf("clockCombo");
inline constexpr Child kTextureMassCheck = referenceIndexOf("textureMassCheck");
inline constexpr Child kMemoryCombo = referenceIndexOf("memoryCombo");
inline constexpr Child kDirectXVideosCheck = referenceIndexOf("directXVideosCheck");
inline constexpr Child kWindowedCheck = referenceIndexOf("windowedCheck");
inline constexpr Child kCentredCheck = referenceIndexOf("centredCheck");
inline constexpr Child kFsaaCombo = referenceIndexOf("fsaaCombo");
inline constexpr Child kLanguageButton = referenceIndexOf("languageButton");
inline constexpr Child kSaveButton = referenceIndexOf("saveButton");
inline constexpr Child kQuitButton = referenceIndexOf("quitButton");

// The window titles, German and English.
inline constexpr const char* kGermanTitle = referenceTitles[0];
inline constexpr const char* kEnglishTitle = referenceTitles[1];

// Names each case of a table after its name field.
template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& testCase) {
  return testCase.param.name;
}

// A fresh directory with the settings file in it, and the editor started there.
class EditorTest : public ::testing::Test {
 protected:
  void start(const std::string& settings, WORD showState = SW_SHOWNORMAL);
  // Starts the editor without writing a settings file first.
  void startHere(WORD showState = SW_SHOWNORMAL);
  // Starts the editor as a display scaled to `dpi` would: the prefix's DPI, which each process
  // reads as it starts, is set for this start alone.
  void startAtDpi(const std::string& settings, DWORD dpi);

  // The main window's children as they are now; a rebuild replaces every handle.
  std::vector<HWND> controls() const { return childControls(window_); }
  HWND control(Child child) const;
  std::string settingsFile() const { return directory_.file(kSettingsFile); }

  // Clicks a check box and waits until it shows `expectedState`, which also shows that the
  // editor has handled all input sent before. Keys go to the window the click activated.
  void clickCheck(Child child, int expectedState) const;
  // Clicks a push button; the wait for its effect is the caller's.
  void clickButton(Child child) const;
  // Clicks Save and answers the file's bytes once it has been replaced. The wait watches the
  // file's size and time without opening it: a handle of the test's, even a shared one, would
  // make the editor's Save fail.
  std::string saveAndRead() const;
  // Clicks the face of the main window where no control is, which activates it.
  void clickFace() const;
  // Puts the keyboard focus on a control as a person would: the order button by pressing the
  // mouse on it without a click, any other by Tab presses from wherever the focus is.
  void focusOn(Child child) const;
  // Waits until the editor has ended and checks that it ended well and wrote nothing.
  void expectEndedWithoutWriting(const std::string& fileBefore) const;

  // Members end in reverse: the editor first, so its working directory can go.
  TemporaryDirectory directory_;
  std::unique_ptr<EditorProcess> editor_;
  HWND window_ = nullptr;
};
