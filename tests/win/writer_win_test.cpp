// Save against real files and real controls: the canonical bytes and every way it can fail.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "ui/main_window.h"
#include "settings/fields.h"
#include "settings/held_file.h"
#include "settings/settings.h"
#include "settings/settings_file_win.h"
#include "ui/save.h"
#include "tests/common/window_reference.h"
#include "tests/win/editor_fixture.h"
#include "tests/win/import_patch.h"
#include "tests/win/message_watch.h"
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

TEST_F(Save, DefaultsWriteTheCanonicalFile) {
  loadSettings();
  rebuild();
  ASSERT_EQ(DWORD{ERROR_SUCCESS}, writeSettingsFile());
  const std::string written = readWholeFile("quenlix.ini");
  EXPECT_EQ(canonicalSettingsFile().size(), written.size());
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
  ASSERT_EQ(DWORD{ERROR_SUCCESS}, writeSettingsFile());
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

// One value control of the reference, its handle now, the record field behind its file key, and
// the value away from its default that the reference gives it. Every control has its own value,
// so crossed wires between a control, its field and its line show.
struct OneControl {
  HWND control;
  int32_t Settings::*field;
  int shown;
  int32_t stored;
  const char* key;
  const char* digits;
};

int32_t Settings::*fieldOfKey(const char* key) {
  for (const FieldRow& row : fieldRows)
    if (std::string(row.key) == key) return row.member;
  ADD_FAILURE() << "no field has the key " << key;
  return nullptr;
}

std::vector<OneControl> valueControls() {
  std::vector<OneControl> controls;
  const std::vector<HWND> handles = controlHandles();
  for (size_t index = 0; index < referenceControlCount; ++index) {
    const ReferenceControl& c = referenceControls[index];
    if (c.fileKey == nullptr) continue;
    controls.push_back({handles[index], fieldOfKey(c.fileKey), c.other.shown, c.other.stored,
                        c.fileKey, c.other.digits});
  }
  return controls;
}

bool isCheckBox(HWND control) {
  char className[16] = {};
  GetClassNameA(control, className, sizeof(className));
  return lstrcmpiA(className, "Button") == 0;
}

// As the user sets it: a tick, or a new selection that the list reports to the window.
void setOnScreen(HWND control, int shown) {
  if (isCheckBox(control)) {
    SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(shown), 0);
  } else {
    SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(shown), 0);
    sendCommand(control, CBN_SELCHANGE);
  }
}

int shownBy(HWND control) {
  return static_cast<int>(
      SendMessageA(control, isCheckBox(control) ? BM_GETCHECK : CB_GETCURSEL, 0, 0));
}

void expectSavedWithOnly(const OneControl& c) {
  ASSERT_EQ(DWORD{ERROR_SUCCESS}, writeSettingsFile());
  EXPECT_EQ(canonicalSettingsFile({
                {c.key, c.digits}
  }),
            readWholeFile("quenlix.ini"));
}

TEST_F(Save, EachControlChangesExactlyItsLine) {
  for (size_t i = 0; i < valueControls().size(); ++i) {
    applyDefaults();
    rebuild();
    const OneControl c = valueControls()[i];
    SCOPED_TRACE(c.key);
    setOnScreen(c.control, c.shown);
    expectSavedWithOnly(c);
    // Through the exchange both ways: a language change and back captures, rebuilds, applies.
    sendCommand(languageButton, BN_CLICKED);
    sendCommand(languageButton, BN_CLICKED);
    EXPECT_EQ(c.stored, settings.*c.field);
    expectSavedWithOnly(c);
  }
}

TEST_F(Save, EachRecordFieldReachesExactlyItsControlAndLine) {
  for (size_t i = 0; i < valueControls().size(); ++i) {
    OneControl c = valueControls()[i];
    SCOPED_TRACE(c.key);
    applyDefaults();
    settings.*c.field = c.stored;
    rebuild();
    c = valueControls()[i];
    EXPECT_EQ(c.shown, shownBy(c.control));
    expectSavedWithOnly(c);
  }
}

