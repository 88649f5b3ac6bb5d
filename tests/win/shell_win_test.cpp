// The shell's window class, main window and the executable's icon and version, as the platform
// reports them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "ui/main_window.h"
#include "tests/win/editor_fixture.h"
#include "ui/controls.h"

namespace {

// The project version the build was given, as the version resource writes it.
std::string projectVersion() {
  return std::to_string(MORVANE_VERSION_MAJOR) + "." + std::to_string(MORVANE_VERSION_MINOR) + "." +
         std::to_string(MORVANE_VERSION_PATCH) + ".0";
}

std::string editorFileName() {
  const std::string path = MORVANE_EDITOR_PATH;
  return path.substr(path.find_last_of("/\\") + 1);
}

// The editor's version information as Explorer's properties dialog reads it.
class VersionInfo {
 public:
  VersionInfo() {
    DWORD ignored = 0;
    data_.resize(GetFileVersionInfoSizeA(MORVANE_EDITOR_PATH, &ignored));
    if (data_.empty() || !GetFileVersionInfoA(MORVANE_EDITOR_PATH, 0,
                                              static_cast<DWORD>(data_.size()), data_.data()))
      data_.clear();
  }
  bool present() const { return !data_.empty(); }
  const VS_FIXEDFILEINFO* fixed() const {
    return static_cast<const VS_FIXEDFILEINFO*>(value("\\"));
  }
  // A text of the first language block the resource lists, or "<missing>".
  std::string text(const char* name) const {
    const auto* translation = static_cast<const WORD*>(value("\\VarFileInfo\\Translation"));
    if (translation == nullptr) return "<missing>";
    char path[96] = {};
    std::snprintf(path, sizeof(path), "\\StringFileInfo\\%04x%04x\\%s", translation[0],
                  translation[1], name);
    const auto* found = static_cast<const char*>(value(path));
    return found != nullptr ? found : "<missing>";
  }

 private:
  const void* value(const char* path) const {
    void* found = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data_.data(), path, &found, &length) || length == 0) return nullptr;
    return found;
  }
  std::vector<char> data_;
};

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

TEST(EditorExecutable, CarriesItsVersionInformation) {
  const VersionInfo info;
  ASSERT_TRUE(info.present()) << MORVANE_EDITOR_PATH;
  const VS_FIXEDFILEINFO* fixed = info.fixed();
  ASSERT_NE(nullptr, fixed);
  EXPECT_EQ(DWORD(MAKELONG(MORVANE_VERSION_MINOR, MORVANE_VERSION_MAJOR)), fixed->dwFileVersionMS);
  EXPECT_EQ(DWORD(MAKELONG(0, MORVANE_VERSION_PATCH)), fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
  EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
  EXPECT_EQ(DWORD(VFT_APP), fixed->dwFileType);

  const std::string fileName = editorFileName();
  const std::string internalName = fileName.substr(0, fileName.size() - 4);
  const std::string description =
      std::string("Morvane settings editor") + (sizeof(void*) == 8 ? " (64-bit)" : " (32-bit)");
  const std::string version = projectVersion();
  const std::pair<const char*, std::string> texts[] = {
      {"FileDescription",  description              },
      {"FileVersion",      version                  },
      {"ProductName",      "Morvane settings editor"},
      {"ProductVersion",   version                  },
      {"OriginalFilename", fileName                 },
      {"InternalName",     internalName             },
  };
  for (const auto& text : texts) EXPECT_EQ(text.second, info.text(text.first)) << text.first;
}

// The title's fixed text names the version with a letter for the third number: 1.3.3 is 1.3c.
TEST(EditorExecutable, TitleNamesTheProjectVersion) {
  const std::string named = "Version" + std::to_string(MORVANE_VERSION_MAJOR) + "." +
                            std::to_string(MORVANE_VERSION_MINOR) +
                            static_cast<char>('a' + MORVANE_VERSION_PATCH - 1) + ")";
  EXPECT_NE(std::string::npos, std::string(windowTitles[0]).find(named)) << windowTitles[0];
}

}  // namespace
