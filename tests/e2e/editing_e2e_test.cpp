// Using the editor as a person would: Save, the display orders, the keyboard and the painted face
// in the standard and in a high-contrast scheme.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/editor_session.h"

namespace {

TEST_F(EditorTest, SaveWritesWhatTheWindowShows) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  ASSERT_NO_FATAL_FAILURE(clickCheck(kWindowedCheck, BST_UNCHECKED));

  const std::string expected = preparedAsSaved({
      {"WINDOWED:", "0"}
  });
  ASSERT_EQ(canonicalSettingsFile().size(), expected.size());
  EXPECT_EQ(expected, saveAndRead());
  EXPECT_EQ("quenlix.ini\n", directoryListing(directory_.path()));
  EXPECT_TRUE(editor_->running());
}

// The memory list keeps the record up to date itself: Save needs nothing else.
TEST_F(EditorTest, SaveWritesTheMemoryChosenWithTheKeyboard) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  ASSERT_NO_FATAL_FAILURE(focusOn(kMemoryCombo));
  pressChord({kDownKey});
  pressChord({kDownKey});
  ASSERT_TRUE(waitUntil([&] { return selectedIndex(control(kMemoryCombo)) == 58; }));

  const std::string expected = preparedAsSaved({
      {"MEM:", "066"}
  });
  EXPECT_EQ(expected, saveAndRead());
}

bool isCaptionInk(COLORREF colour) {
  return GetRValue(colour) < 0x60 && GetGValue(colour) < 0x60 && GetBValue(colour) < 0x60;
}

// Whether any pixel of the box from (x, y), `width` by 13, is text ink.
bool hasInk(const ClientPixels& pixels, int x, int y, int width) {
  for (int row = y; row < y + 13; ++row)
    for (int column = x; column < x + width; ++column)
      if (isCaptionInk(pixels.at(column, row))) return true;
  return false;
}

// Each click moves the three rows on; the clock caption stands 3 pixels below its list.
TEST_F(EditorTest, SixOrderClicksBringTheRowsBack) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  for (int click = 1; click <= 6; ++click) {
    SCOPED_TRACE("click " + std::to_string(click));
    const OrderRowsY& rows = referenceOrderRows[click % 6];
    clickButton(kOrderButton);
    ASSERT_TRUE(waitUntil([&] {
      return controls().size() == kControlCount &&
             rectInClient(control(kClockCombo), window_).top == rows.clockList &&
             rectInClient(control(kFramerateCheck), window_).top == rows.framerate;
    })) << "the rows did not move";
    EXPECT_EQ(rows.textureMass, rectInClient(control(kTextureMassCheck), window_).top);
    EXPECT_EQ(BST_CHECKED, checkState(control(kFramerateCheck)));
    EXPECT_EQ(1, selectedIndex(control(kClockCombo)));
    EXPECT_EQ(BST_CHECKED, checkState(control(kTextureMassCheck)));
    EXPECT_TRUE(waitUntil([&] {
      return hasInk(ClientPixels(window_), 140, rows.clockList + 3, 30);
    })) << "no clock caption at its row";
  }
}

TEST_F(EditorTest, TabVisitsEveryControlOfTheCycleAndReturns) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  ASSERT_NO_FATAL_FAILURE(clickFace());
  // Activated by the click, the main window may hold the focus itself: Tab then starts the cycle.
  if (focusedWindow(window_) == window_) pressChord({kTabKey});
  const std::vector<HWND> children = controls();
  ASSERT_EQ(kControlCount, children.size());
  ASSERT_TRUE(waitUntil([&] { return focusedWindow(window_) == children[kCornerCombo]; }));

  // The cycle is the order of creation without what Tab skips, back to the corner list.
  std::vector<HWND> cycle;
  for (size_t at : referenceTabCycleFrom(kCornerCombo)) cycle.push_back(children[at]);
  ASSERT_EQ(0, std::count(cycle.begin(), cycle.end(), children[kOrderButton]));
  for (size_t step = 0; step < cycle.size(); ++step) {
    pressChord({kTabKey});
    ASSERT_TRUE(waitUntil([&] { return focusedWindow(window_) == cycle[step]; }))
        << "step " << step + 1 << " did not reach child " << className(cycle[step]) << " \""
        << windowText(cycle[step]) << "\"";
  }

  pressChord({kShiftKey, kTabKey});
  EXPECT_TRUE(waitUntil([&] { return focusedWindow(window_) == children[kFramerateCheck]; }))
      << "Shift+Tab must move forward like Tab";
}

