// The window procedure's commands, its paint pass and the focus cycle, on a real window.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ui/main_window.h"
#include "ui/window_procedure.h"
#include "settings/settings.h"
#include "tests/common/window_reference.h"
#include "tests/win/client_picture.h"
#include "tests/win/editor_fixture.h"
#include "tests/win/import_patch.h"
#include "ui/controls.h"
#include "ui/focus.h"
#include "ui/main_window.h"

namespace {

class Window : public EditorWindowTest {
 protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    ShowWindow(mainWindow, SW_SHOW);
    SetForegroundWindow(mainWindow);
  }
};

TEST_F(Window, OrderButtonStepsThroughSixOrdersAndBack) {
  settings.displayOrder = 3;
  rebuild();
  const int expectedOrders[] = {4, 5, 0, 1, 2, 3};
  for (int expected : expectedOrders) {
    sendCommand(orderButton, BN_CLICKED);
    EXPECT_EQ(expected, settings.displayOrder);
  }
  EXPECT_EQ(referenceControlCount, childWindows().size());
}

TEST_F(Window, LanguageButtonTogglesAndKeepsUnsavedChoices) {
  SendMessageA(windowedCheck, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(clockCombo, CB_SETCURSEL, 2, 0);
  sendCommand(languageButton, BN_CLICKED);
  EXPECT_EQ(1, settings.language);
  EXPECT_EQ("Window-mode", windowText(windowedCheck));
  EXPECT_EQ(BST_CHECKED, SendMessageA(windowedCheck, BM_GETCHECK, 0, 0));
  EXPECT_EQ(2, SendMessageA(clockCombo, CB_GETCURSEL, 0, 0));
  EXPECT_EQ("sm. analogue", listEntry(clockCombo, 2));
  sendCommand(languageButton, BN_CLICKED);
  EXPECT_EQ(0, settings.language);
  EXPECT_EQ("Fenstermodus", windowText(windowedCheck));
}

TEST_F(Window, CheckBoxClicksAndOtherNotificationsChangeNothing) {
  const Settings before = settings;
  SendMessageA(windowedCheck, BM_SETCHECK, BST_CHECKED, 0);
  sendCommand(windowedCheck, BN_CLICKED);
  SendMessageA(clockCombo, CB_SETCURSEL, 2, 0);
  sendCommand(clockCombo, CBN_SELCHANGE);
  sendCommand(nullptr, BN_CLICKED);
  EXPECT_EQ(0, memcmp(&before, &settings, sizeof(Settings)));
  EXPECT_EQ(referenceControlCount, childWindows().size());
}

TEST_F(Window, ButtonColourQueryGetsTheFaceBrush) {
  EXPECT_EQ(reinterpret_cast<LRESULT>(faceBrush),
            SendMessageA(mainWindow, WM_CTLCOLORBTN, 0, reinterpret_cast<LPARAM>(saveButton)));
}

// Paint and erase messages as each window's own procedure receives them: the main window and
// every control made during one click, subclassed the moment it is created.
namespace paintCount {

struct Counts {
  int paints = 0;
  int erases = 0;
};

std::map<HWND, Counts> counts;
// Kept for every window ever subclassed: a control of an earlier click still gets messages
// while it is destroyed.
std::map<HWND, WNDPROC> originals;
int controlsMade;

LRESULT CALLBACK counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) ++counts[window].paints;
  if (message == WM_ERASEBKGND) ++counts[window].erases;
  return CallWindowProcA(originals[window], window, message, wParam, lParam);
}

void subclass(HWND window) {
  originals[window] = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(counting)));
}

