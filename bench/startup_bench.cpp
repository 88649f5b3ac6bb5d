// Start-up of the editor against the bare window program, from process creation to the main
// window shown and answering, alternating the two. The bench script also has it wait for such a
// window before it reads the process's memory from outside.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/control_description.h"
#include "bench/records.h"

namespace {

constexpr DWORD kPatienceMs = 20000;

struct Program {
  const char* path;
  const char* className;
  std::vector<double> ms;
};

struct WindowSearch {
  DWORD processId;  // 0: any process
  const char* className;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  if ((search->processId != 0 && owner != search->processId) ||
      std::strcmp(name, search->className) != 0 || !IsWindowVisible(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

HWND visibleWindow(DWORD processId, const char* className) {
  WindowSearch search{processId, className, nullptr};
  EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Shown, and once a message sent to it has come back, its thread waits in its message loop.
// Null when no such window came within the patience.
HWND waitUntilAnswering(DWORD processId, const char* className) {
  const ULONGLONG deadline = GetTickCount64() + kPatienceMs;
  HWND window = nullptr;
  while ((window = visibleWindow(processId, className)) == nullptr) {
    if (GetTickCount64() > deadline) return nullptr;
    Sleep(1);
  }
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &ignored);
  return window;
}

double secondsNow() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Started {
  PROCESS_INFORMATION process;
  HWND window;
  double ms;
};

// The wait for input idle spares the polling most of the start-up; the window decides.
Started start(const Program& program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  std::string commandLine = std::string("\"") + program.path + "\"";
  Started started{};
  const double begin = secondsNow();
  if (!CreateProcessA(program.path, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started.process)) {
    std::fprintf(stderr, "%s did not start: error %lu\n", program.path, GetLastError());
    return started;
  }
  WaitForInputIdle(started.process.hProcess, kPatienceMs);
  started.window = waitUntilAnswering(started.process.dwProcessId, program.className);
  started.ms = 1000.0 * (secondsNow() - begin);
  return started;
}

// Only the start-up counts, and under Wine an orderly exit takes seconds: the process is ended.
void endAndWait(const Started& started) {
  if (started.process.hProcess == nullptr) return;
  TerminateProcess(started.process.hProcess, 0);
  WaitForSingleObject(started.process.hProcess, kPatienceMs);
  CloseHandle(started.process.hThread);
  CloseHandle(started.process.hProcess);
}

bool shown(const Started& started, const Program& program) {
  if (started.window != nullptr) return true;
  std::fprintf(stderr, "%s showed no %s window\n", program.path, program.className);
  return false;
}

bool startTimed(Program& program) {
  const Started started = start(program);
  endAndWait(started);
  if (!shown(started, program)) return false;
  program.ms.push_back(started.ms);
  return true;
}

bool sameControlsAtStart(const Program& editor, const Program& floor) {
  const Started editorStarted = start(editor);
  const Started floorStarted = start(floor);
  const bool same = shown(editorStarted, editor) && shown(floorStarted, floor) &&
                    sameDescription(describeControls(editorStarted.window),
                                    describeControls(floorStarted.window));
  endAndWait(editorStarted);
  endAndWait(floorStarted);
  return same;
}

// Every other round the floor goes first, so a drift in the machine's load falls on both alike.
int timeStartUps(int rounds, const char* editorPath, const char* floorPath) {
  Program editor{editorPath, "MainWindow", {}};
  Program floor{floorPath, "FloorWindow", {}};
  if (!sameControlsAtStart(editor, floor)) return 1;
  // The first start of each fills the system's caches; it is not what is measured.
  if (!startTimed(editor) || !startTimed(floor)) return 1;
  editor.ms.clear();
  floor.ms.clear();
  for (int round = 0; round < rounds; ++round) {
    Program& first = round % 2 == 0 ? editor : floor;
    Program& second = round % 2 == 0 ? floor : editor;
    if (!startTimed(first) || !startTimed(second)) return 1;
  }
  printTimes("startup", editor.ms, floor.ms);
  return 0;
}

int usage() {
  std::fprintf(stderr,
               "usage: startup-bench rounds COUNT EDITOR.EXE FLOOR.EXE\n"
               "       startup-bench wait CLASS   (until a window of that class is shown and "
               "answers)\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "rounds" && argc == 5) return timeStartUps(std::atoi(argv[2]), argv[3], argv[4]);
  if (mode == "wait" && argc == 3) return waitUntilAnswering(0, argv[2]) != nullptr ? 0 : 1;
  return usage();
}
