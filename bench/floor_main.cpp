// The bare window program: the floor for the editor's start-up and memory.
#include "bench/floor.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  registerFloorClass(instance);
  FloorWindow floor = createFloorWindow(instance);
  // The bench display offers no 800 x 600 mode, so the editor's refresh list holds "auto" alone.
  rebuildFloorControls(floor, 0, 0);
  ShowWindow(floor.window, SW_SHOW);
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DeleteObject(floor.font);
  return 0;
}