LRESULT CALLBACK subclassNewControl(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND &&
      reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->hwndParent == mainWindow) {
    subclass(reinterpret_cast<HWND>(wParam));
    ++controlsMade;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void drainQueue() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Clicks `button` with every window drawn and the queue empty, and counts what follows.
void countOneClick(HWND button) {
  RedrawWindow(mainWindow, nullptr, nullptr,
               RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  drainQueue();
  counts.clear();
  controlsMade = 0;
  subclass(mainWindow);
  HHOOK hook = SetWindowsHookExA(WH_CBT, subclassNewControl, nullptr, GetCurrentThreadId());
  sendCommand(button, BN_CLICKED);
  UnhookWindowsHookEx(hook);
  drainQueue();
  SetWindowLongPtrA(mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originals[mainWindow]));
}

}  // namespace paintCount

TEST_F(Window, AClickReachesTheScreenOnce) {
  namespace count = paintCount;
  for (HWND* button : {&languageButton, &orderButton}) {
    count::countOneClick(*button);
    SCOPED_TRACE(windowText(*button));
    EXPECT_EQ(1, count::counts[mainWindow].paints);
    EXPECT_LE(count::counts[mainWindow].erases, 1);
    ASSERT_EQ(static_cast<int>(referenceControlCount), count::controlsMade);
    for (HWND control : controlHandles()) {
      EXPECT_EQ(1, count::counts[control].paints) << windowText(control);
      EXPECT_LE(count::counts[control].erases, 1) << windowText(control);
    }
  }
}

// Lets the window paint, then reads its pixels back.
COLORREF pixelAt(int x, int y) {
  HDC dc = GetDC(mainWindow);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(mainWindow, dc);
  return colour;
}

void paintNow() {
  RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// x, y at 96 DPI, a negative one counted from the client area's far edge (-1 is the last pixel
// at every scale); the colour there.
struct PanelSample {
  int x, y;
  COLORREF colour;
};

constexpr COLORREF shadow = RGB(64, 64, 64), light = RGB(255, 255, 255), face = 0xFFFFFFFF;

constexpr PanelSample panelSamples[] = {
    {150, 0,   shadow},
    {0,   60,  shadow},
    {297, 60,  light },
    {150, 135, light },
    {0,   200, shadow},
    {297, 200, light },
    {150, 138, shadow},
    {150, -43, light },
    {300, 150, shadow},
    {-1,  150, light },
    {450, 0,   shadow},
    {450, -43, light },
    {100, -40, shadow},
    {-1,  -20, light },
    {10,  -1,  light },
    {0,   -20, shadow},
    {298, 60,  face  },
    {150, -41, face  },
};

int sampleAt(int coordinate, int extent, int dpi) {
  return coordinate < 0 ? extent - 1 - atDpi(-coordinate - 1, dpi) : atDpi(coordinate, dpi);
}

// Checks the panels' edges in whatever `pixelAt` reads from.
template <typename Reader>
void expectPanelsEtched(int dpi, Reader pixelAt) {
  RECT client{};
  GetClientRect(mainWindow, &client);
  for (const PanelSample& sample : panelSamples) {
    const int x = sampleAt(sample.x, client.right, dpi), y = sampleAt(sample.y, client.bottom, dpi);
    const COLORREF colour = sample.colour == face ? GetSysColor(COLOR_BTNFACE) : sample.colour;
    EXPECT_EQ(colour, pixelAt(x, y))
        << sample.x << "," << sample.y << " at " << x << "," << y << ", dpi " << dpi;
  }
}

TEST_F(Window, PanelsAreEtchedAtTheirEdges) {
  paintNow();
  expectPanelsEtched(96, pixelAt);
}

// Dark pixels in a caption's box show that its text was drawn there.
int darkPixelsIn(int left, int top, int width, int height) {
  HDC dc = GetDC(mainWindow);
  int dark = 0;
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x)
      if (GetRValue(GetPixel(dc, x, y)) < 80) ++dark;
  ReleaseDC(mainWindow, dc);
  return dark;
}

