// Long-session soak: thousands of language toggles, order clicks and paint passes on the real
// window code, printing the process's object counts and memory before and after.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "app/shell.h"
#include "settings/settings.h"
#include "ui/window_procedure.h"
#include "ui/controls.h"
#include "tests/common/window_reference.h"
#include "ui/main_window.h"

namespace {

struct Figures {
  DWORD gdiObjects;
  DWORD userObjects;
  int windows;
  int children;
  size_t workingSetKb;
  size_t privateKb;
};

BOOL CALLBACK countWindow(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

// Every window of this thread, the controls' inner parts included.
int threadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
  int children = 0;
  EnumChildWindows(mainWindow, countWindow, reinterpret_cast<LPARAM>(&children));
  return count + children;
}

int directChildren() {
  int count = 0;
  for (HWND child = GetWindow(mainWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    ++count;
  return count;
}

Figures measure() {
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
  return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
          GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
          threadWindows(),
          directChildren(),
          memory.WorkingSetSize / 1024,
          memory.PagefileUsage / 1024};
}

void print(const char* when, const Figures& f) {
  std::printf(
      "%-28s GDI %5lu  USER %5lu  windows %4d  children %3d  working set %7zu KiB  private %7zu "
      "KiB\n",
      when, f.gdiObjects, f.userObjects, f.windows, f.children, f.workingSetKb, f.privateKb);
}

void pumpMessages() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

void click(HWND button) {
  SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  pumpMessages();
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 10000;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  startEditorWindow(instance);
  ShowWindow(mainWindow, SW_SHOW);
  pumpMessages();

  // Warm up once, so one-time allocations of the platform do not count as growth.
  click(languageButton);
  click(orderButton);
  mainWindowProc(mainWindow, WM_PAINT, 0, 0);
  const Figures start = measure();
  print("start", start);

  DWORD began = GetTickCount();
  for (int i = 0; i < rounds; ++i) click(languageButton);
  print("after language toggles", measure());
  std::printf("  %d toggles in %lu ms\n", rounds, GetTickCount() - began);
  began = GetTickCount();
  for (int i = 0; i < rounds; ++i) click(orderButton);
  print("after order clicks", measure());
  std::printf("  %d order clicks in %lu ms\n", rounds, GetTickCount() - began);
  began = GetTickCount();
  for (int i = 0; i < rounds; ++i) mainWindowProc(mainWindow, WM_PAINT, 0, 0);
  const Figures end = measure();
  print("after paint passes", end);
  std::printf("  %d paint passes in %lu ms\n", rounds, GetTickCount() - began);

  const bool flat = end.children == static_cast<int>(referenceControlCount) &&
                    end.windows == start.windows && end.gdiObjects == start.gdiObjects &&
                    end.userObjects == start.userObjects;
  if (flat)
    std::printf("flat: %d children, no object left behind\n", end.children);
  else
    std::printf("NOT FLAT: objects were left behind\n");
  DestroyWindow(mainWindow);
  releaseInterfaceResources();
  return flat ? 0 : 1;
}
