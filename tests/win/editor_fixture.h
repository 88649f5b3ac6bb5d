// A real main window with its controls, built as start-up builds it, for tests in one process.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/test_support.h"

// Creates the class, the shared resources and the hidden main window once per process, then
// puts the defaults, German, order 0 and a fresh build in place.
void prepareEditorWindow();

class EditorWindowTest : public testing::Test {
 public:
  void SetUp() override { prepareEditorWindow(); }
  // A fresh build with the record applied, as start-up and every rebuild leave the controls.
  static void rebuild();
};

// The main window's children in the platform's order.
std::vector<HWND> childWindows();
// The handle of every catalogued control, in catalogue order.
std::vector<HWND> controlHandles();
std::string listEntry(HWND list, int index);
int listCount(HWND list);
// Sends the command a control sends when the user acts on it.
void sendCommand(HWND control, WORD notification);

// The DPIs of a display at 100, 125, 150 and 200 %.
inline constexpr int displayDpis[] = {96, 120, 144, 192};
// A length or place given at 96 DPI, at `dpi`, rounded as the system rounds.
inline int atDpi(int px96, int dpi) {
  return MulDiv(px96, dpi, 96);
}
// Sends what the system sends when the window's display or its scale changes, suggesting
// `suggested` as the new outer rectangle.
void sendDpiChange(int dpi, const RECT& suggested);
// The same, suggesting the window's present rectangle.
void sendDpiChange(int dpi);
