// Save against real files and real controls: the canonical bytes and every way it can fail.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/refresh_probe.h"
#include "app/shell.h"
#include "settings/settings.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"
#include "tests/win/editor_fixture.h"
#include "tests/win/import_patch.h"
#include "tests/win/test_support.h"
#include "ui/controls.h"

namespace {

class Save : public EditorWindowTest {
 protected:
  // Start-up's path: the file, then the controls.
  void startWith(const std::string& file) {
    writeWholeFile("quenlix.ini", file);
    loadSettings();
    rebuild();
  }
  ScratchDirectory scratch;
};

TEST_F(Save, DefaultsWriteTheCanonical297Bytes) {
  loadSettings();
  rebuild();
  ASSERT_TRUE(writeSettingsFile());
  const std::string written = readWholeFile("quenlix.ini");
  EXPECT_EQ(297u, written.size());
  EXPECT_EQ(canonicalSettingsFile(), written);
  EXPECT_EQ("quenlix.ini\n", directoryListing());
}

TEST_F(Save, AFileReadAndSavedComesOutCanonical) {
  refreshStepCount = 13;
  startWith(
      "; a comment\n"
      "SPRACHE:1\n"
      "8BITTEXTURE:0\n"
      "OTHER_PROGRAM=3\n"
      "MEM:064\r\n"
      "WINDOWED:7\r\rZENTRIERT:2\n"
      "FSAA:7\n"
      "REFRESH:12\n"
      "UHRZEIT:2\n"
      "FPS:3\n"
      "ANZEIGEFOLGE:4\n"
      "GL_EXT_palettized_textures:1\n"
      "STATS:9");
  ASSERT_TRUE(writeSettingsFile());
  EXPECT_EQ(canonicalSettingsFile({
                {"SPRACHE:",      "1"  },
                {"MEM:",          "064"},
                {"WINDOWED:",     "1"  },
                {"ZENTRIERT:",    "1"  },
                {"FSAA:",         "6"  },
                {"REFRESH:",      "12" },
                {"UHRZEIT:",      "2"  },
                {"FPS:",          "3"  },
                {"ANZEIGEFOLGE:", "4"  },
                {"STATS:",        "1"  }
  }),
            readWholeFile("quenlix.ini"));
}

TEST_F(Save, ListDigits) {
  refreshStepCount = 13;
  rebuild();
  // list, entry index, key, digits written
  const struct {
    HWND* list;
    int index;
    const char* key;
    const char* digits;
  } cases[] = {
      {&fsaaCombo,    1,  "FSAA:",    "2" },
      {&fsaaCombo,    3,  "FSAA:",    "6" },
      {&fsaaCombo,    4,  "FSAA:",    "8" },
      {&refreshCombo, 3,  "REFRESH:", "03"},
      {&refreshCombo, 12, "REFRESH:", "12"},
      {&refreshCombo, -1, "REFRESH:", "00"},
      {&clockCombo,   -1, "UHRZEIT:", "0" },
      {&cornerCombo,  4,  "FPS:",     "4" },
  };
  for (const auto& c : cases) {
    rebuild();
    SendMessageA(*c.list, CB_SETCURSEL, static_cast<WPARAM>(c.index), 0);
    ASSERT_TRUE(writeSettingsFile());
    EXPECT_EQ(canonicalSettingsFile({
                  {c.key, c.digits}
    }),
              readWholeFile("quenlix.ini"))
        << c.key << c.index;
  }
}

TEST_F(Save, LanguageSevenIsKeptUntilToggled) {
  startWith("SPRACHE:7\r\n");
  ASSERT_TRUE(writeSettingsFile());
  EXPECT_EQ(canonicalSettingsFile({
                {"SPRACHE:", "7"}
  }),
            readWholeFile("quenlix.ini"));
  sendCommand(languageButton, BN_CLICKED);
  ASSERT_TRUE(writeSettingsFile());
  EXPECT_EQ(canonicalSettingsFile(), readWholeFile("quenlix.ini"));
}

TEST_F(Save, TwoSavesWriteTheSameBytes) {
  startWith("MEM:100\nWINDOWED:1\nFSAA:4\n");
  ASSERT_TRUE(writeSettingsFile());
  const std::string first = readWholeFile("quenlix.ini");
  ASSERT_TRUE(writeSettingsFile());
  EXPECT_EQ(first, readWholeFile("quenlix.ini"));
}

TEST_F(Save, ANewMemoryChoiceReachesTheFileWithoutACapture) {
  SendMessageA(memoryCombo, CB_SETCURSEL, 100 - 8, 0);
  sendCommand(memoryCombo, CBN_SELCHANGE);
  EXPECT_EQ(100, settings.textureMemoryMb);
  ASSERT_TRUE(writeSettingsFile());
  EXPECT_EQ(canonicalSettingsFile({
                {"MEM:", "100"}
  }),
            readWholeFile("quenlix.ini"));
}

TEST_F(Save, TicksAreReadFromTheControlsAtSaveTime) {
  SendMessageA(windowedCheck, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(palettedCheck, BM_SETCHECK, BST_UNCHECKED, 0);
  ASSERT_TRUE(writeSettingsFile());
  EXPECT_EQ(canonicalSettingsFile({
                {"WINDOWED:",                "1"},
                {"GL_EXT_paletted_texture:", "0"}
  }),
            readWholeFile("quenlix.ini"));
}

const char oldBytes[] = "MEM:050\r\nSTATS:1\r\n";

TEST_F(Save, FileHeldOpenWithoutSharingKeepsItsBytes) {
  writeWholeFile("quenlix.ini", oldBytes);
  HANDLE holder = CreateFileA("quenlix.ini", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  EXPECT_FALSE(writeSettingsFile());
  CloseHandle(holder);
  EXPECT_EQ(oldBytes, readWholeFile("quenlix.ini"));
  EXPECT_EQ("quenlix.ini\n", directoryListing()) << "no temporary file may be left";
  EXPECT_TRUE(writeSettingsFile()) << "once the file is free, Save works again";
  EXPECT_EQ(canonicalSettingsFile(), readWholeFile("quenlix.ini"));
}

TEST_F(Save, ReadOnlyFileIsNeverReplaced) {
  writeWholeFile("quenlix.ini", oldBytes);
  ASSERT_TRUE(SetFileAttributesA("quenlix.ini", FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(writeSettingsFile());
  EXPECT_EQ(oldBytes, readWholeFile("quenlix.ini"));
  EXPECT_EQ("quenlix.ini\n", directoryListing());
  SetFileAttributesA("quenlix.ini", FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Save, ADirectoryInThePlaceOfTheFileIsLeftAlone) {
  ASSERT_TRUE(CreateDirectoryA("quenlix.ini", nullptr));
  EXPECT_FALSE(writeSettingsFile());
  EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA("quenlix.ini") & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ("quenlix.ini\n", directoryListing());
}

// Replacing the old file fails after the temporary one was written in full.
BOOL WINAPI failingMove(const char*, const char*, DWORD) {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

TEST_F(Save, FailureBetweenWritingAndReplacingKeepsTheOldBytes) {
  writeWholeFile("quenlix.ini", oldBytes);
  void* realMove = patchImport("kernel32.dll", "MoveFileExA", reinterpret_cast<void*>(failingMove));
  ASSERT_NE(nullptr, realMove);
  const bool saved = writeSettingsFile();
  patchImport("kernel32.dll", "MoveFileExA", realMove);
  EXPECT_FALSE(saved);
  EXPECT_EQ(oldBytes, readWholeFile("quenlix.ini"));
  EXPECT_EQ("quenlix.ini\n", directoryListing());
  EXPECT_TRUE(writeSettingsFile());
  EXPECT_EQ(canonicalSettingsFile(), readWholeFile("quenlix.ini"));
}

// Directories where Save must fail come from the test script: one that not even root may write
// to, and (when the script runs as root) a tiny file system with no space left.
void expectSaveFailsIn(const char* variable) {
  char directory[MAX_PATH] = {};
  if (GetEnvironmentVariableA(variable, directory, MAX_PATH) == 0)
    GTEST_SKIP() << variable << " is not set: the test script makes it (a full disk needs root)";
  prepareEditorWindow();
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(directory));
  const std::string before = readWholeFile("quenlix.ini");
  const std::string listingBefore = directoryListing();
  const bool saved = writeSettingsFile();
  const std::string after = readWholeFile("quenlix.ini");
  const std::string listingAfter = directoryListing();
  SetCurrentDirectoryA(previous);
  EXPECT_FALSE(saved);
  EXPECT_EQ(oldBytes, before) << "the script's file";
  EXPECT_EQ(before, after);
  EXPECT_EQ(listingBefore, listingAfter) << "no temporary file may be left";
}

TEST(SaveWhereItCannotWrite, ReadOnlyDirectory) {
  expectSaveFailsIn("MORVANE_READONLY_DIR");
}

TEST(SaveWhereItCannotWrite, FullDisk) {
  expectSaveFailsIn("MORVANE_FULL_DIR");
}

}  // namespace
