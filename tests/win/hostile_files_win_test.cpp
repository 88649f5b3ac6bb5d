// Files that must load without a crash or a hang, read through the real file services.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "settings/settings.h"
#include "settings/settings_file.h"
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

TEST(HostileFiles, OnlyLineEndsGiveDefaults) {
  ScratchDirectory scratch;
  EXPECT_TRUE(isDefaults(loadFile(std::string(5000, '\n') + std::string(5000, '\r'))));
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

TEST(HostileFiles, HundredMegabytesWithTheSettingsAtTheEnd) {
  ScratchDirectory scratch;
  std::string line(99, 'x');
  line += "\n";
  std::string text;
  text.reserve(100u << 20);
  text += "MEM:020\nSPRACHE:1\n";
  while (text.size() < (100u << 20)) text += line;
  text += "MEM:099\r\nFSAA:8";
  const Settings record = loadFile(text);
  EXPECT_EQ(99, record.textureMemoryMb) << "the last line wins";
  EXPECT_EQ(4, record.fsaaIndex);
  EXPECT_EQ(1, record.language);
}

// Each key as the file's last bytes, its value cut off: the missing positions count as '0'.
TEST(HostileFiles, EveryKeyCutOffAtTheEnd) {
  ScratchDirectory scratch;
  const char* keys[] = {"VERSTELLBAR:",
                        "TEXTURVIDEOS:",
                        "REFRESH:",
                        "DESKTOPRES:",
                        "FSAA:",
                        "8BITTEXTURE:",
                        "FESTESGAMMA:",
                        "DIRECTXVIDEOS:",
                        "ANZEIGEFOLGE:",
                        "UHRZEIT:",
                        "MAUSGRENZEN:",
                        "ZENTRIERT:",
                        "GL_EXT_palettized_textures:",
                        "GL_EXT_paletted_texture:",
                        "GL_EXT_shared_texture_palette:",
                        "GL_EXT_packed_pixels:",
                        "WINDOWED:",
                        "MEM:",
                        "FPS:",
                        "FRAMERATE:",
                        "STATS:",
                        "SPRACHE:"};
  refreshStepCount = 9;
  for (const char* key : keys) {
    const Settings record = loadFile(std::string("STATS:1\n") + key);
    EXPECT_EQ(std::strcmp(key, "STATS:") == 0 ? 0 : 1, record.showTextureMass) << key;
  }
  EXPECT_EQ(2, loadFile("MEM:").textureMemoryMb);
  EXPECT_EQ(10, loadFile("MEM:01").textureMemoryMb);
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
