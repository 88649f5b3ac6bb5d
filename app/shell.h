// The application shell: start-up, the message loop with its key filter, shutdown.
#pragma once

#include <windows.h>

// Until a quit message or Alt+F4; Tab goes to the focus cycle instead of the focused control.
void runMessageLoop();

// The whole program: start-up, loop, shutdown. Returns the process exit code.
int runEditor(HINSTANCE instance, int showState);