TEST_F(Window, ClockCaptionFollowsTheOrder) {
  // displayOrder -> y of the clock caption. The two check boxes that share its rows are hidden,
  // so whatever is dark in the caption's box there was painted by the window itself.
  const int clockY[6] = {85, 110, 85, 110, 60, 60};
  for (int order = 0; order < 6; ++order) {
    settings.displayOrder = order;
    rebuild();
    ShowWindow(framerateCheck, SW_HIDE);
    ShowWindow(textureMassCheck, SW_HIDE);
    paintNow();
    for (int row : {60, 85, 110}) {
      const int dark = darkPixelsIn(140, row + 2, 30, 12);
      if (row == clockY[order])
        EXPECT_GT(dark, 10) << "order " << order << " row " << row;
      else
        EXPECT_EQ(0, dark) << "order " << order << " row " << row;
    }
  }
}

// The text as the paint pass draws a caption, at (x, y) on the plain face of `picture`; answers
// its box.
RECT drawCaptionAlone(const ClientPicture& picture, int x, int y, const std::string& text) {
  HDC context = picture.context();
  const RECT all{0, 0, picture.width(), picture.height()};
  FillRect(context, &all, faceBrush);
  HGDIOBJ originalFont = SelectObject(context, uiFont);
  SetBkMode(context, TRANSPARENT);
  SetTextColor(context, RGB(0, 0, 0));
  TextOutA(context, x, y, text.data(), static_cast<int>(text.size()));
  SIZE extent{};
  GetTextExtentPoint32A(context, text.data(), static_cast<int>(text.size()), &extent);
  SelectObject(context, originalFont);
  return RECT{x, y, x + extent.cx, y + extent.cy};
}

bool darkAt(const ClientPicture& picture, int x, int y) {
  return GetRValue(picture.at(x, y)) < 80;
}

void expectCaptionsWhereTheyBelong(const ClientPicture& window, int language, int dpi) {
  ClientPicture alone;
  for (const ReferenceCaption& caption : referenceCaptions) {
    const std::string text = caption.text[language];
    SCOPED_TRACE(text + " at dpi " + std::to_string(dpi));
    const RECT box = drawCaptionAlone(alone, atDpi(caption.x, dpi), atDpi(caption.y, dpi), text);
    int dark = 0, differing = 0;
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) {
        dark += darkAt(alone, x, y);
        differing += darkAt(alone, x, y) != darkAt(window, x, y);
      }
    }
    EXPECT_GT(dark, 10) << "the caption alone draws nothing";
    EXPECT_EQ(0, differing) << "the window shows something else in the caption's box";
  }
}

TEST_F(Window, EveryCaptionStandsWhereItBelongsInBothLanguages) {
  for (int language = 0; language < 2; ++language) {
    settings.language = language;
    rebuild();
    paintNow();
    ClientPicture window;
    window.copyWindow();
    expectCaptionsWhereTheyBelong(window, language, 96);
  }
}

TEST_F(Window, PanelsAndCaptionsAtTheirScaledPlacesAtEveryDpi) {
  for (int dpi : displayDpis) {
    sendDpiChange(dpi);
    for (int language = 0; language < 2; ++language) {
      settings.language = language;
      rebuild();
      ClientPicture window;
      window.paintWindow();
      expectPanelsEtched(dpi, [&window](int x, int y) { return window.at(x, y); });
      expectCaptionsWhereTheyBelong(window, language, dpi);
    }
  }
}

// The paint pass drawn into a memory context of the test's own, so what the pass leaves selected
// and when it deletes its objects can be seen (the platform resets its own contexts on reuse).
namespace watchedPaint {

HDC context;
int pensCreated;
int pensDeleted;
int deletedWhileSelected;
decltype(&DeleteObject) realDeleteObject;
decltype(&CreatePen) realCreatePen;

HPEN WINAPI createPen(int style, int width, COLORREF colour) {
  ++pensCreated;
  return realCreatePen(style, width, colour);
}

BOOL WINAPI deleteObject(HGDIOBJ object) {
  if (GetObjectType(object) == OBJ_PEN) ++pensDeleted;
  if (object == GetCurrentObject(context, OBJ_PEN) ||
      object == GetCurrentObject(context, OBJ_BRUSH) ||
      object == GetCurrentObject(context, OBJ_FONT))
    ++deletedWhileSelected;
  return realDeleteObject(object);
}

}  // namespace watchedPaint

