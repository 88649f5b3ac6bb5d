// The shell's window class, main window and the executable's icon, as the platform reports them.
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/main_window.h"
#include "tests/win/editor_fixture.h"

namespace {

using Shell = EditorWindowTest;

TEST_F(Shell, MainWindowIsFixedSizeWithoutCloseBoxOrSizingFrame) {
  RECT outer{};
  GetWindowRect(mainWindow, &outer);
  EXPECT_EQ(640, outer.right - outer.left);
  EXPECT_EQ(370, outer.bottom - outer.top);
  const LONG style = GetWindowLongA(mainWindow, GWL_STYLE);
  EXPECT_EQ(WS_CLIPCHILDREN | WS_BORDER, style & (WS_CLIPCHILDREN | WS_BORDER));
  EXPECT_EQ(0, style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD |
                        WS_POPUP));
  EXPECT_EQ(0, GetWindowLongA(mainWindow, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE);
}

TEST_F(Shell, ClassHasNoIconCursorOrBackground) {
  WNDCLASSA windowClass{};
  ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "MainWindow", &windowClass));
  EXPECT_EQ(0u, windowClass.style);
  EXPECT_EQ(nullptr, windowClass.hIcon);
  EXPECT_EQ(nullptr, windowClass.hCursor);
  EXPECT_EQ(nullptr, windowClass.hbrBackground);
  EXPECT_EQ(nullptr, windowClass.lpszMenuName);
}

TEST(EditorExecutable, CarriesTheMainIconGroup) {
  HMODULE editor = LoadLibraryExA(MORVANE_EDITOR_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, editor) << MORVANE_EDITOR_PATH;
  EXPECT_NE(nullptr, FindResourceA(editor, "MAINICON", MAKEINTRESOURCEA(14)));  // RT_GROUP_ICON
  FreeLibrary(editor);
}

}  // namespace
