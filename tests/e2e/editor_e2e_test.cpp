// The settings window end to end: the real editor started on a prepared file, driven from outside.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/e2e/editor_session.h"

namespace {

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

// What a push button shows as its value; no list or check box answers -2.
constexpr int kNoValue = -2;

Kind referenceKind(const ReferenceControl& control) {
  if (isReferenceList(control)) return Kind::kList;
  return isReferenceCheckBox(control) ? Kind::kCheckBox : Kind::kPushButton;
}

// A control's value as the prepared file shows it: its own, or the default.
int preparedValue(const ReferenceControl& control) {
  if (control.fileKey == nullptr) return kNoValue;
  const auto prepared = kPreparedShown.find(control.fileKey);
  return prepared != kPreparedShown.end() ? prepared->second : control.defaultShown;
}

// What a control shows as text: a list its selected entry, anything else its own text. The
// plain display offers no 800 x 600 mode, so the refresh list holds "auto" alone.
std::string expectedText(const ReferenceControl& control, int value, int column) {
  if (!isReferenceList(control)) return control.text[column];
  return referenceEntry(control.list, static_cast<size_t>(value), column);
}

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

struct Language {
  const char* name;
  const char* settingsLine;
  bool english;
  const char* title;
};

const Language kLanguages[] = {
    {"German",  "",              false, kGermanTitle },
    {"English", "SPRACHE:1\r\n", true,  kEnglishTitle},
};

void PrintTo(const Language& language, std::ostream* out) {
  *out << language.name;
}

class ShownSettingsTest : public EditorTest, public ::testing::WithParamInterface<Language> {};

// A display's scale: its DPI and the window's outer size there, written out.
struct Scale {
  const char* name;
  DWORD dpi;
  SIZE outer;
};

const Scale k100Percent = {
    "At96", 96, {640, 370}
};

// A place or size of the table at the scale's DPI.
int at(const Scale& scale, int px96) {
  return MulDiv(px96, static_cast<int>(scale.dpi), 96);
}

// The platform keeps a window within the screen's largest tracking size: where the scaled size
// is more than the screen holds (200 % on this 1024 x 768 display), the window is cut down to
// about the screen's extent; its controls keep their scaled places.
void expectOuterExtent(int scaled, int shown, int screen) {
  if (scaled <= screen) {
    EXPECT_EQ(scaled, shown);
  } else {
    EXPECT_GE(shown, screen);
    EXPECT_LT(shown, scaled);
  }
}

// Checks the window and every child against the table in one language; `changed` gives the
// values of controls that the test has changed on screen. A changed list's text is its entry.
void expectWindowShows(HWND window, const Language& language,
                       const std::map<Child, int>& changed = {}, const Scale& scale = k100Percent) {
  EXPECT_TRUE(IsWindowVisible(window));
  const SIZE size = outerSize(window);
  expectOuterExtent(scale.outer.cx, size.cx, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  expectOuterExtent(scale.outer.cy, size.cy, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EXPECT_EQ(language.title, windowText(window));

  const std::vector<HWND> children = childControls(window);
  ASSERT_EQ(kControlCount, children.size());
  const int column = language.english ? 1 : 0;
  for (size_t i = 0; i < kControlCount; ++i) {
    const ReferenceControl& expected = referenceControls[i];
    SCOPED_TRACE(expected.name);
    const auto change = changed.find(i);
    const int value = change != changed.end() ? change->second : preparedValue(expected);
    const RECT rect = rectInClient(children[i], window);
    EXPECT_EQ(referenceKind(expected), kindOf(children[i]));
    EXPECT_EQ(at(scale, expected.x[column]), rect.left);
    EXPECT_EQ(at(scale, referenceY(expected, 0)), rect.top);
    EXPECT_EQ(at(scale, expected.width[column]), rect.right - rect.left);
    EXPECT_EQ(expectedText(expected, value, column), shownText(children[i]));
    EXPECT_EQ(value, shownValue(children[i]));
  }
}

TEST_P(ShownSettingsTest, WindowShowsEveryLoadedSettingInItsLanguage) {
  const Language& language = GetParam();
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings + language.settingsLine));
  expectWindowShows(window_, language);
}

INSTANTIATE_TEST_SUITE_P(Languages, ShownSettingsTest, ::testing::ValuesIn(kLanguages),
                         caseName<Language>);

const Scale kScales[] = {
    {"At120", 120, {800, 463} },
    {"At144", 144, {960, 555} },
    {"At192", 192, {1280, 740}},
};

void PrintTo(const Scale& scale, std::ostream* out) {
  *out << scale.dpi << " DPI";
}

class ScaledWindowTest : public EditorTest, public ::testing::WithParamInterface<Scale> {};

// Started on a scaled display, the window and every control are the 96-DPI ones scaled.
TEST_P(ScaledWindowTest, WindowShowsEverySettingAtItsScaledPlace) {
  ASSERT_NO_FATAL_FAILURE(
      startAtDpi(kPreparedSettings + kLanguages[1].settingsLine, GetParam().dpi));
  expectWindowShows(window_, kLanguages[1], {}, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledWindowTest, ::testing::ValuesIn(kScales), caseName<Scale>);

// The clock caption and the corner caption in German, then in English.
bool captionsChanged(const ClientPixels& before, const ClientPixels& after) {
  for (int y = 5; y < 18; ++y)
    for (int x = 5; x < 120; ++x)
      if (before.at(x, y) != after.at(x, y)) return true;
  return false;
}

// Choices changed on screen and not saved come through both switches; Save then writes them
// with the new language.
TEST_F(EditorTest, LanguageSwitchChangesTextsAndKeepsUnsavedChoices) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  ASSERT_NO_FATAL_FAILURE(clickCheck(kWindowedCheck, BST_UNCHECKED));
  ASSERT_NO_FATAL_FAILURE(clickCheck(kDirectXVideosCheck, BST_CHECKED));
  ASSERT_NO_FATAL_FAILURE(focusOn(kMemoryCombo));
  pressChord({kDownKey});
  ASSERT_TRUE(waitUntil([&] { return selectedIndex(control(kMemoryCombo)) == 57; }));
  const std::map<Child, int> changed = {
      {kWindowedCheck,      BST_UNCHECKED},
      {kDirectXVideosCheck, BST_CHECKED  },
      {kMemoryCombo,        57           }
  };
  const ClientPixels german(window_);

  for (const Language& language : {kLanguages[1], kLanguages[0], kLanguages[1]}) {
    SCOPED_TRACE(language.name);
    clickButton(kLanguageButton);
    ASSERT_TRUE(waitUntil([&] {
      return windowText(window_) == language.title && controls().size() == kControlCount;
    })) << "the language did not change";
    expectWindowShows(window_, language, changed);
  }
  EXPECT_TRUE(waitUntil([&] { return captionsChanged(german, ClientPixels(window_)); }))
      << "the captions are still German";
  EXPECT_EQ(kPreparedSettings, readWholeFile(settingsFile())) << "a switch saves nothing";

  const std::string expected = preparedAsSaved({
      {"WINDOWED:",      "0"  },
      {"MEM:",           "065"},
      {"DIRECTXVIDEOS:", "1"  },
      {"SPRACHE:",       "1"  }
  });
  EXPECT_EQ(expected, saveAndRead());
}

TEST_F(EditorTest, ShowsItsWindowWhenStartedHidden) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings, SW_HIDE));
  EXPECT_TRUE(IsWindowVisible(window_));
}