TEST_F(Window, PaintPassLeavesNothingSelectedAndDeletesEveryPen) {
  namespace watch = watchedPaint;
  HDC screen = GetDC(mainWindow);
  watch::context = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, mainWindowWidthPx, mainWindowHeightPx);
  ReleaseDC(mainWindow, screen);
  HGDIOBJ originalBitmap = SelectObject(watch::context, canvas);
  const HGDIOBJ pen = GetCurrentObject(watch::context, OBJ_PEN);
  const HGDIOBJ brush = GetCurrentObject(watch::context, OBJ_BRUSH);
  const HGDIOBJ font = GetCurrentObject(watch::context, OBJ_FONT);

  {
    const ImportPatch<decltype(&CreatePen)> creates("gdi32.dll", "CreatePen", watch::createPen);
    const ImportPatch<decltype(&DeleteObject)> deletes("gdi32.dll", "DeleteObject",
                                                       watch::deleteObject);
    watch::realCreatePen = creates.original();
    watch::realDeleteObject = deletes.original();
    ASSERT_TRUE(creates.patched() && deletes.patched());
    for (int pass = 0; pass < 100; ++pass) paintWindowInto(watch::context);
  }

  EXPECT_EQ(300, watch::pensCreated);
  EXPECT_EQ(watch::pensCreated, watch::pensDeleted);
  EXPECT_EQ(0, watch::deletedWhileSelected) << "a selected pen is not really deleted";
  EXPECT_EQ(pen, GetCurrentObject(watch::context, OBJ_PEN));
  EXPECT_EQ(brush, GetCurrentObject(watch::context, OBJ_BRUSH));
  EXPECT_EQ(font, GetCurrentObject(watch::context, OBJ_FONT));
  // The same pass drew the face: the light edge of the right panel, the face inside it.
  EXPECT_EQ(RGB(255, 255, 255), GetPixel(watch::context, 297, 60));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), GetPixel(watch::context, 298, 60));
  SelectObject(watch::context, originalBitmap);
  DeleteObject(canvas);
  DeleteDC(watch::context);
}

using Focus = Window;

// The controls in the order Tab visits them from the first one, round to the first again.
std::vector<HWND> cycleOrder() {
  const std::vector<HWND> handles = controlHandles();
  std::vector<HWND> cycle;
  for (size_t at : referenceTabCycleFrom(referenceTabSuccessor(referenceControlCount - 1)))
    cycle.push_back(handles[at]);
  return cycle;
}

void expectFullCycle() {
  const std::vector<HWND> cycle = cycleOrder();
  SetFocus(cycle.back());
  ASSERT_EQ(cornerCombo, GetFocus());
  for (HWND next : cycle) {
    cycleFocus();
    EXPECT_EQ(next, GetFocus()) << windowText(next);
  }
}

TEST_F(Focus, StepsVisitTheCycleAndReturn) {
  expectFullCycle();
}

TEST_F(Focus, CycleWorksOnTheControlsOfARebuild) {
  sendCommand(languageButton, BN_CLICKED);
  sendCommand(orderButton, BN_CLICKED);
  expectFullCycle();
}

TEST_F(Focus, MainWindowGoesToTheCornerList) {
  SetFocus(mainWindow);
  cycleFocus();
  EXPECT_EQ(cornerCombo, GetFocus());
}

TEST_F(Focus, OrderButtonKeepsTheFocus) {
  SetFocus(orderButton);
  cycleFocus();
  EXPECT_EQ(orderButton, GetFocus());
}

}  // namespace
