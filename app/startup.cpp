// Start-up, the message loop with its keyboard filter, and shutdown.
#include "app/keys.h"
#include "app/refresh_probe.h"
#include "app/shell.h"
#include "settings/settings_reader.h"
#include "ui/controls.h"
#include "ui/exchange.h"
#include "ui/focus.h"
#include "ui/main_window.h"

HWND mainWindow;
HFONT uiFont;
HBRUSH faceBrush;

static int quitRequested;

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

void runMessageLoop() {
  MSG message{};
  while (quitRequested == 0) {
    GetMessageA(&message, nullptr, 0, 0);
    TranslateMessage(&message);
    if (message.message == WM_QUIT || (message.message == WM_SYSKEYDOWN && isAltF4(message.lParam)))
      quitRequested = 1;
    // Tab is the focus cycle's alone; the focused control never sees its key-down.
    if (message.message == WM_KEYDOWN && isTab(message.lParam)) {
      cycleFocus();
      continue;
    }
    DispatchMessageA(&message);
  }
}

void releaseInterfaceResources() {
  if (uiFont != nullptr) DeleteObject(uiFont);
  if (faceBrush != nullptr) DeleteObject(faceBrush);
  uiFont = nullptr;
  faceBrush = nullptr;
}

int runEditor(HINSTANCE instance, int showState) {
  registerMainWindowClass(instance);
  createInterfaceResources();
  createMainWindow(instance);
  if (mainWindow == nullptr) {
    MessageBoxA(nullptr, "Das Fenster konnte nicht angelegt werden!", "Ein Fehler trat auf.",
                MB_OK);
    return 1;
  }
  // The probe sizes the refresh list and caps the stored refresh choice, so it comes first.
  probeRefreshRange();
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  loadSettings();
  buildControls();
  applySettings();
  // The second call shows the window even when the caller asked for it hidden.
  ShowWindow(mainWindow, showState);
  ShowWindow(mainWindow, SW_SHOW);
  SetFocus(cornerCombo);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  runMessageLoop();
  releaseInterfaceResources();
  DestroyWindow(mainWindow);
  return 0;
}
