// Start-up, the message loop with its keyboard filter, and shutdown.
#include "app/refresh_probe.h"
#include "app/shell.h"
#include "settings/settings_file_win.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/exchange.h"
#include "ui/file_messages.h"
#include "ui/focus.h"
#include "ui/keys.h"
#include "ui/main_window.h"

static int quitRequested;

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

bool startEditorWindow(HINSTANCE instance) {
  // Before any window, or the system would stretch this one as a bitmap.
  declareDpiAwareness();
  registerMainWindowClass(instance);
  createInterfaceResources();
  createMainWindow(instance);
  if (mainWindow == nullptr) return false;
  // The probe sizes the refresh list and caps the stored refresh choice, so it comes first.
  probeRefreshRange();
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  loadSettings();
  buildControls();
  applySettings();
  return true;
}

int runEditor(HINSTANCE instance, int showState) {
  if (!startEditorWindow(instance)) {
    MessageBoxA(nullptr, "Das Fenster konnte nicht angelegt werden!", "Ein Fehler trat auf.",
                MB_OK);
    return 1;
  }
  // The second call shows the window even when the caller asked for it hidden.
  ShowWindow(mainWindow, showState);
  ShowWindow(mainWindow, SW_SHOW);
  // Told once the window is there to own it; the defaults stand behind it.
  if (startUpReadError != ERROR_SUCCESS) showLoadFailure(startUpReadError);
  SetFocus(cornerCombo);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  runMessageLoop();
  releaseInterfaceResources();
  DestroyWindow(mainWindow);
  return 0;
}