// Notepad's UTF-8 files start with a byte-order mark; the first line behind it must survive.
TEST_F(Save, AByteOrderMarkCostsNoLine) {
  startWith("\xEF\xBB\xBFMEM:064\r\nSTATS:1\r\n");
  EXPECT_EQ(64, settings.textureMemoryMb);
  ASSERT_EQ(DWORD{ERROR_SUCCESS}, writeSettingsFile());
  EXPECT_EQ(canonicalSettingsFile({
                {"MEM:",   "064"},
                {"STATS:", "1"  }
  }),
            readWholeFile("quenlix.ini"));
}

TEST_F(Save, LanguageSevenIsKeptUntilToggled) {
  startWith("SPRACHE:7\r\n");
  ASSERT_EQ(DWORD{ERROR_SUCCESS}, writeSettingsFile());
  EXPECT_EQ(canonicalSettingsFile({
                {"SPRACHE:", "7"}
  }),
            readWholeFile("quenlix.ini"));
  sendCommand(languageButton, BN_CLICKED);
  ASSERT_EQ(DWORD{ERROR_SUCCESS}, writeSettingsFile());
  EXPECT_EQ(canonicalSettingsFile(), readWholeFile("quenlix.ini"));
}

TEST_F(Save, TwoSavesWriteTheSameBytes) {
  startWith("MEM:100\nWINDOWED:1\nFSAA:4\n");
  ASSERT_EQ(DWORD{ERROR_SUCCESS}, writeSettingsFile());
  const std::string first = readWholeFile("quenlix.ini");
  ASSERT_EQ(DWORD{ERROR_SUCCESS}, writeSettingsFile());
  EXPECT_EQ(first, readWholeFile("quenlix.ini"));
}

TEST_F(Save, ANewMemoryChoiceReachesTheFileWithoutACapture) {
  SendMessageA(memoryCombo, CB_SETCURSEL, 100 - 8, 0);
  sendCommand(memoryCombo, CBN_SELCHANGE);
  EXPECT_EQ(100, settings.textureMemoryMb);
  ASSERT_EQ(DWORD{ERROR_SUCCESS}, writeSettingsFile());
  EXPECT_EQ(canonicalSettingsFile({
                {"MEM:", "100"}
  }),
            readWholeFile("quenlix.ini"));
}

const char oldBytes[] = "MEM:050\r\nSTATS:1\r\n";

// What Save writes over oldBytes once the window-mode box is ticked.
std::string oldBytesWindowed() {
  return canonicalSettingsFile({
      {"MEM:",      "050"},
      {"STATS:",    "1"  },
      {"WINDOWED:", "1"  }
  });
}

// A game's hold lasts: Save gives up after its wait, which has an end (one second; five leave
// room for a loaded machine).
TEST_F(Save, FileHeldOpenWithoutSharingKeepsItsBytes) {
  writeWholeFile("quenlix.ini", oldBytes);
  HANDLE holder = holdFile("quenlix.ini");
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(DWORD{ERROR_SHARING_VIOLATION}, writeSettingsFile());
  EXPECT_LT(GetTickCount64() - start, 5000u);
  CloseHandle(holder);
  EXPECT_EQ(oldBytes, readWholeFile("quenlix.ini"));
  EXPECT_EQ("quenlix.ini\n", directoryListing()) << "no temporary file may be left";
  EXPECT_EQ(DWORD{ERROR_SUCCESS}, writeSettingsFile()) << "once the file is free, Save works again";
  EXPECT_EQ(canonicalSettingsFile(), readWholeFile("quenlix.ini"));
}

// Told apart from a hold, and not waited for: no other program will clear the attribute.
TEST_F(Save, ReadOnlyFileIsNeverReplaced) {
  writeWholeFile("quenlix.ini", oldBytes);
  ASSERT_TRUE(SetFileAttributesA("quenlix.ini", FILE_ATTRIBUTE_READONLY));
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(DWORD{ERROR_FILE_READ_ONLY}, writeSettingsFile());
  EXPECT_LT(GetTickCount64() - start, ULONGLONG{heldFileWaitMs})
      << "the read-only file was waited for";
  EXPECT_EQ(oldBytes, readWholeFile("quenlix.ini"));
  EXPECT_EQ("quenlix.ini\n", directoryListing());
  SetFileAttributesA("quenlix.ini", FILE_ATTRIBUTE_NORMAL);
}

