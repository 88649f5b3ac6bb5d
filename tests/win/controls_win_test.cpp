// The built controls as the platform sees them: classes, styles, places, texts and lists.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/refresh_rates.h"
#include "ui/main_window.h"
#include "settings/settings.h"
#include "tests/common/window_reference.h"
#include "tests/win/editor_fixture.h"
#include "ui/controls.h"

namespace {

int expectedY(size_t index, int order) {
  return referenceY(referenceControls[index], order);
}

// What the builder asked the platform for, as a creation hook sees it.
struct Creation {
  std::string className;
  std::string text;
  bool hasText;
  DWORD style;
  DWORD exStyle;
  int x, y, width, height;
  HMENU menu;
  HINSTANCE instance;
};

std::vector<Creation> creations;

LRESULT CALLBACK recordCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    // The lists' own inner windows are not the builder's.
    if (create.hwndParent == mainWindow) {
      const bool named = create.lpszName != nullptr;
      creations.push_back({HIWORD(create.lpszClass) != 0 ? create.lpszClass : "#atom",
                           named ? create.lpszName : "", named, static_cast<DWORD>(create.style),
                           create.dwExStyle, create.x, create.y, create.cx, create.cy, create.hMenu,
                           create.hInstance});
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void rebuildRecordingCreations() {
  creations.clear();
  HHOOK hook = SetWindowsHookExA(WH_CBT, recordCreation, nullptr, GetCurrentThreadId());
  EditorWindowTest::rebuild();
  UnhookWindowsHookEx(hook);
}

// Every place and size at `dpi`: the 96-DPI value scaled.
void expectCreatedAsCatalogued(const Creation& created, size_t index, int column, int order,
                               int dpi) {
  const ReferenceControl& expected = referenceControls[index];
  EXPECT_STREQ(expected.className, created.className.c_str());
  EXPECT_EQ(static_cast<DWORD>(expected.style), created.style);
  EXPECT_EQ(static_cast<DWORD>(expected.exStyle), created.exStyle);
  EXPECT_EQ(atDpi(expected.x[column], dpi), created.x);
  EXPECT_EQ(atDpi(expectedY(index, order), dpi), created.y);
  EXPECT_EQ(atDpi(expected.width[column], dpi), created.width);
  EXPECT_EQ(atDpi(expected.height, dpi), created.height);
  EXPECT_EQ(!isReferenceList(expected), created.hasText) << "lists are created without text";
  EXPECT_EQ(std::string(expected.text[column]), created.text);
  EXPECT_EQ(nullptr, created.menu);
  EXPECT_EQ(nullptr, created.instance);
}

RECT rectInMainWindow(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The platform changes some of what was asked (a list hands its scroll bar to its drop-down part
// and draws its own edge, and its height follows its font), and a list's shown text is its
// selection; compare what the user sees.
void expectWindowAsCatalogued(HWND control, size_t index, int column, int order, int dpi) {
  const ReferenceControl& expected = referenceControls[index];
  char className[32] = {};
  GetClassNameA(control, className, sizeof(className));
  EXPECT_STRCASEEQ(expected.className, className);
  const LONG style = static_cast<LONG>(expected.style);
  const LONG shownStyle = isReferenceList(expected) ? style & ~WS_VSCROLL : style;
  EXPECT_EQ(shownStyle, GetWindowLongA(control, GWL_STYLE) & style);
  EXPECT_EQ(mainWindow, GetParent(control));
  const RECT rect = rectInMainWindow(control);
  EXPECT_EQ(atDpi(expected.x[column], dpi), rect.left);
  EXPECT_EQ(atDpi(expectedY(index, order), dpi), rect.top);
  EXPECT_EQ(atDpi(expected.width[column], dpi), rect.right - rect.left);
  if (!isReferenceList(expected)) {
    EXPECT_EQ(atDpi(expected.height, dpi), rect.bottom - rect.top);
    EXPECT_EQ(std::string(expected.text[column]), windowText(control));
  }
}

using Builder = EditorWindowTest;

TEST_F(Builder, RebuildKeepsOneChildPerControlAllFromTheLatestBuild) {
  const std::vector<HWND> firstBuild = controlHandles();
  ASSERT_EQ(referenceControlCount, childWindows().size());
  rebuild();
  const std::vector<HWND> secondBuild = controlHandles();
  std::vector<HWND> children = childWindows();
  ASSERT_EQ(referenceControlCount, children.size());
  for (HWND handle : secondBuild) {
    EXPECT_NE(children.end(), std::find(children.begin(), children.end(), handle));
    EXPECT_EQ(firstBuild.end(), std::find(firstBuild.begin(), firstBuild.end(), handle));
  }
  for (HWND old : firstBuild) EXPECT_FALSE(IsWindow(old));
}

TEST_F(Builder, ChildrenFollowTheCatalogueOrder) {
  EXPECT_EQ(controlHandles(), childWindows());
}

void expectEveryControlAsCatalogued(int dpi) {
  for (int language = 0; language < 2; ++language) {
    for (int order = 0; order < 6; ++order) {
      settings.language = language;
      settings.displayOrder = order;
      rebuildRecordingCreations();
      ASSERT_EQ(referenceControlCount, creations.size());
      const std::vector<HWND> handles = controlHandles();
      for (size_t index = 0; index < referenceControlCount; ++index) {
        SCOPED_TRACE("control #" + std::to_string(index + 1) + " language " +
                     std::to_string(language) + " order " + std::to_string(order) + " dpi " +
                     std::to_string(dpi));
        expectCreatedAsCatalogued(creations[index], index, language, order, dpi);
        expectWindowAsCatalogued(handles[index], index, language, order, dpi);
      }
    }
  }
}

TEST_F(Builder, EveryControlAsCataloguedInBothLanguagesAndAllOrders) {
  expectEveryControlAsCatalogued(96);
}

TEST_F(Builder, EveryControlScaledAtEveryDpi) {
  for (int dpi : displayDpis) {
    sendDpiChange(dpi);
    expectEveryControlAsCatalogued(dpi);
  }
}

// The outer size at each DPI, written out: the scaled 640 x 370.
struct OuterSize {
  int dpi, width, height;
};
constexpr OuterSize outerSizes[] = {
    {96,  640,  370},
    {120, 800,  463},
    {144, 960,  555},
    {192, 1280, 740},
};

// The platform keeps a window within its largest tracking size, which follows the screen's:
// on a small screen at 200 % that is less than the scaled size.
SIZE expectedOuterSize(const OuterSize& size) {
  return {std::min(size.width, GetSystemMetrics(SM_CXMAXTRACK)),
          std::min(size.height, GetSystemMetrics(SM_CYMAXTRACK))};
}

void expectFontAt(int dpi) {
  LOGFONTA font{};
  ASSERT_NE(0, GetObjectA(uiFont, sizeof(font), &font));
  EXPECT_EQ(atDpi(16, dpi), font.lfHeight);
  EXPECT_EQ(atDpi(7, dpi), font.lfWidth);
  for (HWND control : controlHandles())
    EXPECT_EQ(reinterpret_cast<LRESULT>(uiFont), SendMessageA(control, WM_GETFONT, 0, 0));
}

// The system suggests a rectangle for the new DPI; its corner is taken, its size need not fit
// the window's frame at that DPI, so the window takes its own.
TEST_F(Builder, ADpiChangeFrom144RebuildsAtTheNewDpiKeepingValues) {
  for (const OuterSize& size : outerSizes) {
    if (size.dpi == 144) continue;
    SCOPED_TRACE("dpi " + std::to_string(size.dpi));
    settings.language = 1;
    settings.displayOrder = 4;
    rebuild();
    sendDpiChange(144);
    SendMessageA(windowedCheck, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(clockCombo, CB_SETCURSEL, 2, 0);
    const RECT suggested{31, 17, 31 + size.width + 9, 17 + size.height + 5};
    sendDpiChange(size.dpi, suggested);

    RECT outer{};
    GetWindowRect(mainWindow, &outer);
    const SIZE expected = expectedOuterSize(size);
    EXPECT_EQ(31, outer.left);
    EXPECT_EQ(17, outer.top);
    EXPECT_EQ(expected.cx, outer.right - outer.left);
    EXPECT_EQ(expected.cy, outer.bottom - outer.top);
    const std::vector<HWND> handles = controlHandles();
    for (size_t index = 0; index < referenceControlCount; ++index) {
      SCOPED_TRACE(referenceControls[index].name);
      expectWindowAsCatalogued(handles[index], index, 1, 4, size.dpi);
    }
    expectFontAt(size.dpi);
    EXPECT_EQ(BST_CHECKED, SendMessageA(windowedCheck, BM_GETCHECK, 0, 0));
    EXPECT_EQ(2, SendMessageA(clockCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(referenceControlCount, childWindows().size());
  }
}

TEST_F(Builder, TitleFollowsTheLanguage) {
  EXPECT_EQ(referenceTitles[0], windowText(mainWindow));
  settings.language = 7;
  rebuild();
  EXPECT_EQ(referenceTitles[1], windowText(mainWindow));
}

TEST_F(Builder, EveryControlUsesTheInterfaceFont) {
  for (HWND control : controlHandles())
    EXPECT_EQ(reinterpret_cast<LRESULT>(uiFont), SendMessageA(control, WM_GETFONT, 0, 0));
  HDC dc = GetDC(mainWindow);
  HGDIOBJ original = SelectObject(dc, uiFont);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof(face), face);
  SelectObject(dc, original);
  ReleaseDC(mainWindow, dc);
  EXPECT_STRCASEEQ("Tahoma", face) << "without Tahoma the platform substitutes a wider font";
}

std::vector<std::string> entriesOf(HWND list) {
  std::vector<std::string> entries;
  for (int i = 0; i < listCount(list); ++i) entries.push_back(listEntry(list, i));
  return entries;
}

using Strings = std::vector<std::string>;

// Every list's entries in both languages, as the reference lists them.
TEST_F(Builder, EveryListHoldsItsEntriesInBothLanguages) {
  for (int language = 0; language < 2; ++language) {
    settings.language = language;
    rebuild();
    const std::vector<HWND> handles = controlHandles();
    for (size_t index = 0; index < referenceControlCount; ++index) {
      const ReferenceControl& expected = referenceControls[index];
      if (!isReferenceList(expected)) continue;
      SCOPED_TRACE(std::string(expected.name) + " language " + std::to_string(language));
      Strings entries;
      for (size_t entry = 0; entry < referenceEntryCount(expected.list, refreshStepCount); ++entry)
        entries.push_back(referenceEntry(expected.list, entry, language));
      EXPECT_EQ(entries, entriesOf(handles[index]));
    }
  }
}

TEST_F(Builder, MemoryListHolds8To108) {
  ASSERT_EQ(101, listCount(memoryCombo));
  const std::pair<int, const char*> samples[] = {
      {0,   "  8"},
      {1,   "  9"},
      {2,   " 10"},
      {91,  " 99"},
      {92,  "100"},
      {100, "108"}
  };
  for (const auto& sample : samples) EXPECT_EQ(sample.second, listEntry(memoryCombo, sample.first));
}

TEST_F(Builder, RefreshListFollowsTheStepCount) {
  refreshStepCount = 0;
  rebuild();
  EXPECT_EQ((Strings{"auto"}), entriesOf(refreshCombo));
  refreshStepCount = 9;
  rebuild();
  EXPECT_EQ((Strings{"auto", " 60", " 65", " 70", " 75", " 80", " 85", " 90", " 95", "100"}),
            entriesOf(refreshCombo));
  refreshStepCount = highestRefreshStepCount;
  rebuild();
  ASSERT_EQ(189, listCount(refreshCombo));
  EXPECT_EQ("995", listEntry(refreshCombo, 188));
}

}  // namespace
