// The application shell: start-up, the message loop with its key filter, shutdown.
#pragma once

#include <windows.h>

// Until a quit message or Alt+F4; Tab goes to the focus cycle instead of the focused control.
void runMessageLoop();

// Start-up up to the filled, still hidden window, in its one order: DPI awareness, class, font
// and brush, the main window, the display probe, the settings file, the controls and their
// values. The editor, the bench, the soak and the Windows tests all start this way. False when
// the main window cannot be made; whether the file could be read is startUpReadError.
bool startEditorWindow(HINSTANCE instance);

// The whole program: start-up, loop, shutdown. Returns the process exit code.
int runEditor(HINSTANCE instance, int showState);