// What a read-only file's message says after the path, instead of the system's "Access is
// denied": what it is and what to do.
const std::string kReadOnlyGerman =
    "Die Datei ist schreibgesch\u00fctzt.\r\n\r\nEntfernen Sie in den Eigenschaften der Datei "
    "das H\u00e4kchen bei \"Schreibgesch\u00fctzt\" und speichern Sie erneut.";
const std::string kReadOnlyEnglish =
    "The file is read-only.\r\n\r\nClear \"Read-only\" in the file's Properties, then save "
    "again.";

// A user under Program Files, on a read-only share or with the file open elsewhere learns which
// file it is and why, in the system's own words.
TEST_F(Save, AFailureNamesTheFileAndTheSystemsReason) {
  const std::string file = scratch.path() + "\\quenlix.ini";
  const std::string firstLine = "Die Einstellungen konnten nicht gespeichert werden.";

  writeWholeFile("quenlix.ini", oldBytes);
  HANDLE holder = holdFile("quenlix.ini");
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  ShownMessage shown = watchMessages(saveSettings);
  CloseHandle(holder);
  EXPECT_EQ(1, shown.boxes);
  EXPECT_EQ("Ein Fehler trat auf.", shown.caption);
  EXPECT_EQ(mainWindow, shown.owner);
  const std::string heldReason = systemText(ERROR_SHARING_VIOLATION);
  ASSERT_FALSE(heldReason.empty());
  EXPECT_EQ(firstLine + "\r\n\r\n" + file + "\r\n" + heldReason, shown.text);

  // A read-only file is named as such, with what to do, in the window's language.
  ASSERT_TRUE(SetFileAttributesA("quenlix.ini", FILE_ATTRIBUTE_READONLY));
  shown = watchMessages(saveSettings);
  EXPECT_EQ(1, shown.boxes);
  EXPECT_EQ(firstLine + "\r\n\r\n" + file + "\r\n" + kReadOnlyGerman, shown.text);
  settings.language = 1;
  rebuild();
  shown = watchMessages(saveSettings);
  SetFileAttributesA("quenlix.ini", FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(1, shown.boxes);
  EXPECT_EQ("An error occurred.", shown.caption);
  EXPECT_EQ("The settings could not be saved.\r\n\r\n" + file + "\r\n" + kReadOnlyEnglish,
            shown.text);
  EXPECT_EQ(oldBytes, readWholeFile("quenlix.ini"));

  EXPECT_EQ(0, watchMessages(saveSettings).boxes) << "a Save that works says nothing";
}

TEST_F(Save, ADirectoryInThePlaceOfTheFileIsLeftAlone) {
  ASSERT_TRUE(CreateDirectoryA("quenlix.ini", nullptr));
  EXPECT_NE(DWORD{ERROR_SUCCESS}, writeSettingsFile());
  EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA("quenlix.ini") & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ("quenlix.ini\n", directoryListing());
}

// Another program's handle on the file, and how it shares it: a game lets nobody in, a virus
// scanner or an indexer reads and lets others read and write, but not replace.
struct Holder {
  const char* name;
  DWORD sharing;
};
const Holder kHolders[] = {
    {"game",    0                                 },
    {"scanner", FILE_SHARE_READ | FILE_SHARE_WRITE},
};

TEST_F(Save, AHoldOfAFewHundredMillisecondsIsRiddenOut) {
  for (const Holder& holder : kHolders) {
    SCOPED_TRACE(holder.name);
    writeWholeFile("quenlix.ini", oldBytes);
    loadSettings();
    rebuild();
    SendMessageA(windowedCheck, BM_SETCHECK, BST_CHECKED, 0);
    HANDLE held = holdFile("quenlix.ini", holder.sharing);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ShownMessage shown;
    {
      const ReleaseLater release(held, 300);
      ASSERT_TRUE(release.started());
      shown = watchMessages(saveSettings);
    }
    EXPECT_EQ(0, shown.boxes) << shown.text;
    EXPECT_EQ(oldBytesWindowed(), readWholeFile("quenlix.ini"));
    EXPECT_EQ("quenlix.ini\n", directoryListing());
  }
}

// The cursor at each pause of this thread between two tries at a held file, seen through this
// program's import of Sleep, which the wait between tries uses.
namespace pauseWatch {

DWORD waitingThread;
std::vector<HCURSOR> cursors;
decltype(&Sleep) realSleep;

VOID WINAPI sleep(DWORD ms) {
  if (GetCurrentThreadId() == waitingThread) cursors.push_back(GetCursor());
  realSleep(ms);
}

class Watching {
 public:
  Watching() {
    waitingThread = GetCurrentThreadId();
    cursors.clear();
    realSleep = patch_.original();
  }
  bool patched() const { return patch_.patched(); }

 private:
  const ImportPatch<decltype(&Sleep)> patch_{"kernel32.dll", "Sleep", sleep};
};

}  // namespace pauseWatch

// Which wait of Save meets the hold: the reread of a file unread at start-up, or the replace.
struct WaitCase {
  const char* name;
  DWORD startUpError;
};
const WaitCase kWaits[] = {
    {"replace", ERROR_SUCCESS          },
    {"reread",  ERROR_SHARING_VIOLATION},
};

// While Save waits out a hold the cursor says the window is busy; afterwards it is the one
// from before (a cross here, so that a plain arrow cannot pass for it).
TEST_F(Save, TheCursorSaysBusyWhileAHoldIsWaitedOut) {
  const HCURSOR waiting = LoadCursorA(nullptr, IDC_WAIT);
  const HCURSOR before = LoadCursorA(nullptr, IDC_CROSS);
  for (const WaitCase& wait : kWaits) {
    SCOPED_TRACE(wait.name);
    startWith(oldBytes);
    startUpReadError = wait.startUpError;
    SetCursor(before);
    HANDLE held = holdFile("quenlix.ini");
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    {
      const pauseWatch::Watching watching;
      ASSERT_TRUE(watching.patched());
      const ReleaseLater release(held, 300);
      ASSERT_TRUE(release.started());
      watchMessages(saveSettings, IDYES);
    }
    ASSERT_FALSE(pauseWatch::cursors.empty()) << "Save met no hold";
    for (const HCURSOR shown : pauseWatch::cursors) EXPECT_EQ(waiting, shown);
    EXPECT_EQ(before, GetCursor());
    EXPECT_EQ(DWORD{ERROR_SUCCESS}, startUpReadError) << "Save did not reach the file";
  }
}

// The file as it is when the editor starts, and when Save is clicked.
enum class AtStart { missing, read, held };
enum class AtSave { free, held, gone };

// What a Save after such a start shows, for the question or the failure; and the file after it,
// in each case with the window's one change (window mode on) on top of what it shows.
struct UnreadCase {
  const char* name;
  AtStart atStart;
  AtSave atSave;
  int32_t language;
  int answer;         // to the box Save shows: a button, or kPressReturn
  const char* shown;  // "": no box; "question"; "failure"
  std::map<std::string, std::string> savedValues;
  bool keptStoredBytes;
  // Whether the next Save shows a box again: after No the window still does not show the file.
  bool nextSaveShows;
};

const std::string kStored = "MEM:064\r\nFSAA:4\r\nSPRACHE:1\r\n";

// clang-format off
const UnreadCase kUnreadCases[] = {
    {"MissingAtStartIsSavedUnasked",   AtStart::missing, AtSave::free, 0, IDOK,         "",         {{"WINDOWED:", "1"}},                                                     false, false},
    {"ReadAtStartIsSavedUnasked",      AtStart::read,    AtSave::free, 0, IDOK,         "",         {{"MEM:", "064"}, {"FSAA:", "4"}, {"SPRACHE:", "1"}, {"WINDOWED:", "1"}}, false, false},
    {"HeldAtStartReturnKeepsAllBytes", AtStart::held,    AtSave::free, 0, kPressReturn, "question", {},                                                                       true,  true },
    {"HeldAtStartYesWritesTheWindow",  AtStart::held,    AtSave::free, 0, IDYES,        "question", {{"WINDOWED:", "1"}},                                                     false, false},
    {"HeldAtStartAskedInEnglish",      AtStart::held,    AtSave::free, 1, IDYES,        "question", {{"SPRACHE:", "1"}, {"WINDOWED:", "1"}},                                  false, false},
    {"StillHeldAtSaveFailsAsSaveDoes", AtStart::held,    AtSave::held, 0, IDOK,         "failure",  {},                                                                       true,  true },
    {"GoneBySaveIsSavedUnasked",       AtStart::held,    AtSave::gone, 0, IDOK,         "",         {{"WINDOWED:", "1"}},                                                     false, false},
};
// clang-format on

std::string questionText(int32_t language, const std::string& file) {
  return language == 0
             ? "Die Datei konnte beim Start nicht gelesen werden:\r\n\r\n" + file +
                   "\r\n\r\nSollen die darin gespeicherten Einstellungen durch die im Fenster "
                   "ersetzt werden?"
             : "The file could not be read when the editor started:\r\n\r\n" + file +
                   "\r\n\r\nReplace the settings stored in it with those in the window?";
}

class SaveAfterAnUnreadStart : public EditorWindowTest,
                               public testing::WithParamInterface<UnreadCase> {
 protected:
  ScratchDirectory scratch;
};

// Save never replaces settings it could not show without a Yes; a file it read or that was not
// there is saved as ever.
TEST_P(SaveAfterAnUnreadStart, AsksBeforeReplacingWhatItCouldNotRead) {
  const UnreadCase& c = GetParam();
  const std::string file = scratch.path() + "\\quenlix.ini";
  if (c.atStart != AtStart::missing) writeWholeFile("quenlix.ini", kStored);
  HANDLE held = c.atStart == AtStart::held ? holdFile("quenlix.ini") : INVALID_HANDLE_VALUE;
  settings.language = c.language;
  loadSettings();
  rebuild();
  SendMessageA(windowedCheck, BM_SETCHECK, BST_CHECKED, 0);
  if (c.atSave != AtSave::held && held != INVALID_HANDLE_VALUE) CloseHandle(held);
  if (c.atSave == AtSave::gone) {
    ASSERT_TRUE(DeleteFileA("quenlix.ini"));
  }

  const ULONGLONG start = GetTickCount64();
  const ShownMessage shown = watchMessages(saveSettings, c.answer);
  // The wait for a hold has an end (one second; five leave room for a loaded machine).
  EXPECT_LT(GetTickCount64() - start, 5000u);
  // The next Save writes nothing new: it asks again and is answered No, or fails again, or
  // writes the same bytes.
  const ShownMessage next = watchMessages(saveSettings, IDNO);
  if (c.atSave == AtSave::held) CloseHandle(held);

  if (std::string(c.shown) == "question") {
    EXPECT_EQ(1, shown.boxes);
    EXPECT_EQ(mainWindow, shown.owner);
    EXPECT_EQ(c.language == 0 ? "Einstellungen ersetzen?" : "Replace the settings?", shown.caption);
    EXPECT_EQ(questionText(c.language, file), shown.text);
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), shown.buttons);
  } else if (std::string(c.shown) == "failure") {
    EXPECT_EQ(1, shown.boxes);
    EXPECT_EQ(mainWindow, shown.owner);
    EXPECT_EQ("Die Einstellungen konnten nicht gespeichert werden.\r\n\r\n" + file + "\r\n" +
                  systemText(ERROR_SHARING_VIOLATION),
              shown.text);
  } else {
    EXPECT_EQ(0, shown.boxes) << shown.text;
  }
  EXPECT_EQ(c.keptStoredBytes ? kStored : canonicalSettingsFile(c.savedValues),
            readWholeFile("quenlix.ini"));
  EXPECT_EQ(c.nextSaveShows ? 1 : 0, next.boxes) << next.text;
  EXPECT_EQ("quenlix.ini\n", directoryListing()) << "no temporary file may be left";
}

