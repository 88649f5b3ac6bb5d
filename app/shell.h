// The application shell: start-up, the message loop with its key filter, shutdown.
#pragma once

#include <windows.h>

// Until a quit message or Alt+F4; Tab goes to the focus cycle instead of the focused control.
void runMessageLoop();

// What start-up has made once the window is built and filled.
struct StartedEditor {
  bool windowMade;
  // ERROR_SUCCESS, or why a settings file that is there could not be read (defaults stand).
  DWORD loadError;
};

// Start-up up to the filled, still hidden window, in its one order: DPI awareness, class, font
// and brush, the main window, the display probe, the settings file, the controls and their
// values. The editor, the bench, the soak and the Windows tests all start this way.
StartedEditor startEditorWindow(HINSTANCE instance);

// The whole program: start-up, loop, shutdown. Returns the process exit code.
int runEditor(HINSTANCE instance, int showState);
