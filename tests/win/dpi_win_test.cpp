// The DPI awareness and the window's DPI on every system from XP to 11: each system is played by
// answering the editor's look-ups of the newer functions as that system would.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/win/editor_fixture.h"
#include "tests/win/import_patch.h"
#include "ui/dpi.h"
#include "ui/main_window.h"
#include "ui/main_window.h"

namespace {

std::vector<std::string> calls;
// How the pretended system's functions answer.
BOOL contextAnswer;
HRESULT awarenessAnswer;

BOOL WINAPI setAwarenessContext(HANDLE context) {
  calls.push_back("SetProcessDpiAwarenessContext " +
                  std::to_string(reinterpret_cast<LONG_PTR>(context)));
  return contextAnswer;
}

HRESULT WINAPI setAwareness(int awareness) {
  calls.push_back("SetProcessDpiAwareness " + std::to_string(awareness));
  return awarenessAnswer;
}

BOOL WINAPI setAware() {
  calls.push_back("SetProcessDPIAware");
  return TRUE;
}

// Each way of asking answers a DPI of its own, so the answer tells which way was taken.
UINT WINAPI dpiForWindow(HWND window) {
  calls.push_back(window == mainWindow ? "GetDpiForWindow" : "GetDpiForWindow of another window");
  return 120;
}

HRESULT WINAPI dpiForMonitor(HMONITOR monitor, int kind, UINT* dpiX, UINT* dpiY) {
  const bool windowsMonitor = monitor == MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST);
  calls.push_back("GetDpiForMonitor " + std::string(windowsMonitor ? "" : "of another display ") +
                  std::to_string(kind));
  *dpiX = 144;
  *dpiY = 168;
  return S_OK;
}

template <typename Function>
FARPROC asProc(Function function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

// The newer functions a system has; any other name is looked up for real.
std::map<std::string, FARPROC> offered;
decltype(&GetProcAddress) realGetProcAddress;
const char* const newerFunctions[] = {"SetProcessDpiAwarenessContext", "SetProcessDpiAwareness",
                                      "SetProcessDPIAware", "GetDpiForWindow", "GetDpiForMonitor"};

FARPROC WINAPI lookUp(HMODULE module, LPCSTR name) {
  for (const char* newer : newerFunctions) {
    if (HIWORD(name) != 0 && std::string(name) == newer) {
      const auto found = offered.find(name);
      return found == offered.end() ? nullptr : found->second;
    }
  }
  return realGetProcAddress(module, name);
}

// Runs `step` on a system that has the functions of `system`.
template <typename Step>
void onSystem(const std::map<std::string, FARPROC>& system, Step step) {
  offered = system;
  calls.clear();
  const ImportPatch<decltype(&GetProcAddress)> lookUps("kernel32.dll", "GetProcAddress", lookUp);
  realGetProcAddress = lookUps.original();
  ASSERT_TRUE(lookUps.patched());
  step();
}

using Strings = std::vector<std::string>;

// name, the newer functions the system has, how the two that may refuse answer, the calls made
struct AwarenessCase {
  const char* name;
  std::map<std::string, FARPROC> system;
  BOOL contextAnswer;
  HRESULT awarenessAnswer;
  Strings calls;
};

TEST(DpiAwareness, DeclaredByTheNewestMeansAndOnByTheNextWhenRefused) {
  const std::map<std::string, FARPROC> all = {
      {"SetProcessDpiAwarenessContext", asProc(setAwarenessContext)},
      {"SetProcessDpiAwareness",        asProc(setAwareness)       },
      {"SetProcessDPIAware",            asProc(setAware)           },
  };
  const std::map<std::string, FARPROC> windows81 = {
      {"SetProcessDpiAwareness", asProc(setAwareness)},
      {"SetProcessDPIAware",     asProc(setAware)    },
  };
  const std::map<std::string, FARPROC> windows7 = {
      {"SetProcessDPIAware", asProc(setAware)},
  };
  const AwarenessCase cases[] = {
      {"Windows 10 1703 on: per-monitor v2",         all,       TRUE,  S_OK, {"SetProcessDpiAwarenessContext -4"}                                                  },
      {"Windows 8.1: per-monitor",                   windows81, TRUE,  S_OK, {"SetProcessDpiAwareness 2"}                                                          },
      {"Wine 8: v2 refused, the others already set",
       all,                                                     FALSE,
       E_ACCESSDENIED,                                                       {"SetProcessDpiAwarenessContext -4", "SetProcessDpiAwareness 2", "SetProcessDPIAware"}},
      {"Windows Vista and 7: system-wide",           windows7,  TRUE,  S_OK, {"SetProcessDPIAware"}                                                                },
      {"Windows XP: nothing to declare",             {},        TRUE,  S_OK, {}                                                                                    },
  };
  for (const AwarenessCase& testCase : cases) {
    SCOPED_TRACE(testCase.name);
    contextAnswer = testCase.contextAnswer;
    awarenessAnswer = testCase.awarenessAnswer;
    onSystem(testCase.system, [] { declareDpiAwareness(); });
    EXPECT_EQ(testCase.calls, calls);
  }
}

using WindowDpi = EditorWindowTest;

TEST_F(WindowDpi, ReadByTheNewestMeansTheSystemHas) {
  int dpi = 0;
  onSystem(
      {
          {"GetDpiForWindow",  asProc(dpiForWindow) },
          {"GetDpiForMonitor", asProc(dpiForMonitor)}
  },
      [&dpi] { dpi = readWindowDpi(mainWindow); });
  EXPECT_EQ(120, dpi) << "Windows 10 1607 on";
  EXPECT_EQ(Strings{"GetDpiForWindow"}, calls);

  onSystem(
      {
          {"GetDpiForMonitor", asProc(dpiForMonitor)}
  },
      [&dpi] { dpi = readWindowDpi(mainWindow); });
  EXPECT_EQ(144, dpi) << "Windows 8.1: the effective DPI of the window's display, across";
  EXPECT_EQ(Strings{"GetDpiForMonitor 0"}, calls);

  HDC screen = GetDC(nullptr);
  const int screenDpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  onSystem({}, [&dpi] { dpi = readWindowDpi(mainWindow); });
  EXPECT_EQ(screenDpi, dpi) << "Windows XP to 8: the screen's";
  EXPECT_EQ(Strings{}, calls);
}

}  // namespace
