// loadSettings against real files under Wine: sharing, missing files, odd file system objects.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <ostream>
#include <string>

#include "settings/held_file.h"
#include "settings/settings.h"
#include "settings/settings_file_win.h"
#include "tests/win/editor_fixture.h"
#include "tests/win/message_watch.h"
#include "tests/win/test_support.h"
#include "ui/file_messages.h"
#include "ui/main_window.h"
#include "ui/main_window.h"

namespace {

Settings defaults(int32_t language) {
  settings.language = language;
  applyDefaults();
  return settings;
}

bool sameRecord(const Settings& a, const Settings& b) {
  return std::memcmp(&a, &b, sizeof(Settings)) == 0;
}

// Starts each test with a record that differs from the defaults everywhere it can.
void scrambleRecord(int32_t language) {
  std::memset(&settings, 0x5A, sizeof(settings));
  settings.language = language;
}

TEST(LoadSettings, ReadsARealFile) {
  ScratchDirectory scratch;
  writeWholeFile("quenlix.ini", "MEM:064\r\nFPS:3\r\nREFRESH:02\r\nSPRACHE:1\r\n");
  refreshStepCount = 9;
  Settings expected = defaults(1);
  expected.textureMemoryMb = 64;
  expected.infoCorner = 3;
  expected.refreshIndex = 2;
  scrambleRecord(0);
  loadSettings();
  EXPECT_TRUE(sameRecord(expected, settings));
}

TEST(LoadSettings, MissingFileGivesDefaultsAndKeepsLanguage) {
  ScratchDirectory scratch;
  scrambleRecord(1);
  loadSettings();
  EXPECT_TRUE(sameRecord(defaults(1), settings));
  EXPECT_EQ("", directoryListing()) << "reading must create nothing";
}

// A game holds the file for its whole session: after the wait, the defaults and the reason,
// and the file is marked unread for Save. The wait has an end (one second; five leave room for a
// loaded machine).
TEST(LoadSettings, FileHeldOpenWithoutSharingGivesDefaultsAndTheReason) {
  ScratchDirectory scratch;
  writeWholeFile("quenlix.ini", "MEM:064\r\nSPRACHE:1\r\n");
  HANDLE holder = holdFile("quenlix.ini");
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  scrambleRecord(0);
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(DWORD{ERROR_SHARING_VIOLATION}, loadSettings());
  EXPECT_LT(GetTickCount64() - start, 5000u);
  CloseHandle(holder);
  EXPECT_TRUE(sameRecord(defaults(0), settings));
  EXPECT_EQ(DWORD{ERROR_SHARING_VIOLATION}, startUpReadError);
}

// A writer that holds the file for a moment (morvane-config replacing it, a virus scanner) is
// waited for, whether the hold is short or takes most of the wait.
TEST(LoadSettings, AShortHoldIsWaitedFor) {
  for (const DWORD holdMs : {150ul, heldFileWaitMs * 6 / 10}) {
    SCOPED_TRACE(holdMs);
    ScratchDirectory scratch;
    writeWholeFile("quenlix.ini", "MEM:064\r\n");
    const HANDLE holder = holdFile("quenlix.ini");
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    Settings expected = defaults(0);
    expected.textureMemoryMb = 64;
    const ReleaseLater release(holder, holdMs);
    ASSERT_TRUE(release.started());
    scrambleRecord(0);
    EXPECT_EQ(DWORD{ERROR_SUCCESS}, loadSettings());
    EXPECT_TRUE(sameRecord(expected, settings));
    EXPECT_EQ(DWORD{ERROR_SUCCESS}, startUpReadError);
  }
}

TEST(LoadSettings, FileIsNotHeldOpenAfterReading) {
  ScratchDirectory scratch;
  writeWholeFile("quenlix.ini", "STATS:1\r\n");
  loadSettings();
  HANDLE exclusive = CreateFileA("quenlix.ini", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(INVALID_HANDLE_VALUE, exclusive);
  CloseHandle(exclusive);
}

TEST(LoadSettings, EmptyFileAndDirectoryGiveDefaults) {
  ScratchDirectory scratch;
  writeWholeFile("quenlix.ini", "");
  scrambleRecord(0);
  EXPECT_EQ(DWORD{ERROR_SUCCESS}, loadSettings());
  EXPECT_TRUE(sameRecord(defaults(0), settings));

  DeleteFileA("quenlix.ini");
  ASSERT_TRUE(CreateDirectoryA("quenlix.ini", nullptr));
  scrambleRecord(0);
  EXPECT_EQ(DWORD{ERROR_DIRECTORY}, loadSettings()) << "Save could not replace it either";
  EXPECT_TRUE(sameRecord(defaults(0), settings));
}

// Start-up's order: the load, then (the window shown) the message for a file there that could
// not be read.
void loadAndReport() {
  const DWORD error = loadSettings();
  if (error != ERROR_SUCCESS) showLoadFailure(error);
}

enum class FileState { missing, heldOpen, directory };

// What the message says to do, German and English: close the program that holds the file, or
// put right whatever else keeps it from being read.
constexpr const char* kCloseTheHolder[2] = {
    "Beenden Sie das Programm, das die Datei offen h\u00e4lt, und starten Sie dann den Editor "
    "erneut.",
    "Close the program that has the file open, then start the editor again."};
constexpr const char* kOnceReadable[2] = {
    "Starten Sie den Editor erneut, sobald die Datei lesbar ist.",
    "Start the editor again once the file can be read."};

struct LoadFailureCase {
  const char* name;
  FileState state;
  int32_t language;
  DWORD reason;                 // ERROR_SUCCESS: no message at all
  const char* const* whatToDo;  // German and English
};

// The message is the same in either language: the file that would have named it was not read.
const LoadFailureCase loadFailureCases[] = {
    {"Missing",          FileState::missing,   0, ERROR_SUCCESS,           nullptr        },
    {"HeldOpenGerman",   FileState::heldOpen,  0, ERROR_SHARING_VIOLATION, kCloseTheHolder},
    {"HeldOpenEnglish",  FileState::heldOpen,  1, ERROR_SHARING_VIOLATION, kCloseTheHolder},
    {"DirectoryEnglish", FileState::directory, 1, ERROR_DIRECTORY,         kOnceReadable  },
};

class LoadFailureMessage : public EditorWindowTest,
                           public testing::WithParamInterface<LoadFailureCase> {};

TEST_P(LoadFailureMessage, NamesTheFileAndReasonOverTheDefaultsInBothLanguages) {
  const LoadFailureCase& c = GetParam();
  ScratchDirectory scratch;
  HANDLE holder = INVALID_HANDLE_VALUE;
  if (c.state == FileState::heldOpen) {
    writeWholeFile("quenlix.ini", "MEM:064\r\nFSAA:8\r\nSPRACHE:1\r\n");
    holder = holdFile("quenlix.ini");
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  }
  if (c.state == FileState::directory) {
    ASSERT_TRUE(CreateDirectoryA("quenlix.ini", nullptr));
  }
  scrambleRecord(c.language);
  const ShownMessage shown = watchMessages(loadAndReport);
  if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);

  EXPECT_TRUE(sameRecord(defaults(c.language), settings));
  if (c.reason == ERROR_SUCCESS) {
    EXPECT_EQ(0, shown.boxes);
    return;
  }
  EXPECT_EQ(1, shown.boxes);
  EXPECT_EQ(mainWindow, shown.owner);
  EXPECT_EQ("Ein Fehler trat auf. / An error occurred.", shown.caption);
  const std::string reason = systemText(c.reason);
  ASSERT_FALSE(reason.empty());
  EXPECT_EQ(
      "Die Einstellungen konnten nicht gelesen werden.\r\n"
      "The settings could not be read.\r\n\r\n" +
          scratch.path() + "\\quenlix.ini\r\n" + reason +
          "\r\n\r\nAngezeigt werden die Voreinstellungen. " + c.whatToDo[0] +
          " Speichern fragt, bevor es die Datei ersetzt.\r\n\r\nThe defaults are shown. " +
          c.whatToDo[1] + " Save asks before it replaces the file.",
      shown.text);
}

void PrintTo(const LoadFailureCase& c, std::ostream* out) {
  *out << c.name;
}

std::string loadFailureCaseName(const testing::TestParamInfo<LoadFailureCase>& param) {
  return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(LoadSettings, LoadFailureMessage, testing::ValuesIn(loadFailureCases),
                         loadFailureCaseName);

}  // namespace
