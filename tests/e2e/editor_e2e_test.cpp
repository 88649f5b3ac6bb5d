// The settings window end to end: the real editor started on a prepared file, driven from outside.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

namespace {

const char kSettingsFile[] = "quenlix.ini";
const std::string kPreparedSettings =
    "MEM:064\r\nFPS:2\r\nUHRZEIT:1\r\nWINDOWED:1\r\nFSAA:4\r\nSTATS:1\r\n";
constexpr size_t kControlCount = 22;
constexpr size_t kWindowedCheck = 13;

enum class Kind { kPushButton, kCheckBox, kList, kOther };

// Told apart by class and by the style bits that make the control what it is.
Kind kindOf(HWND control) {
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  const std::string name = className(control);
  if (lstrcmpiA(name.c_str(), "COMBOBOX") == 0)
    return (style & 3) == CBS_DROPDOWNLIST ? Kind::kList : Kind::kOther;
  if (lstrcmpiA(name.c_str(), "BUTTON") != 0) return Kind::kOther;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
      return Kind::kPushButton;
    case BS_AUTOCHECKBOX:
      return Kind::kCheckBox;
    default:
      return Kind::kOther;
  }
}

// One control as the prepared file shows it, in display order 0. A list's text is its selected
// entry; its value the selected index. A check box's value is its check state.
struct ShownControl {
  Kind kind;
  int germanX, englishX, y, germanWidth, englishWidth;
  const char* german;
  const char* english;
  int value;
};

// What a push button shows as its value; no list or check box answers -2.
constexpr int kNoValue = -2;

// Every child in the order of its creation. Values not in the prepared file are the defaults.
// clang-format off
const ShownControl kShownControls[kControlCount] = {
    {Kind::kList,       5,   5,   32,  110, 110, "rechts oben",                   "upper right",                   2       },
    {Kind::kPushButton, 150, 140, 5,   110, 110, "Reihenfolge",                   "Sequence",                      kNoValue},
    {Kind::kCheckBox,   120, 120, 60,  150, 150, "Framerate",                     "Framerate",                     1       },
    {Kind::kList,       25,  25,  82,  110, 110, "digitale",                      "digital",                       1       },
    {Kind::kCheckBox,   120, 120, 110, 150, 150, "Texturmasse",                   "Texturemass",                   1       },
    {Kind::kList,       305, 305, 32,  50,  50,  " 64",                           " 64",                           56      },
    {Kind::kCheckBox,   340, 340, 65,  235, 235, "GL_EXT_paletted_texture",       "GL_EXT_paletted_texture",       1       },
    {Kind::kCheckBox,   340, 340, 95,  235, 235, "GL_EXT_shared_texture_palette", "GL_EXT_shared_texture_palette", 1       },
    {Kind::kCheckBox,   340, 340, 125, 235, 235, "GL_EXT_packed_pixels",          "GL_EXT_packed_pixels",          1       },
    {Kind::kCheckBox,   340, 340, 155, 205, 205, "DirectX f\xFCr Videos",         "DirectX for videos",            0       },
    {Kind::kCheckBox,   340, 340, 185, 205, 205, "Textur f\xFCr Videos",          "Texture for videos",            1       },
    {Kind::kCheckBox,   340, 340, 215, 155, 155, "Feste Gamma-Tabelle",           "Fixed gamma-table",             0       },
    {Kind::kList,       302, 302, 242, 53,  53,  "auto",                          "auto",                          0       },
    {Kind::kCheckBox,   5,   5,   175, 115, 115, "Fenstermodus",                  "Window-mode",                   1       },
    {Kind::kCheckBox,   150, 150, 175, 115, 115, "Zentriert",                     "Centred",                       0       },
    {Kind::kCheckBox,   5,   5,   205, 140, 140, "Maus begrenzen",                "Captured mouse",                0       },
    {Kind::kCheckBox,   150, 150, 205, 130, 145, "Fenster extras",                "Window extras",                 0       },
    {Kind::kCheckBox,   5,   5,   235, 140, 140, "Desktopaufl\xF6sung",           "Desktopresolution",             0       },
    {Kind::kList,       5,   5,   262, 55,  55,  "4x",                            "4x",                            2       },
    {Kind::kPushButton, 30,  30,  315, 150, 150, "Deutsch/English",               "English/Deutsch",               kNoValue},
    {Kind::kPushButton, 300, 300, 315, 150, 150, "Speichern",                     "Save",                          kNoValue},
    {Kind::kPushButton, 470, 470, 315, 150, 150, "Beenden",                       "Quit",                          kNoValue},
};
// clang-format on

std::string shownText(HWND control) {
  return kindOf(control) == Kind::kList ? entryText(control, selectedIndex(control))
                                        : windowText(control);
}

int shownValue(HWND control) {
  switch (kindOf(control)) {
    case Kind::kList:
      return selectedIndex(control);
    case Kind::kCheckBox:
      return checkState(control);
    default:
      return kNoValue;
  }
}

// Names each case of a table after its name field.
template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& testCase) {
  return testCase.param.name;
}

// A fresh directory with the settings file in it, and the editor started there.
class EditorTest : public ::testing::Test {
 protected:
  void start(const std::string& settings, WORD showState) {
    directory_.writeFile(kSettingsFile, settings);
    editor_ = std::make_unique<EditorProcess>(directory_.path(), showState);
    ASSERT_TRUE(editor_->started())
        << "cannot start " << MORVANE_EDITOR_PATH << ", error " << GetLastError();
    window_ = editor_->waitForMainWindow();
    ASSERT_NE(nullptr, window_) << "the editor shows no MainWindow";
  }