void PrintTo(const UnreadCase& c, std::ostream* out) {
  *out << c.name;
}

std::string unreadCaseName(const testing::TestParamInfo<UnreadCase>& param) {
  return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(Save, SaveAfterAnUnreadStart, testing::ValuesIn(kUnreadCases),
                         unreadCaseName);

class SaveInAForeignFolder : public EditorWindowTest,
                             public testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    ASSERT_TRUE(ansiCodePageCannotSpell(GetParam())) << "code page " << GetACP();
    ASSERT_NE(std::string::npos, scratch.path().find(GetParam())) << scratch.path();
  }
  ScratchDirectory scratch{GetParam()};
};

TEST_P(SaveInAForeignFolder, ReadsAndReplacesTheFile) {
  writeWholeFile("quenlix.ini", oldBytes);
  EXPECT_EQ(DWORD{ERROR_SUCCESS}, loadSettings());
  rebuild();
  SendMessageA(windowedCheck, BM_SETCHECK, BST_CHECKED, 0);
  wchar_t written[MAX_PATH] = {};
  EXPECT_EQ(DWORD{ERROR_SUCCESS}, writeSettingsFile(written));
  EXPECT_EQ(scratch.path() + "\\quenlix.ini", utf8Of(written));
  EXPECT_EQ(oldBytesWindowed(), readWholeFile("quenlix.ini"));
  EXPECT_EQ("quenlix.ini\n", directoryListing());
}

