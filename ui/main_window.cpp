// The main window's class, the window itself and the font and brush it shares with its controls.
#include "ui/main_window.h"

#include "ui/controls.h"
#include "ui/window_procedure.h"
#include "ui/dpi.h"

HFONT uiFont;
HBRUSH faceBrush;

void registerMainWindowClass(HINSTANCE instance) {
  // No background brush: the paint pass draws everything before default processing runs.
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = mainWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "MainWindow";
  RegisterClassA(&windowClass);
}

namespace {

HFONT createUiFont() {
  return CreateFontA(scaledPx(16), scaledPx(7), 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET,
                     OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                     VARIABLE_PITCH | FF_DONTCARE, "TAHOMA");
}

HBRUSH createFaceBrush() {
  return CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
}

}  // namespace

void createInterfaceResources() {
  uiFont = createUiFont();
  faceBrush = createFaceBrush();
}

void renewFaceBrush() {
  const HBRUSH previous = faceBrush;
  faceBrush = createFaceBrush();
  DeleteObject(previous);
}

HFONT adoptDpi(int dpi) {
  windowDpi = dpi;
  const HFONT previous = uiFont;
  uiFont = createUiFont();
  return previous;
}

void sizeMainWindow(int left, int top, UINT moveFlag) {
  SetWindowPos(mainWindow, nullptr, left, top, scaledPx(mainWindowWidthPx),
               scaledPx(mainWindowHeightPx), moveFlag | SWP_NOZORDER | SWP_NOACTIVATE);
}

void createMainWindow(HINSTANCE instance) {
  // Border without a system menu: a title bar but no close box and no sizing frame.
  mainWindow = CreateWindowExA(0, "MainWindow", windowTitles[0], WS_CLIPCHILDREN | WS_BORDER,
                               CW_USEDEFAULT, CW_USEDEFAULT, mainWindowWidthPx, mainWindowHeightPx,
                               nullptr, nullptr, instance, nullptr);
  if (mainWindow == nullptr) return;
  // The window's display is known only once it exists; at 96 DPI it stays as it was made.
  const int dpi = readWindowDpi(mainWindow);
  if (dpi == windowDpi) return;
  DeleteObject(adoptDpi(dpi));
  sizeMainWindow(0, 0, SWP_NOMOVE);
}

void releaseInterfaceResources() {
  if (uiFont != nullptr) DeleteObject(uiFont);
  if (faceBrush != nullptr) DeleteObject(faceBrush);
  uiFont = nullptr;
  faceBrush = nullptr;
}
