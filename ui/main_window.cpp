// The main window's class, the window itself and the font and brush it shares with its controls.
#include "ui/main_window.h"

#include "ui/controls.h"

HWND mainWindow;
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

void createInterfaceResources() {
  uiFont = CreateFontA(16, 7, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_DONTCARE, "TAHOMA");
  faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
}

void createMainWindow(HINSTANCE instance) {
  // Border without a system menu: a title bar but no close box and no sizing frame.
  mainWindow = CreateWindowExA(0, "MainWindow", windowTitles[0], WS_CLIPCHILDREN | WS_BORDER,
                               CW_USEDEFAULT, CW_USEDEFAULT, mainWindowWidthPx, mainWindowHeightPx,
                               nullptr, nullptr, instance, nullptr);
}

void releaseInterfaceResources() {
  if (uiFont != nullptr) DeleteObject(uiFont);
  if (faceBrush != nullptr) DeleteObject(faceBrush);
  uiFont = nullptr;
  faceBrush = nullptr;
}