TEST_P(SaveInAForeignFolder, AFailureShowsThePathAsTyped) {
  writeWholeFile("quenlix.ini", oldBytes);
  ASSERT_TRUE(SetFileAttributesW(L"quenlix.ini", FILE_ATTRIBUTE_READONLY));
  const ShownMessage shown = watchMessages(saveSettings);
  SetFileAttributesW(L"quenlix.ini", FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(1, shown.boxes);
  EXPECT_EQ("Die Einstellungen konnten nicht gespeichert werden.\r\n\r\n" + scratch.path() +
                "\\quenlix.ini\r\n" + kReadOnlyGerman,
            shown.text);
  EXPECT_EQ(oldBytes, readWholeFile("quenlix.ini"));
}

INSTANTIATE_TEST_SUITE_P(Cyrillic, SaveInAForeignFolder, testing::Values(foreignFolderNames[0]));
INSTANTIATE_TEST_SUITE_P(Japanese, SaveInAForeignFolder, testing::Values(foreignFolderNames[1]));

// Replacing the old file fails after the temporary one was written in full.
BOOL WINAPI failingMove(const wchar_t*, const wchar_t*, DWORD) {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

TEST_F(Save, FailureBetweenWritingAndReplacingKeepsTheOldBytes) {
  writeWholeFile("quenlix.ini", oldBytes);
  bool saved = true;
  {
    const ImportPatch<decltype(&MoveFileExW)> failing("kernel32.dll", "MoveFileExW", failingMove);
    ASSERT_TRUE(failing.patched());
    saved = writeSettingsFile() == ERROR_SUCCESS;
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(oldBytes, readWholeFile("quenlix.ini"));
  EXPECT_EQ("quenlix.ini\n", directoryListing());
  EXPECT_EQ(DWORD{ERROR_SUCCESS}, writeSettingsFile());
  EXPECT_EQ(canonicalSettingsFile(), readWholeFile("quenlix.ini"));
}

// From the test script: quenlix.ini as a link to a file in another directory. Save replaces
// the file the link points to and leaves the link: the target then holds the new bytes (were
// the link replaced by a plain file, the target would keep its old ones).
TEST(SaveThroughALink, ReplacesTheLinkedFileAndKeepsTheLink) {
  char directory[MAX_PATH] = {};
  char target[MAX_PATH] = {};
  if (GetEnvironmentVariableA("MORVANE_LINKED_DIR", directory, MAX_PATH) == 0 ||
      GetEnvironmentVariableA("MORVANE_LINK_TARGET", target, MAX_PATH) == 0)
    GTEST_SKIP() << "the test script makes the linked file";
  prepareEditorWindow();
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(directory));
  loadSettings();
  EditorWindowTest::rebuild();
  SendMessageA(windowedCheck, BM_SETCHECK, BST_CHECKED, 0);
  wchar_t written[MAX_PATH] = {};
  const DWORD error = writeSettingsFile(written);
  SetCurrentDirectoryA(previous);

  EXPECT_EQ(DWORD{ERROR_SUCCESS}, error);
  EXPECT_STRCASEEQ(target, utf8Of(written).c_str());
  const std::string expected = canonicalSettingsFile({
      {"MEM:",      "050"},
      {"STATS:",    "1"  },
      {"WINDOWED:", "1"  }
  });
  EXPECT_EQ(expected, readWholeFile(target));
  EXPECT_EQ(expected, readWholeFile(std::string(directory) + "\\quenlix.ini"));
  EXPECT_EQ("quenlix.ini\n", directoryListing(directory));
  std::string targetDirectory = target;
  targetDirectory.resize(targetDirectory.rfind('\\'));
  EXPECT_EQ("real.ini\n", directoryListing(targetDirectory)) << "no temporary file may be left";
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
  const bool saved = writeSettingsFile() == ERROR_SUCCESS;
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
