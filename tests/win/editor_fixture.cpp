// The shared main window of the tests under Wine.
#include "tests/win/editor_fixture.h"

#include "app/shell.h"
#include "ui/main_window.h"
#include "settings/settings.h"
#include "settings/settings_file_win.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/exchange.h"

void prepareEditorWindow() {
  // Started as the editor starts, once per process; each test then puts its own state in place.
  if (mainWindow == nullptr) startEditorWindow(GetModuleHandleA(nullptr));
  ASSERT_NE(nullptr, mainWindow);
  // A test that changed the scale may have ended early.
  if (windowDpi != 96) sendDpiChange(96);
  refreshStepCount = 9;
  settings.language = 0;
  applyDefaults();
  // As after a start that read its file, or found none; a test of an unread file loads one.
  startUpReadError = ERROR_SUCCESS;
  EditorWindowTest::rebuild();
}

void EditorWindowTest::rebuild() {
  buildControls();
  applySettings();
}

std::vector<HWND> childWindows() {
  std::vector<HWND> children;
  for (HWND child = GetWindow(mainWindow, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

std::vector<HWND> controlHandles() {
  std::vector<HWND> handles;
  for (const ControlRow& row : controlCatalogue) handles.push_back(*row.handle);
  return handles;
}

std::string listEntry(HWND list, int index) {
  char text[64] = {};
  if (SendMessageA(list, CB_GETLBTEXTLEN, index, 0) >= static_cast<LRESULT>(sizeof(text)))
    return "";
  SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

int listCount(HWND list) {
  return static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
}

void sendCommand(HWND control, WORD notification) {
  SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(0, notification),
               reinterpret_cast<LPARAM>(control));
}

void sendDpiChange(int dpi, const RECT& suggested) {
  RECT rect = suggested;
  SendMessageA(mainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
}

void sendDpiChange(int dpi) {
  RECT rect{};
  GetWindowRect(mainWindow, &rect);
  sendDpiChange(dpi, rect);
}
