// The window in other colour schemes: one chosen while it is open, and high contrast.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "settings/settings.h"
#include "tests/win/client_picture.h"
#include "tests/win/editor_fixture.h"
#include "tests/win/import_patch.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/window_procedure.h"

namespace {

// The colours a scheme gives the face, the text on it and the 3-D edges; all apart from one
// another and from the standard look's fixed etch (white, dark grey), so that a colour taken
// from the wrong place shows.
struct Scheme {
  COLORREF face, text, highlight, shadow;
  bool highContrast;
};

// What the code under test is told while a scheme is in force: the system's own answers but for
// the four colours and the high-contrast flag.
namespace told {

Scheme scheme;
decltype(&GetSysColor) realGetSysColor;
decltype(&SystemParametersInfoA) realSystemParametersInfo;

DWORD WINAPI sysColor(int index) {
  switch (index) {
    case COLOR_BTNFACE:
      return scheme.face;
    case COLOR_BTNTEXT:
      return scheme.text;
    case COLOR_3DHIGHLIGHT:
      return scheme.highlight;
    case COLOR_3DSHADOW:
      return scheme.shadow;
  }
  return realGetSysColor(index);
}

BOOL WINAPI systemParametersInfo(UINT action, UINT size, void* value, UINT flags) {
  if (action != SPI_GETHIGHCONTRAST) return realSystemParametersInfo(action, size, value, flags);
  auto* highContrast = static_cast<HIGHCONTRASTA*>(value);
  highContrast->dwFlags = HCF_AVAILABLE | (scheme.highContrast ? HCF_HIGHCONTRASTON : 0);
  highContrast->lpszDefaultScheme = nullptr;
  return TRUE;
}

}  // namespace told

// The system answers with `scheme` while this lives, and the window hears of each change as it
// does from the system.
class SchemeInForce {
 public:
  explicit SchemeInForce(const Scheme& scheme) {
    told::scheme = scheme;
    told::realGetSysColor = reinterpret_cast<decltype(&GetSysColor)>(
        patchImport("user32.dll", "GetSysColor", reinterpret_cast<void*>(told::sysColor)));
    told::realSystemParametersInfo = reinterpret_cast<decltype(&SystemParametersInfoA)>(
        patchImport("user32.dll", "SystemParametersInfoA",
                    reinterpret_cast<void*>(told::systemParametersInfo)));
    SendMessageA(mainWindow, WM_SYSCOLORCHANGE, 0, 0);
  }
  ~SchemeInForce() {
    patchImport("user32.dll", "GetSysColor", reinterpret_cast<void*>(told::realGetSysColor));
    patchImport("user32.dll", "SystemParametersInfoA",
                reinterpret_cast<void*>(told::realSystemParametersInfo));
    SendMessageA(mainWindow, WM_SYSCOLORCHANGE, 0, 0);
  }
  SchemeInForce(const SchemeInForce&) = delete;
  SchemeInForce& operator=(const SchemeInForce&) = delete;
  bool patched() const {
    return told::realGetSysColor != nullptr && told::realSystemParametersInfo != nullptr;
  }
};

class ColourScheme : public EditorWindowTest {
 protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    ShowWindow(mainWindow, SW_SHOW);
    // Everything drawn, so that only what the change itself invalidates is drawn again.
    RedrawWindow(mainWindow, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
};

COLORREF brushColour(HBRUSH brush) {
  LOGBRUSH description{};
  GetObjectA(brush, sizeof(description), &description);
  return description.lbColor;
}

COLORREF windowPixel(int x, int y) {
  HDC dc = GetDC(mainWindow);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(mainWindow, dc);
  return colour;
}

// Inside the right panel, where no control stands.
constexpr POINT facePoint{298, 60};

TEST_F(ColourScheme, ChangedWhileOpenRenewsTheBrushAndRepaints) {
  const HBRUSH before = faceBrush;
  const COLORREF faceBefore = windowPixel(facePoint.x, facePoint.y);
  const Scheme changed{RGB(10, 120, 200), RGB(250, 240, 5), RGB(5, 250, 245), RGB(200, 5, 190),
                       false};
  ASSERT_NE(faceBefore, changed.face);
  {
    SchemeInForce scheme(changed);
    ASSERT_TRUE(scheme.patched());
    EXPECT_NE(before, faceBrush);
    EXPECT_EQ(0u, GetObjectType(before)) << "the old brush is left undeleted";
    EXPECT_EQ(changed.face, brushColour(faceBrush));
    EXPECT_EQ(reinterpret_cast<LRESULT>(faceBrush),
              SendMessageA(mainWindow, WM_CTLCOLORBTN, 0, reinterpret_cast<LPARAM>(saveButton)));
    // Only what the change invalidated is painted here.
    UpdateWindow(mainWindow);
    EXPECT_EQ(changed.face, windowPixel(facePoint.x, facePoint.y));
  }
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), brushColour(faceBrush)) << "not back to the system's";
  UpdateWindow(mainWindow);
  EXPECT_EQ(faceBefore, windowPixel(facePoint.x, facePoint.y));
}