// Tab leaves the focus on the order button: Space then clicks it, which moves the rows.
TEST_F(EditorTest, TabLeavesTheOrderButtonFocused) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  ASSERT_NO_FATAL_FAILURE(focusOn(kOrderButton));
  pressChord({kTabKey});
  pressChord({kSpaceKey});
  EXPECT_TRUE(waitUntil([&] {
    return controls().size() == kControlCount &&
           rectInClient(control(kClockCombo), window_).top == referenceOrderRows[1].clockList;
  })) << "Space did not reach the order button";
}

// A point of the face, given in client coordinates at 96 DPI; a negative coordinate counts back
// from the right or bottom edge, -1 being the last column or row at every scale.
struct FacePoint {
  const char* what;
  int x, y;
  bool light;  // white, else the dark grey of the shadow
};

const FacePoint kPanelEdges[] = {
    {"upper left panel, left",   0,   70,  false},
    {"upper left panel, top",    150, 0,   false},
    {"upper left panel, right",  297, 70,  true },
    {"upper left panel, bottom", 150, 135, true },
    {"lower left panel, left",   0,   300, false},
    {"lower left panel, top",    150, 138, false},
    {"lower left panel, right",  297, 300, true },
    {"lower left panel, bottom", 10,  -43, true },
    {"right panel, left",        300, 150, false},
    {"right panel, top",         450, 0,   false},
    {"right panel, right",       -1,  150, true },
    {"right panel, bottom",      630, -43, true },
    {"bottom band, left",        0,   -20, false},
    {"bottom band, top",         10,  -40, false},
    {"bottom band, right",       -1,  -20, true },
    {"bottom band, bottom",      10,  -1,  true },
};

struct Look {
  const char* name;
  const char* settingsLine;
  const char* screenshot;
  DWORD dpi;
};

const Look kLooks[] = {
    {"German",     "",              "editor-de.bmp",     96 },
    {"English",    "SPRACHE:1\r\n", "editor-en.bmp",     96 },
    {"German150",  "",              "editor-de-150.bmp", 144},
    {"English150", "SPRACHE:1\r\n", "editor-en-150.bmp", 144},
};

void PrintTo(const Look& look, std::ostream* out) {
  *out << look.name;
}

int scaled(int px96, DWORD dpi) {
  return MulDiv(px96, static_cast<int>(dpi), 96);
}

int fromEdge(int coordinate, int size, DWORD dpi) {
  return coordinate < 0 ? size - 1 - scaled(-coordinate - 1, dpi) : scaled(coordinate, dpi);
}

COLORREF expectedColour(const FacePoint& point) {
  return point.light ? RGB(0xFF, 0xFF, 0xFF) : RGB(0x40, 0x40, 0x40);
}

COLORREF edgeShown(const ClientPixels& pixels, const FacePoint& point, DWORD dpi) {
  return pixels.at(fromEdge(point.x, pixels.width(), dpi), fromEdge(point.y, pixels.height(), dpi));
}

bool edgesShown(const ClientPixels& pixels, DWORD dpi) {
  for (const FacePoint& point : kPanelEdges)
    if (edgeShown(pixels, point, dpi) != expectedColour(point)) return false;
  return true;
}

// A part of the screen that nothing has drawn on yet reads black; every control has some face
// colour once it has painted itself.
bool controlsShown(HWND window, const ClientPixels& pixels) {
  for (HWND control : childControls(window)) {
    const RECT rect = rectInClient(control, window);
    bool drawn = false;
    for (int y = rect.top; y < rect.bottom && !drawn; ++y)
      for (int x = rect.left; x < rect.right && !drawn; ++x)
        drawn = pixels.at(x, y) != RGB(0, 0, 0);
    if (!drawn) return false;
  }
  return true;
}

class LookTest : public EditorTest, public ::testing::WithParamInterface<Look> {};

