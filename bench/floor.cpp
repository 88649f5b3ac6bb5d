// The floor's window and its controls, each made with one plain CreateWindowExA call, in the
// first display order.
#include "bench/floor.h"

namespace {

LRESULT CALLBACK floorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

void addEntry(HWND list, const char* text) {
  SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void fill(HWND list, ReferenceList entries, int column, int refreshSteps) {
  for (size_t index = 0; index < referenceEntryCount(entries, refreshSteps); ++index) {
    ReferenceEntryText text;
    referenceEntryInto(entries, index, column, text);
    addEntry(list, text);
  }
}

}  // namespace

void registerFloorClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = floorWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "FloorWindow";
  RegisterClassA(&windowClass);
}

FloorWindow createFloorWindow(HINSTANCE instance) {
  FloorWindow floor{};
  floor.font =
      CreateFontA(16, 7, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS,
                  CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_DONTCARE, "TAHOMA");
  floor.window =
      CreateWindowExA(0, "FloorWindow", referenceTitles[0], WS_CLIPCHILDREN | WS_BORDER,
                      CW_USEDEFAULT, CW_USEDEFAULT, 640, 370, nullptr, nullptr, instance, nullptr);
  return floor;
}

void rebuildFloorControls(FloorWindow& floor, int language, int refreshSteps) {
  const int column = language != 0 ? 1 : 0;
  for (size_t i = 0; i < referenceControlCount; ++i) {
    const ReferenceControl& control = referenceControls[i];
    if (floor.controls[i] != nullptr) DestroyWindow(floor.controls[i]);
    // Lists are made without text, as the editor makes them.
    const char* text = isReferenceList(control) ? nullptr : control.text[column];
    floor.controls[i] =
        CreateWindowExA(control.exStyle, control.className, text, control.style, control.x[column],
                        referenceY(control, 0), control.width[column], control.height, floor.window,
                        nullptr, nullptr, nullptr);
    SendMessageA(floor.controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(floor.font), TRUE);
    fill(floor.controls[i], control.list, column, refreshSteps);
  }
  SetWindowTextA(floor.window, referenceTitles[column]);
}

void rebuildFloorControlsOnce(FloorWindow& floor, int language, int refreshSteps) {
  SendMessageA(floor.window, WM_SETREDRAW, FALSE, 0);
  rebuildFloorControls(floor, language, refreshSteps);
  SendMessageA(floor.window, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(floor.window, nullptr, nullptr,
               RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
