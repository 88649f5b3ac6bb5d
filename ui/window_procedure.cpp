// The main window procedure and its paint pass.
#include "ui/main_window.h"
#include "ui/window_procedure.h"

#include <cstring>

#include "settings/settings.h"
#include "ui/captions.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/exchange.h"
#include "ui/keys.h"
#include "ui/save.h"

namespace {

// A panel is one closed path: two edges in the light pen, then two in the shadow pen back to
// the start. A negative coordinate counts from the client area's far edge (-1 is W-1 or H-1).
// Coordinates are at 96 DPI; -1 stays the last pixel at every scale.
struct PanelPath {
  POINT start;
  POINT lightTo[2];
  POINT shadowTo[2];
};

constexpr PanelPath panels[] = {
    {{-1, -40},  {{-1, -1}, {0, -1}},     {{0, -40}, {-1, -40}} },
    {{297, 0},   {{297, 135}, {0, 135}},  {{0, 0}, {297, 0}}    },
    {{297, 138}, {{297, -43}, {0, -43}},  {{0, 138}, {297, 138}}},
    {{-1, 0},    {{-1, -43}, {300, -43}}, {{300, 0}, {-1, 0}}   },
};

// The etch of the standard look. A high-contrast scheme's face may be black or white, where one
// of these would vanish: the scheme's own 3-D colours are chosen to stand out from its face.
constexpr COLORREF shadowColour = RGB(64, 64, 64);
constexpr COLORREF lightColour = RGB(255, 255, 255);

bool highContrastOn() {
  HIGHCONTRASTA highContrast{};
  highContrast.cbSize = sizeof(highContrast);
  return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(highContrast), &highContrast, 0) &&
         (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

int fromEdge(LONG coordinate, int extent) {
  return coordinate < 0 ? extent - 1 - scaledPx(-coordinate - 1) : scaledPx(coordinate);
}

void lineTo(HDC dc, POINT to, int width, int height) {
  LineTo(dc, fromEdge(to.x, width), fromEdge(to.y, height));
}

void drawPanels(HDC dc, int width, int height, HPEN lightPen, HPEN shadowPen) {
  for (const PanelPath& panel : panels) {
    MoveToEx(dc, fromEdge(panel.start.x, width), fromEdge(panel.start.y, height), nullptr);
    SelectObject(dc, lightPen);
    for (const POINT& to : panel.lightTo) lineTo(dc, to, width, height);
    SelectObject(dc, shadowPen);
    for (const POINT& to : panel.shadowTo) lineTo(dc, to, width, height);
  }
}

void drawCaptions(HDC dc) {
  const int column = languageColumn();
  SetBkMode(dc, TRANSPARENT);
  // The captions stand on the button face: the scheme's text colour for it keeps them readable
  // (black in the standard scheme).
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  for (const Caption& caption : allCaptions()) {
    const char* text = caption.text[column];
    TextOutA(dc, scaledPx(caption.x), scaledPx(captionY(caption, settings.displayOrder)), text,
             static_cast<int>(std::strlen(text)));
  }
}

// The whole client area every time, whatever part needs painting; the children are clipped out.
void paintWindow(HWND window) {
  const bool highContrast = highContrastOn();
  HPEN shadowPen =
      CreatePen(PS_SOLID, 1, highContrast ? GetSysColor(COLOR_3DSHADOW) : shadowColour);
  HPEN lightPen =
      CreatePen(PS_SOLID, 1, highContrast ? GetSysColor(COLOR_3DHIGHLIGHT) : lightColour);
  HPEN facePen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
  RECT client{};
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  // A pen still selected into a context is not deleted: put the originals back first.
  HGDIOBJ originalBrush = SelectObject(dc, faceBrush);
  HGDIOBJ originalPen = SelectObject(dc, facePen);
  HGDIOBJ originalFont = SelectObject(dc, uiFont);
  Rectangle(dc, 0, 0, client.right, client.bottom);
  drawPanels(dc, client.right, client.bottom, lightPen, shadowPen);
  drawCaptions(dc);
  SelectObject(dc, originalFont);
  SelectObject(dc, originalPen);
  SelectObject(dc, originalBrush);
  ReleaseDC(window, dc);
  DeleteObject(shadowPen);
  DeleteObject(lightPen);
  DeleteObject(facePen);
}

// A change of order or language renews every control; the record carries the values across.
// With the main window's redraw off, the controls are destroyed, made and filled unseen and
// the window and its children are drawn once at the end: otherwise every step shows, and the
// panels, captions and ticks flicker.
void rebuildKeepingValues() {
  SendMessageA(mainWindow, WM_SETREDRAW, FALSE, 0);
  captureControls();
  buildControls();
  applySettings();
  SendMessageA(mainWindow, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(mainWindow, nullptr, nullptr,
               RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void onClick(HWND sender) {
  // A menu or accelerator command has no sender; it must not match a control never created.
  if (sender == nullptr) return;
  if (sender == orderButton) {
    settings.displayOrder = (settings.displayOrder + 1) % displayOrderCount;
    rebuildKeepingValues();
  } else if (sender == quitButton) {
    PostQuitMessage(0);
  } else if (sender == saveButton) {
    saveSettings();
  } else if (sender == languageButton) {
    settings.language = settings.language == 0 ? 1 : 0;
    rebuildKeepingValues();
  }
}

// Another display, or a new scale: the font and the controls are made anew at the new DPI, the
// values kept as for a language change. The size is the window's own at that DPI, whatever the
// suggested rectangle's frame assumed; only its corner is taken.
void onDpiChanged(WPARAM wParam, const RECT& suggested) {
  const HFONT previousFont = adoptDpi(LOWORD(wParam));
  sizeMainWindow(suggested.left, suggested.top, 0);
  rebuildKeepingValues();
  DeleteObject(previousFont);
}

// The user chose another colour scheme: the face brush takes its face colour, and the window and
// its controls are drawn anew in it (the push buttons take the brush from WM_CTLCOLORBTN).
void onSystemColoursChanged(HWND window) {
  renewFaceBrush();
  RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void onCommand(WPARAM wParam, HWND sender) {
  const WORD notification = HIWORD(wParam);
  if (notification == BN_CLICKED)
    onClick(sender);
  else if (notification == CBN_SELCHANGE)
    followSelection(sender);
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paintWindow(window);
      break;
    case WM_SYSKEYDOWN:
      if (isAltF4(lParam)) PostQuitMessage(0);
      break;
    case WM_COMMAND:
      onCommand(wParam, reinterpret_cast<HWND>(lParam));
      break;
    case WM_DPICHANGED:
      onDpiChanged(wParam, *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SYSCOLORCHANGE:
      onSystemColoursChanged(window);
      break;
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(faceBrush);
    case WM_DESTROY:
      // However the window goes (the task list, another program's close), the program ends.
      PostQuitMessage(0);
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