  std::vector<HWND> controls() const { return childControls(window_); }

  // Clicks the windowed check box and waits until it shows `expectedState`, which also shows
  // that the editor has handled all input sent before. Keys go to the window the click activated.
  void clickWindowedCheck(int expectedState) const {
    const std::vector<HWND> children = controls();
    ASSERT_EQ(kControlCount, children.size());
    const HWND windowed = children[kWindowedCheck];
    clickControl(windowed);
    ASSERT_TRUE(waitUntil([&] {
      return editor_->running() && checkState(windowed) == expectedState;
    })) << (editor_->running() ? "the click did not reach the editor" : "the editor has ended");
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == window_; }))
        << "the click did not activate the editor";
  }

  // Members end in reverse: the editor first, so its working directory can go.
  TempDirectory directory_;
  std::unique_ptr<EditorProcess> editor_;
  HWND window_ = nullptr;
};

struct Language {
  const char* name;
  const char* settingsLine;
  bool english;
  const char* title;
};

const Language kLanguages[] = {
    {"German",  "",              false, "Morvane - Initialisierung     (Version1.3c)"},
    {"English", "SPRACHE:1\r\n", true,  "Morvane - initialization     (version1.3c)" },
};

void PrintTo(const Language& language, std::ostream* out) {
  *out << language.name;
}

class ShownSettingsTest : public EditorTest, public ::testing::WithParamInterface<Language> {};

TEST_P(ShownSettingsTest, WindowShowsEveryLoadedSettingInItsLanguage) {
  const Language& language = GetParam();
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings + language.settingsLine, SW_SHOWNORMAL));
  EXPECT_TRUE(IsWindowVisible(window_));
  const SIZE size = outerSize(window_);
  EXPECT_EQ(640, size.cx);
  EXPECT_EQ(370, size.cy);
  EXPECT_EQ(language.title, windowText(window_));

  const std::vector<HWND> children = controls();
  ASSERT_EQ(kControlCount, children.size());
  for (size_t i = 0; i < kControlCount; ++i) {
    SCOPED_TRACE("child " + std::to_string(i + 1));
    const ShownControl& expected = kShownControls[i];
    const RECT rect = rectInClient(children[i], window_);
    EXPECT_EQ(expected.kind, kindOf(children[i]));
    EXPECT_EQ(language.english ? expected.englishX : expected.germanX, rect.left);
    EXPECT_EQ(expected.y, rect.top);
    EXPECT_EQ(language.english ? expected.englishWidth : expected.germanWidth,
              rect.right - rect.left);
    EXPECT_EQ(language.english ? expected.english : expected.german, shownText(children[i]));
    EXPECT_EQ(expected.value, shownValue(children[i]));
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShownSettingsTest, ::testing::ValuesIn(kLanguages),
                         caseName<Language>);

TEST_F(EditorTest, ShowsItsWindowWhenStartedHidden) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings, SW_HIDE));
  EXPECT_TRUE(IsWindowVisible(window_));
}

void pressAltF4(HWND) {
  pressChord({kAltKey, kF4Key});
}

void postCloseRequest(HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
}

struct Ending {
  const char* name;
  void (*end)(HWND window);
};

const Ending kEndings[] = {
    {"AltF4",            pressAltF4      },
    {"CloseFromOutside", postCloseRequest},
};

void PrintTo(const Ending& ending, std::ostream* out) {
  *out << ending.name;
}

class EndingTest : public EditorTest, public ::testing::WithParamInterface<Ending> {};

// A choice changed on screen and then the program ended: nothing reaches the file.
TEST_P(EndingTest, EndsWithExitCodeZeroAndWritesNothing) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings, SW_SHOWNORMAL));
  ASSERT_NO_FATAL_FAILURE(clickWindowedCheck(BST_UNCHECKED));

  GetParam().end(window_);
  ASSERT_TRUE(editor_->waitForExit()) << "the editor is still running";
  EXPECT_EQ(0u, editor_->exitCode());
  EXPECT_EQ(kPreparedSettings, directory_.readFile(kSettingsFile));
  EXPECT_EQ(std::vector<std::string>{kSettingsFile}, directory_.entries());
}

INSTANTIATE_TEST_SUITE_P(Endings, EndingTest, ::testing::ValuesIn(kEndings), caseName<Ending>);

struct OtherKeys {
  const char* name;
  std::vector<Key> chord;
};

const OtherKeys kOtherKeys[] = {
    {"F4WithoutAlt",    {kF4Key}         },
    {"AltWithOtherKey", {kAltKey, kF2Key}},
};

void PrintTo(const OtherKeys& keys, std::ostream* out) {
  *out << keys.name;
}

class OtherKeysTest : public EditorTest, public ::testing::WithParamInterface<OtherKeys> {};

// Input is handled in order: once a later click has shown, the keys before it were handled.
TEST_P(OtherKeysTest, LeaveTheEditorRunning) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings, SW_SHOWNORMAL));
  ASSERT_NO_FATAL_FAILURE(clickWindowedCheck(BST_UNCHECKED));

  pressChord(GetParam().chord);
  ASSERT_NO_FATAL_FAILURE(clickWindowedCheck(BST_CHECKED));
  EXPECT_TRUE(editor_->running());
}

INSTANTIATE_TEST_SUITE_P(Keys, OtherKeysTest, ::testing::ValuesIn(kOtherKeys), caseName<OtherKeys>);

}  // namespace