enum class Way { kAltF4, kQuitButton, kCloseFromOutside };

struct Ending {
  const char* name;
  Child focus;  // where the focus stands when the editor is ended
  Way way;
};

const Ending kEndings[] = {
    {"AltF4FromList",     kCornerCombo,   Way::kAltF4           },
    {"AltF4FromCheckBox", kWindowedCheck, Way::kAltF4           },
    {"AltF4FromButton",   kOrderButton,   Way::kAltF4           },
    {"QuitButton",        kWindowedCheck, Way::kQuitButton      },
    {"CloseFromOutside",  kWindowedCheck, Way::kCloseFromOutside},
};

void PrintTo(const Ending& ending, std::ostream* out) {
  *out << ending.name;
}

class EndingTest : public EditorTest, public ::testing::WithParamInterface<Ending> {};

// A choice changed on screen and then the program ended: nothing reaches the file.
TEST_P(EndingTest, EndsWithExitCodeZeroAndWritesNothing) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  ASSERT_NO_FATAL_FAILURE(clickCheck(kWindowedCheck, BST_UNCHECKED));
  ASSERT_NO_FATAL_FAILURE(focusOn(GetParam().focus));

  switch (GetParam().way) {
    case Way::kAltF4:
      pressChord({kAltKey, kF4Key});
      break;
    case Way::kQuitButton:
      clickButton(kQuitButton);
      break;
    case Way::kCloseFromOutside:
      PostMessageA(window_, WM_CLOSE, 0, 0);
      break;
  }
  expectEndedWithoutWriting(kPreparedSettings);
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
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  ASSERT_NO_FATAL_FAILURE(clickCheck(kWindowedCheck, BST_UNCHECKED));

  pressChord(GetParam().chord);
  ASSERT_NO_FATAL_FAILURE(clickCheck(kWindowedCheck, BST_CHECKED));
  EXPECT_TRUE(editor_->running());
}

INSTANTIATE_TEST_SUITE_P(Keys, OtherKeysTest, ::testing::ValuesIn(kOtherKeys), caseName<OtherKeys>);

}  // namespace
