// A CBT hook that reads each message box as it is activated and answers it.
#include "tests/win/message_watch.h"

#include "tests/win/test_support.h"

namespace {

ShownMessage watched;
int answerGiven = IDOK;

bool hasClass(HWND window, const char* name) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  return lstrcmpiA(className, name) == 0;
}

BOOL CALLBACK takeChild(HWND child, LPARAM) {
  if (hasClass(child, "Static") && !windowTextUtf8(child).empty())
    watched.text = windowTextUtf8(child);
  if (hasClass(child, "Button")) watched.buttons.push_back(GetDlgCtrlID(child));
  return TRUE;
}

LRESULT CALLBACK readAndAnswer(int code, WPARAM wParam, LPARAM lParam) {
  const HWND box = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && hasClass(box, "#32770")) {
    ++watched.boxes;
    watched.caption = windowTextUtf8(box);
    watched.owner = GetWindow(box, GW_OWNER);
    watched.buttons.clear();
    EnumChildWindows(box, takeChild, 0);
    // Both are fetched once the box is set up and waits for its answer.
    if (answerGiven == kPressReturn)
      PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
    else
      PostMessageA(box, WM_COMMAND, answerGiven, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

ShownMessage watchMessages(void (*action)(), int answer) {
  watched = ShownMessage{};
  answerGiven = answer;
  HHOOK hook = SetWindowsHookExA(WH_CBT, readAndAnswer, nullptr, GetCurrentThreadId());
  action();
  UnhookWindowsHookEx(hook);
  return watched;
}
