// loadSettings against real files under Wine: sharing, missing files, odd file system objects.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "settings/settings.h"
#include "settings/settings_file.h"
#include "tests/win/test_support.h"

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

TEST(LoadSettings, FileHeldOpenWithoutSharingGivesDefaults) {
  ScratchDirectory scratch;
  writeWholeFile("quenlix.ini", "MEM:064\r\nSPRACHE:1\r\n");
  HANDLE holder = CreateFileA("quenlix.ini", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  scrambleRecord(0);
  loadSettings();
  CloseHandle(holder);
  EXPECT_TRUE(sameRecord(defaults(0), settings));
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
  loadSettings();
  EXPECT_TRUE(sameRecord(defaults(0), settings));

  DeleteFileA("quenlix.ini");
  ASSERT_TRUE(CreateDirectoryA("quenlix.ini", nullptr));
  scrambleRecord(0);
  loadSettings();
  EXPECT_TRUE(sameRecord(defaults(0), settings));
}

}  // namespace
