// The floor the editor is measured against: a bare window holding the same controls, those of
// the tests' reference of the window, made by the plainest code that does the job.
#pragma once

#include <windows.h>

#include "tests/common/window_reference.h"

struct FloorWindow {
  HWND window;
  HFONT font;
  HWND controls[referenceControlCount];
};

// Class "FloorWindow": default processing only, the button face as its background.
void registerFloorClass(HINSTANCE instance);

// Hidden, the editor's size and style, with the editor's font; no controls yet.
FloorWindow createFloorWindow(HINSTANCE instance);

// Destroys the controls there are and creates them all anew, with their list entries and the
// window title, in German (language 0) or English (any other value). The refresh list holds
// "auto" and refreshSteps rates, as the editor's does.
void rebuildFloorControls(FloorWindow& floor, int language, int refreshSteps);

// The same with the window's redraw off until the last control is made, then one redraw of the
// window and all its children.
void rebuildFloorControlsOnce(FloorWindow& floor, int language, int refreshSteps);
