// A CBT hook that reads each message box as it is activated and answers it with OK.
#include "tests/win/message_watch.h"

#include "tests/win/test_support.h"

namespace {

ShownMessage watched;

BOOL CALLBACK takeStaticText(HWND child, LPARAM) {
  char className[16] = {};
  GetClassNameA(child, className, sizeof(className));
  if (lstrcmpiA(className, "Static") == 0 && !windowTextUtf8(child).empty())
    watched.text = windowTextUtf8(child);
  return TRUE;
}

LRESULT CALLBACK readAndClose(int code, WPARAM wParam, LPARAM lParam) {
  const HWND box = reinterpret_cast<HWND>(wParam);
  char className[16] = {};
  if (code == HCBT_ACTIVATE && GetClassNameA(box, className, sizeof(className)) &&
      std::string(className) == "#32770") {
    ++watched.boxes;
    watched.caption = windowTextUtf8(box);
    watched.owner = GetWindow(box, GW_OWNER);
    EnumChildWindows(box, takeStaticText, 0);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

ShownMessage watchMessages(void (*action)()) {
  watched = ShownMessage{};
  HHOOK hook = SetWindowsHookExA(WH_CBT, readAndClose, nullptr, GetCurrentThreadId());
  action();
  UnhookWindowsHookEx(hook);
  return watched;
}
