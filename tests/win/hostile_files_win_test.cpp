// Files read through the real file services: bytes of every value, NULs included, and a link
// that leads nowhere. The parse's rules are the host tests'.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "settings/settings.h"
#include "settings/settings_file_win.h"
#include "tests/win/test_support.h"

namespace {

Settings defaults() {
  settings.language = 0;
  applyDefaults();
  return settings;
}

bool isDefaults(const Settings& record) {
  const Settings expected = defaults();
  return std::memcmp(&expected, &record, sizeof(Settings)) == 0;
}

Settings loadFile(const std::string& bytes) {
  writeWholeFile("quenlix.ini", bytes);
  settings.language = 0;
  loadSettings();
  return settings;
}

TEST(HostileFiles, BinaryNoiseWithNulsLoads) {
  ScratchDirectory scratch;
  std::string noise(1 << 16, '\0');
  unsigned state = 12345;
  for (char& byte : noise) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<char>(state >> 24);
  }
  const Settings record = loadFile(noise + "\nSTATS:1");
  EXPECT_EQ(1, record.showTextureMass);
  EXPECT_GE(record.textureMemoryMb, 2);
  EXPECT_LE(record.textureMemoryMb, 108);
}

// Made by the test script: quenlix.ini as a link to a file that does not exist.
TEST(HostileFiles, DanglingLinkGivesDefaults) {
  char directory[MAX_PATH] = {};
  if (GetEnvironmentVariableA("MORVANE_DANGLING_DIR", directory, MAX_PATH) == 0)
    GTEST_SKIP() << "MORVANE_DANGLING_DIR is made by the test script";
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(directory));
  settings.language = 0;
  loadSettings();
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(isDefaults(settings));
}

}  // namespace
