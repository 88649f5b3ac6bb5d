// A click on the language button in the real window code against the floor's plain rebuild of
// the same controls, plainly and with the redraw held back, alternating; then the paints and
// erases one click causes in each.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/shell.h"
#include "bench/control_description.h"
#include "bench/floor.h"
#include "bench/records.h"
#include "settings/settings.h"
#include "ui/controls.h"
#include "ui/main_window.h"

namespace {

FloorWindow plainFloor;
int floorLanguage;

void drainMessages() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// As start-up does it, up to the message loop; the window's top half of the screen is its own.
void startEditor(HINSTANCE instance) {
  startEditorWindow(instance);
  SetWindowPos(mainWindow, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(mainWindow, SW_SHOW);
}

// Below the editor's window, so neither ever uncovers the other.
void startFloor(HINSTANCE instance) {
  registerFloorClass(instance);
  plainFloor = createFloorWindow(instance);
  rebuildFloorControls(plainFloor, floorLanguage, refreshStepCount);
  SetWindowPos(plainFloor.window, nullptr, 0, 400, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(plainFloor.window, SW_SHOW);
}

void clickEditor() {
  SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
               reinterpret_cast<LPARAM>(languageButton));
  drainMessages();
}

void clickFloor() {
  floorLanguage = floorLanguage == 0 ? 1 : 0;
  rebuildFloorControls(plainFloor, floorLanguage, refreshStepCount);
  drainMessages();
}

void clickFloorOnce() {
  floorLanguage = floorLanguage == 0 ? 1 : 0;
  rebuildFloorControlsOnce(plainFloor, floorLanguage, refreshStepCount);
  drainMessages();
}

// In both languages, before anything is timed.
bool floorMatchesEditor() {
  for (int language = 0; language < 2; ++language) {
    if (!sameDescription(describeControls(mainWindow), describeControls(plainFloor.window)))
      return false;
    clickEditor();
    clickFloor();
  }
  return true;
}

struct Contender {
  void (*click)();
  HWND (*window)();
  std::vector<double> ms;
};

HWND editorWindow() {
  return mainWindow;
}

HWND floorWindow() {
  return plainFloor.window;
}

double millisecondsOf(void (*click)()) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  click();
  QueryPerformanceCounter(&end);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// Each round runs all three; every other round in the opposite order, so a drift in the
// machine's load falls on all alike.
void timeRounds(Contender (&contenders)[3], int rounds) {
  for (int round = 0; round < rounds; ++round)
    for (int turn = 0; turn < 3; ++turn) {
      Contender& contender = contenders[round % 2 == 0 ? turn : 2 - turn];
      contender.ms.push_back(millisecondsOf(contender.click));
    }
}

// Paints, erases and frame paints, to the window itself and to its direct children.
enum Counted { paints, erases, frames, countedKinds };

struct MessageCounts {
  long window[countedKinds];
  long controls[countedKinds];
};

HWND countedWindow;
MessageCounts counts;

void countMessage(HWND target, UINT message) {
  const Counted kind = message == WM_PAINT        ? paints
                       : message == WM_ERASEBKGND ? erases
                       : message == WM_NCPAINT    ? frames
                                                  : countedKinds;
  if (kind == countedKinds) return;
  if (target == countedWindow)
    ++counts.window[kind];
  else if (GetAncestor(target, GA_PARENT) == countedWindow)
    ++counts.controls[kind];
}

// Messages sent, by the platform or anyone: erases, frame paints, paints forced at once.
LRESULT CALLBACK sentMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    countMessage(sent->hwnd, sent->message);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Messages taken from the queue: the paints that wait for an idle queue.
LRESULT CALLBACK queuedMessageHook(int code, WPARAM removal, LPARAM lParam) {
  if (code == HC_ACTION && removal == PM_REMOVE) {
    const auto* queued = reinterpret_cast<const MSG*>(lParam);
    countMessage(queued->hwnd, queued->message);
  }
  return CallNextHookEx(nullptr, code, removal, lParam);
}

MessageCounts countPerClicks(const Contender& contender, int clicks) {
  countedWindow = contender.window();
  counts = MessageCounts{};
  HHOOK sentHook =
      SetWindowsHookExA(WH_CALLWNDPROC, sentMessageHook, nullptr, GetCurrentThreadId());
  HHOOK queuedHook =
      SetWindowsHookExA(WH_GETMESSAGE, queuedMessageHook, nullptr, GetCurrentThreadId());
  for (int i = 0; i < clicks; ++i) contender.click();
  UnhookWindowsHookEx(queuedHook);
  UnhookWindowsHookEx(sentHook);
  return counts;
}

// "count KEY EDITOR FLOOR FLOOR-ONCE", each per click.
void printCounts(const MessageCounts (&perContender)[3], int clicks) {
  const char* const kindNames[countedKinds] = {"paint", "erase", "frame"};
  for (int kind = 0; kind < countedKinds; ++kind) {
    std::printf("count window-%s %.1f %.1f %.1f\n", kindNames[kind],
                perContender[0].window[kind] / double(clicks),
                perContender[1].window[kind] / double(clicks),
                perContender[2].window[kind] / double(clicks));
    std::printf("count controls-%s %.1f %.1f %.1f\n", kindNames[kind],
                perContender[0].controls[kind] / double(clicks),
                perContender[1].controls[kind] / double(clicks),
                perContender[2].controls[kind] / double(clicks));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
  const int countedClicks = 20;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  startEditor(instance);
  startFloor(instance);
  drainMessages();
  if (!floorMatchesEditor()) return 1;

  Contender contenders[3] = {
      {clickEditor,    editorWindow, {}},
      {clickFloor,     floorWindow,  {}},
      {clickFloorOnce, floorWindow,  {}}
  };
  // The platform's one-time allocations are not what is measured.
  timeRounds(contenders, 10);
  for (Contender& contender : contenders) contender.ms.clear();
  timeRounds(contenders, rounds);
  printTimes("click-plain", contenders[0].ms, contenders[1].ms);
  printTimes("click-once", contenders[0].ms, contenders[2].ms);

  MessageCounts perContender[3];
  for (int i = 0; i < 3; ++i) perContender[i] = countPerClicks(contenders[i], countedClicks);
  printCounts(perContender, countedClicks);
  return 0;
}
