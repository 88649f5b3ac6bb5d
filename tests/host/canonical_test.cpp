// The canonical file Save writes for a record: a table of records and the bytes they give.
#include <gtest/gtest.h>

#include <string>

#include "settings/settings.h"
#include "settings/settings_format.h"
#include "tests/common/expected_file.h"

namespace {

std::string canonical(const Settings& record) {
  return canonicalFile(record).text;
}

TEST(CanonicalFile, DefaultsGiveTheExpectedLinesAndSize) {
  const std::string file = canonical(defaultSettings(0));
  EXPECT_EQ(canonicalSettingsFile().size(), canonicalFileBytes);
  EXPECT_EQ(canonicalSettingsFile(), file);
}

// field, value put into an otherwise default record, key of the only line that changes, its
// digits. Every field has its own row, so a line fed from the wrong field shows.
struct OneField {
  int32_t Settings::*field;
  int32_t value;
  const char* key;
  const char* digits;
};

// clang-format off
const OneField oneFieldCases[] = {
    {&Settings::textureMemoryMb,      64,        "MEM:",                           "064"},
    {&Settings::textureMemoryMb,      8,         "MEM:",                           "008"},
    {&Settings::textureMemoryMb,      108,       "MEM:",                           "108"},
    {&Settings::textureMemoryMb,      2,         "MEM:",                           "008"},
    {&Settings::textureMemoryMb,      150,       "MEM:",                           "108"},
    {&Settings::textureMemoryMb,      -1,        "MEM:",                           "008"},
    {&Settings::palettedTexture,      0,         "GL_EXT_paletted_texture:",       "0"},
    {&Settings::centred,              7,         "ZENTRIERT:",                     "1"},
    {&Settings::windowExtras,         1,         "VERSTELLBAR:",                   "1"},
    {&Settings::refreshIndex,         3,         "REFRESH:",                       "03"},
    {&Settings::refreshIndex,         12,        "REFRESH:",                       "12"},
    {&Settings::refreshIndex,         -1,        "REFRESH:",                       "00"},
    {&Settings::refreshIndex,         100,       "REFRESH:",                       "99"},
    {&Settings::refreshIndex,         188,       "REFRESH:",                       "99"},
    {&Settings::desktopResolution,    9,         "DESKTOPRES:",                    "1"},
    {&Settings::fsaaIndex,            1,         "FSAA:",                          "2"},
    {&Settings::fsaaIndex,            3,         "FSAA:",                          "6"},
    {&Settings::fsaaIndex,            4,         "FSAA:",                          "8"},
    {&Settings::fsaaIndex,            -1,        "FSAA:",                          "0"},
    {&Settings::fsaaIndex,            5,         "FSAA:",                          "9"},
    {&Settings::fsaaIndex,            INT32_MAX, "FSAA:",                          "9"},
    {&Settings::captureMouse,         -3,        "MAUSGRENZEN:",                   "1"},
    {&Settings::sharedTexturePalette, 0,         "GL_EXT_shared_texture_palette:", "0"},
    {&Settings::packedPixels,         0,         "GL_EXT_packed_pixels:",          "0"},
    {&Settings::windowed,             2,         "WINDOWED:",                      "1"},
    {&Settings::directXVideos,        1,         "DIRECTXVIDEOS:",                 "1"},
    {&Settings::textureVideos,        0,         "TEXTURVIDEOS:",                  "0"},
    {&Settings::fixedGamma,           4,         "FESTESGAMMA:",                   "1"},
    {&Settings::infoCorner,           4,         "FPS:",                           "4"},
    {&Settings::infoCorner,           -1,        "FPS:",                           "0"},
    {&Settings::displayOrder,         5,         "ANZEIGEFOLGE:",                  "5"},
    {&Settings::showFramerate,        0,         "FRAMERATE:",                     "0"},
    {&Settings::clockStyle,           3,         "UHRZEIT:",                       "3"},
    {&Settings::clockStyle,           -1,        "UHRZEIT:",                       "0"},
    {&Settings::showTextureMass,      6,         "STATS:",                         "1"},
    {&Settings::language,             7,         "SPRACHE:",                       "7"},
    {&Settings::language,             1,         "SPRACHE:",                       "1"},
};
// clang-format on

TEST(CanonicalFile, EachFieldChangesExactlyItsLine) {
  for (const OneField& c : oneFieldCases) {
    Settings record = defaultSettings(0);
    record.*c.field = c.value;
    EXPECT_EQ(canonicalSettingsFile({{c.key, c.digits}}), canonical(record))
        << c.key << " from " << c.value;
  }
}

TEST(CanonicalFile, EveryFieldAtOnce) {
  Settings record = defaultSettings(0);
  record.textureMemoryMb = 97;
  record.palettedTexture = 0;
  record.sharedTexturePalette = 1;
  record.packedPixels = 0;
  record.infoCorner = 3;
  record.showFramerate = 1;
  record.clockStyle = 2;
  record.showTextureMass = 1;
  record.displayOrder = 4;
  record.windowed = 1;
  record.centred = 0;
  record.captureMouse = 1;
  record.windowExtras = 0;
  record.desktopResolution = 1;
  record.fsaaIndex = 2;
  record.refreshIndex = 27;
  record.directXVideos = 0;
  record.textureVideos = 1;
  record.fixedGamma = 1;
  record.language = 1;
  EXPECT_EQ(canonicalSettingsFile({
                {"MEM:", "097"},
                {"GL_EXT_paletted_texture:", "0"},
                {"ZENTRIERT:", "0"},
                {"VERSTELLBAR:", "0"},
                {"REFRESH:", "27"},
                {"DESKTOPRES:", "1"},
                {"FSAA:", "4"},
                {"MAUSGRENZEN:", "1"},
                {"GL_EXT_shared_texture_palette:", "1"},
                {"GL_EXT_packed_pixels:", "0"},
                {"WINDOWED:", "1"},
                {"DIRECTXVIDEOS:", "0"},
                {"TEXTURVIDEOS:", "1"},
                {"FESTESGAMMA:", "1"},
                {"FPS:", "3"},
                {"ANZEIGEFOLGE:", "4"},
                {"FRAMERATE:", "1"},
                {"UHRZEIT:", "2"},
                {"STATS:", "1"},
                {"SPRACHE:", "1"},
            }),
            canonical(record));
}

}  // namespace