// Read from the screen: the etched panels, the face colour between them and every caption.
TEST_P(LookTest, FaceShowsPanelsAndCaptions) {
  const DWORD dpi = GetParam().dpi;
  ASSERT_NO_FATAL_FAILURE(startAtDpi(kPreparedSettings + GetParam().settingsLine, dpi));
  // Waits until the face is painted and every control has drawn itself, and two looks a quarter
  // of a second apart agree (an emulated 32-bit editor draws slowly), so the picture shows it
  // all. The checks below tell what is missing if that never comes.
  ClientPixels pixels(window_);
  waitUntil([&] {
    Sleep(250);
    const ClientPixels now(window_);
    const bool settled = edgesShown(now, dpi) && controlsShown(window_, now) && now == pixels;
    pixels = now;
    return settled;
  });
  ASSERT_GT(pixels.width(), 0) << "the screen could not be read";
  EXPECT_TRUE(pixels.saveBitmap(screenshotDirectory() + "\\" + GetParam().screenshot));

  for (const FacePoint& point : kPanelEdges)
    EXPECT_EQ(expectedColour(point), edgeShown(pixels, point, dpi)) << point.what;
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), pixels.at(scaled(285, dpi), scaled(45, dpi)))
      << "the face between the panels";
  for (const ReferenceCaption& caption : referenceCaptions)
    EXPECT_TRUE(hasInk(pixels, scaled(caption.x, dpi), scaled(caption.y, dpi), 30))
        << "no caption at (" << caption.x << ", " << caption.y << ") at 96 DPI";
}

INSTANTIATE_TEST_SUITE_P(Languages, LookTest, ::testing::ValuesIn(kLooks), caseName<Look>);

// The prefix's colour scheme is a high-contrast one (scripts/wine.sh makes that prefix and the
// test layer sets MORVANE_SCHEME=contrast there); otherwise it is the standard scheme.
bool inHighContrastPrefix() {
  char scheme[16] = {};
  return GetEnvironmentVariableA("MORVANE_SCHEME", scheme, sizeof(scheme)) != 0 &&
         std::string(scheme) == "contrast";
}

struct SchemeLook {
  const char* name;
  const char* settingsLine;
  const char* contrastScreenshot;
};

const SchemeLook kSchemeLooks[] = {
    {"German",  "",              "editor-de-contrast.bmp"},
    {"English", "SPRACHE:1\r\n", "editor-en-contrast.bmp"},
};

void PrintTo(const SchemeLook& look, std::ostream* out) {
  *out << look.name;
}

class SchemeLookTest : public EditorTest, public ::testing::WithParamInterface<SchemeLook> {};

// Read from the screen in the prefix's scheme: each caption's box holds the face colour and the
// scheme's text colour alone, and some of the text colour. In the high-contrast prefix the face
// is black, where a caption drawn in black would be invisible.
TEST_P(SchemeLookTest, CaptionsShowInTheTextColourOverTheFace) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_BTNTEXT);
  const bool highContrast = inHighContrastPrefix();
  if (highContrast) {
    ASSERT_EQ(RGB(0, 0, 0), face) << "the high-contrast prefix has another face colour";
    ASSERT_EQ(RGB(255, 255, 255), text) << "the high-contrast prefix has another text colour";
  }
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings + GetParam().settingsLine));
  // Once the face is painted, two looks a quarter of a second apart agree.
  ClientPixels pixels(window_);
  waitUntil([&] {
    Sleep(250);
    const ClientPixels now(window_);
    const bool settled = now.at(285, 45) == face && controlsShown(window_, now) && now == pixels;
    pixels = now;
    return settled;
  });
  ASSERT_GT(pixels.width(), 0) << "the screen could not be read";
  if (highContrast) {
    EXPECT_TRUE(pixels.saveBitmap(screenshotDirectory() + "\\" + GetParam().contrastScreenshot));
  }

  EXPECT_EQ(face, pixels.at(285, 45)) << "the face between the panels";
  for (const ReferenceCaption& caption : referenceCaptions) {
    int textPixels = 0, otherPixels = 0;
    for (int y = caption.y; y < caption.y + 13; ++y) {
      for (int x = caption.x; x < caption.x + 30; ++x) {
        const COLORREF colour = pixels.at(x, y);
        textPixels += colour == text;
        otherPixels += colour != text && colour != face;
      }
    }
    EXPECT_GT(textPixels, 10) << "no caption in the text colour at (" << caption.x << ", "
                              << caption.y << ")";
    EXPECT_EQ(0, otherPixels) << "another colour in the caption at (" << caption.x << ", "
                              << caption.y << ")";
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, SchemeLookTest, ::testing::ValuesIn(kSchemeLooks),
                         caseName<SchemeLook>);

}  // namespace