// The paint pass alone, in a picture of the test's own.
class PaintedPicture : public ClientPicture {
 public:
  PaintedPicture() { paintWindow(); }
};

// Whether high contrast is on, and the etch expected then in a scheme's colours.
struct ContrastCase {
  const char* name;
  bool highContrast;
  bool etchInSchemeColours;
};

const ContrastCase contrastCases[] = {
    {"HighContrastOn",  true,  true },
    {"HighContrastOff", false, false},
};

// A scheme as a high-contrast one has it: a black face, light text, bright edges.
constexpr Scheme blackScheme{RGB(0, 0, 0), RGB(255, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255),
                             false};

// The standard look draws four colours alone: face, white and dark grey etch, black ink. The
// same pass in another scheme draws each of its pixels in that scheme's counterpart, so every
// caption keeps its every pixel, in the text colour.
TEST_F(ColourScheme, CaptionsTakeTheTextColourAndTheEtchTheSchemesEdgesWithHighContrast) {
  const COLORREF standardFace = GetSysColor(COLOR_BTNFACE);
  const COLORREF white = RGB(255, 255, 255), darkGrey = RGB(64, 64, 64), black = RGB(0, 0, 0);
  ASSERT_TRUE(standardFace != white && standardFace != darkGrey && standardFace != black);
  for (const ContrastCase& contrast : contrastCases) {
    for (int language = 0; language < 2; ++language) {
      SCOPED_TRACE(std::string(contrast.name) + ", language " + std::to_string(language));
      settings.language = language;
      rebuild();
      const PaintedPicture standard;
      Scheme scheme = blackScheme;
      scheme.highContrast = contrast.highContrast;
      const SchemeInForce inForce(scheme);
      ASSERT_TRUE(inForce.patched());
      const PaintedPicture schemed;
      const COLORREF light = contrast.etchInSchemeColours ? scheme.highlight : white;
      const COLORREF shadow = contrast.etchInSchemeColours ? scheme.shadow : darkGrey;
      int ink = 0, wrong = 0;
      for (int y = 0; y < standard.height(); ++y) {
        for (int x = 0; x < standard.width(); ++x) {
          const COLORREF was = standard.at(x, y);
          const COLORREF expected = was == standardFace ? scheme.face
                                    : was == white      ? light
                                    : was == darkGrey   ? shadow
                                    : was == black      ? scheme.text
                                                        : was;
          ink += was == black;
          if (schemed.at(x, y) != expected && ++wrong <= 5)
            ADD_FAILURE() << "at " << x << "," << y << ": " << std::hex << schemed.at(x, y)
                          << " where " << expected << " belongs (standard " << was << ")";
        }
      }
      EXPECT_GT(ink, 1000) << "the standard pass drew hardly any captions";
      EXPECT_EQ(0, wrong);
    }
  }
}

}  // namespace
