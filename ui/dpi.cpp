// DPI awareness and the window's DPI, each asked for by the newest means the system has: every
// such function is looked up at run time, so the editor still starts on Windows XP.
#include "ui/dpi.h"

#include "settings/system_function_win.h"

int windowDpi = 96;

namespace {

// Windows 10 1703 on; Wine 8 knows it but refuses the per-monitor v2 context.
using SetAwarenessContext = BOOL(WINAPI*)(HANDLE);
const HANDLE perMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
// shcore.dll, Windows 8.1 on.
using SetAwareness = HRESULT(WINAPI*)(int);
constexpr int perMonitorAware = 2;
// Vista on.
using SetAware = BOOL(WINAPI*)();
// Windows 10 1607 on.
using DpiForWindow = UINT(WINAPI*)(HWND);
// shcore.dll, Windows 8.1 on. The window's display is looked up by name too: only this path
// needs it, and an import of its own would cost the executable more than the look-up.
using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using MonitorOfWindow = HMONITOR(WINAPI*)(HWND, DWORD);
constexpr int effectiveDpi = 0;

}  // namespace

void declareDpiAwareness() {
  const auto setContext =
      systemFunction<SetAwarenessContext>("user32.dll", "SetProcessDpiAwarenessContext");
  if (setContext != nullptr && setContext(perMonitorAwareV2)) return;
  const auto setAwareness = systemFunction<SetAwareness>("shcore.dll", "SetProcessDpiAwareness");
  if (setAwareness != nullptr && setAwareness(perMonitorAware) == S_OK) return;
  const auto setAware = systemFunction<SetAware>("user32.dll", "SetProcessDPIAware");
  if (setAware != nullptr) setAware();
}

int readWindowDpi(HWND window) {
  const auto forWindow = systemFunction<DpiForWindow>("user32.dll", "GetDpiForWindow");
  if (forWindow != nullptr) return static_cast<int>(forWindow(window));
  const auto forMonitor = systemFunction<DpiForMonitor>("shcore.dll", "GetDpiForMonitor");
  UINT dpiX = 0, dpiY = 0;
  const auto monitorOf = systemFunction<MonitorOfWindow>("user32.dll", "MonitorFromWindow");
  if (forMonitor != nullptr && monitorOf != nullptr &&
      forMonitor(monitorOf(window, MONITOR_DEFAULTTONEAREST), effectiveDpi, &dpiX, &dpiY) == S_OK)
    return static_cast<int>(dpiX);
  HDC dc = GetDC(window);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(window, dc);
  return dpi;
}
