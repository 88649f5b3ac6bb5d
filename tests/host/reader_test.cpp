// The settings file parse: a table of files and the records they must give.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

#include "settings/fields.h"
#include "settings/settings.h"
#include "settings/settings_reader.h"

namespace {

using Field = int32_t Settings::*;
using Override = std::pair<Field, int32_t>;

Settings parse(const std::string& text, int32_t refreshCap = 188, int32_t language = 0) {
  return settingsOfFile(reinterpret_cast<const unsigned char*>(text.data()), text.size(),
                        refreshCap, language);
}

// Every field: the rows cover the whole record (fields_test checks it).
void expectRecord(const Settings& actual, std::initializer_list<Override> changes,
                  int32_t language = 0) {
  Settings expected = defaultSettings(language);
  for (const Override& change : changes) expected.*change.first = change.second;
  for (const FieldRow& row : fieldRows)
    EXPECT_EQ(actual.*row.member, expected.*row.member) << row.key;
}

struct FileCase {
  const char* name;
  std::string text;
  int32_t refreshSteps;
  std::initializer_list<Override> changes;
};

const FileCase fileCases[] = {
    {"empty file", "", 188, {}},
    {"language alone without line end", "SPRACHE:1", 188, {{&Settings::language, 1}}},
    {"MEM 016", "MEM:016\r\n", 188, {{&Settings::textureMemoryMb, 16}}},
    {"MEM 999 lowered", "MEM:999\r\n", 188, {{&Settings::textureMemoryMb, 108}}},
    {"MEM 000 raised", "MEM:000\r\n", 188, {{&Settings::textureMemoryMb, 2}}},
    {"MEM 16 then CR counts CR as 0", "MEM:16\r\n", 188, {{&Settings::textureMemoryMb, 108}}},
    {"MEM 1 then CR LF",
     "MEM:1\r\nFPS:1",
     188,
     {{&Settings::textureMemoryMb, 100}, {&Settings::infoCorner, 1}}},
    {"MEM letter counts as 9", "MEM:1x6\r\n", 188, {{&Settings::textureMemoryMb, 108}}},
    {"MEM high byte counts as 9",
     "MEM:0\xff"
     "0\r\n",
     188,
     {{&Settings::textureMemoryMb, 90}}},
    {"MEM with trailing text and a second key",
     "MEM:016FPS:1 more\r\n",
     188,
     {{&Settings::textureMemoryMb, 16}}},
    {"REFRESH capped at steps", "REFRESH:07\r\n", 4, {{&Settings::refreshIndex, 4}}},
    {"REFRESH tens clamped to 2", "REFRESH:35\r\n", 40, {{&Settings::refreshIndex, 25}}},
    {"REFRESH with no steps", "REFRESH:12\r\n", 0, {{&Settings::refreshIndex, 0}}},
    {"FSAA 8", "FSAA:8", 188, {{&Settings::fsaaIndex, 4}}},
    {"FSAA 5", "FSAA:5", 188, {{&Settings::fsaaIndex, 2}}},
    {"FSAA 1", "FSAA:1", 188, {{&Settings::fsaaIndex, 0}}},
    {"FPS 7 clamped", "FPS:7", 188, {{&Settings::infoCorner, 4}}},
    {"FRAMERATE 9 clamped", "FRAMERATE:9", 188, {{&Settings::showFramerate, 4}}},
    {"FPS blank counts as 0", "FPS: 1", 188, {{&Settings::infoCorner, 0}}},
    {"FPS after a blank is no key", " FPS:1", 188, {}},
    {"fps in lower case is no key", "fps:1", 188, {}},
    {"byte-order mark is passed over",
     "\xef\xbb\xbf"
     "FPS:1\r\nSTATS:1",
     188,
     {{&Settings::infoCorner, 1}, {&Settings::showTextureMass, 1}}},
    {"byte-order mark alone", "\xef\xbb\xbf", 188, {}},
    {"byte-order mark before a line end",
     "\xef\xbb\xbf"
     "\nFPS:2",
     188,
     {{&Settings::infoCorner, 2}}},
    {"second byte-order mark loses the first line",
     "\xef\xbb\xbf\xef\xbb\xbf"
     "FPS:1\r\nSTATS:1",
     188,
     {{&Settings::showTextureMass, 1}}},
    {"half a byte-order mark loses the first line",
     "\xef\xbb"
     "FPS:1\r\nSTATS:1",
     188,
     {{&Settings::showTextureMass, 1}}},
    {"byte-order mark on a later line loses that line",
     "STATS:1\r\n\xef\xbb\xbf"
     "FPS:1",
     188,
     {{&Settings::showTextureMass, 1}}},
    {"other byte before the first key loses that line",
     " FPS:1\r\nSTATS:1",
     188,
     {{&Settings::showTextureMass, 1}}},
    {"order 6-9 read as the last order", "ANZEIGEFOLGE:8", 188, {{&Settings::displayOrder, 5}}},
    {"order 4", "ANZEIGEFOLGE:4", 188, {{&Settings::displayOrder, 4}}},
    {"clock 4-9 read as the last style", "UHRZEIT:7", 188, {{&Settings::clockStyle, 3}}},
    {"legacy key after the current one wins",
     "GL_EXT_paletted_texture:1\r\n8BITTEXTURE:0\r\n",
     188,
     {{&Settings::palettedTexture, 0}}},
    {"current key after the legacy one wins",
     "8BITTEXTURE:0\r\nGL_EXT_paletted_texture:1\r\n",
     188,
     {{&Settings::palettedTexture, 1}}},
    {"second legacy key", "GL_EXT_palettized_textures:0", 188, {{&Settings::palettedTexture, 0}}},
    {"last line wins", "STATS:1\nSTATS:3\nSTATS:2", 188, {{&Settings::showTextureMass, 2}}},
    {"on/off digits kept as read",
     "WINDOWED:5\nZENTRIERT:9\nMAUSGRENZEN:2",
     188,
     {{&Settings::windowed, 5}, {&Settings::centred, 9}, {&Settings::captureMouse, 2}}},
    {"FPS then LF in an LF-only file",
     "FPS:\nSTATS:1\n",
     188,
     {{&Settings::infoCorner, 0}, {&Settings::showTextureMass, 1}}},
    {"key cut off at the end counts as 0", "SPRACHE:1\nSPRACHE:", 188, {{&Settings::language, 0}}},
    {"MEM cut off after two digits", "MEM:01", 188, {{&Settings::textureMemoryMb, 10}}},
    {"key longer than the rest of the data", "GL_EXT_packed_pix", 188, {}},
    {"NUL bytes in values", std::string("STATS:\0\nFPS:3", 13), 188, {{&Settings::infoCorner, 3}}},
    {"only line ends", std::string(5000, '\n') + std::string(5000, '\r'), 188, {}},
};

void PrintTo(const FileCase& c, std::ostream* out) {
  *out << c.name;
}

class FileCases : public testing::TestWithParam<FileCase> {};

TEST_P(FileCases, GiveTheirRecord) {
  const FileCase& c = GetParam();
  expectRecord(parse(c.text, c.refreshSteps), c.changes);
}

INSTANTIATE_TEST_SUITE_P(Reader, FileCases, testing::ValuesIn(fileCases),
                         [](const testing::TestParamInfo<FileCase>& param) {
                           std::string name;
                           for (const char* p = param.param.name; *p != '\0'; ++p)
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return name;
                         });

// A file holding one line of one key: exactly that key's field moves off its default. Every key
// has its own row, so a key wired to the wrong field, or read with the wrong digit range, shows.
struct OneKey {
  const char* line;
  Field field;
  int32_t value;
};

// clang-format off
const OneKey oneKeyCases[] = {
    {"VERSTELLBAR:3",                   &Settings::windowExtras,         3},
    {"TEXTURVIDEOS:0",                  &Settings::textureVideos,        0},
    {"REFRESH:17",                      &Settings::refreshIndex,         17},
    {"DESKTOPRES:4",                    &Settings::desktopResolution,    4},
    {"FSAA:6",                          &Settings::fsaaIndex,            3},
    {"8BITTEXTURE:0",                   &Settings::palettedTexture,      0},
    {"FESTESGAMMA:5",                   &Settings::fixedGamma,           5},
    {"DIRECTXVIDEOS:6",                 &Settings::directXVideos,        6},
    {"ANZEIGEFOLGE:2",                  &Settings::displayOrder,         2},
    {"UHRZEIT:2",                       &Settings::clockStyle,           2},
    {"MAUSGRENZEN:7",                   &Settings::captureMouse,         7},
    {"ZENTRIERT:8",                     &Settings::centred,              8},
    {"GL_EXT_palettized_textures:0",    &Settings::palettedTexture,      0},
    {"GL_EXT_paletted_texture:0",       &Settings::palettedTexture,      0},
    {"GL_EXT_shared_texture_palette:0", &Settings::sharedTexturePalette, 0},
    {"GL_EXT_packed_pixels:0",          &Settings::packedPixels,         0},
    {"WINDOWED:9",                      &Settings::windowed,             9},
    {"MEM:097",                         &Settings::textureMemoryMb,      97},
    {"MEM:205",                         &Settings::textureMemoryMb,      108},
    {"FPS:3",                           &Settings::infoCorner,           3},
    {"FRAMERATE:0",                     &Settings::showFramerate,        0},
    {"STATS:2",                         &Settings::showTextureMass,      2},
    {"SPRACHE:4",                       &Settings::language,             4},
};
// clang-format on

TEST(Reader, EachKeySetsExactlyItsField) {
  for (const OneKey& c : oneKeyCases) {
    SCOPED_TRACE(c.line);
    expectRecord(parse(std::string(c.line) + "\r\n"), {{c.field, c.value}});
  }
}

// Each key as the file's last bytes, its value cut off: the missing positions count as '0', and
// the line still wins over the same key set earlier.
TEST(Reader, EveryKeyCutOffAtTheEndReadsZeros) {
  for (const OneKey& c : oneKeyCases) {
    const std::string line = c.line;
    const std::string key = line.substr(0, line.find(':') + 1);
    SCOPED_TRACE(key);
    const int32_t zero = c.field == &Settings::textureMemoryMb ? lowestFileMemoryMb : 0;
    const Settings record = parse(line + "\nSTATS:1\n" + key, 188, 1);
    expectRecord(record, {{&Settings::showTextureMass, key == "STATS:" ? 0 : 1}, {c.field, zero}},
                 1);
  }
}

// The file's size is no limit: the settings after a megabyte of other lines are read, the last
// line of a key winning.
TEST(Reader, TheLastLineWinsAfterAMegabyteOfOtherLines) {
  std::string text = "MEM:020\nSPRACHE:1\n";
  while (text.size() < (1u << 20)) text += std::string(99, 'x') + "\n";
  text += "MEM:099\r\nFSAA:8";
  expectRecord(
      parse(text),
      {{&Settings::textureMemoryMb, 99}, {&Settings::fsaaIndex, 4}, {&Settings::language, 1}});
}

// A line whose key differs from a real key in any one byte, its colon included, sets nothing:
// near the end of the data and far from it, which different code reads.
TEST(Reader, AKeyOffByOneByteSetsNothing) {
  for (const OneKey& c : oneKeyCases) {
    const std::string line = c.line;
    const size_t keyLength = line.find(':') + 1;
    for (size_t at = 0; at < keyLength; ++at) {
      std::string wrong = line;
      wrong[at] = static_cast<char>(wrong[at] ^ 0x20);
      SCOPED_TRACE(wrong);
      expectRecord(parse(wrong + "\r\n"), {});
      expectRecord(parse(wrong + "\r\n; " + std::string(64, 'x')), {});
    }
  }
}

// Lines far from the end of the data and lines near it are read by different code; a long last
// line moves every line of a case away from the end and must change nothing (a value position
// past the end counts as '0', as the line end that now stands there does).
TEST_P(FileCases, GiveTheSameRecordFarFromTheEnd) {
  const FileCase& c = GetParam();
  const std::string farFromTheEnd = c.text + "\n; " + std::string(64, 'x');
  expectRecord(parse(farFromTheEnd, c.refreshSteps), c.changes);
}

TEST(Reader, LineEndVariantsAndBlankLinesGiveTheSameRecord) {
  const char* lines[] = {"MEM:064", "FPS:2", "UHRZEIT:1", "WINDOWED:1", "SPRACHE:1", "FSAA:4"};
  const char* separators[] = {"\r\n", "\n", "\r", "\r\n\r\n", "\n\n\r", "\r\r\r"};
  Settings first{};
  bool haveFirst = false;
  for (const char* separator : separators) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + separator;
    const Settings record = parse(text);
    if (!haveFirst) {
      first = record;
      haveFirst = true;
      expectRecord(record,
                   {{&Settings::textureMemoryMb, 64},
                    {&Settings::infoCorner, 2},
                    {&Settings::clockStyle, 1},
                    {&Settings::windowed, 1},
                    {&Settings::language, 1},
                    {&Settings::fsaaIndex, 2}},
                   0);
    } else {
      EXPECT_EQ(0, std::memcmp(&record, &first, sizeof(Settings))) << "separator " << separator;
    }
  }
}

TEST(Reader, DefaultsLeaveLanguageAlone) {
  expectRecord(parse("STATS:1", 188, 1), {{&Settings::showTextureMass, 1}}, 1);
}

struct MatchCase {
  const char* bytes;
  size_t bytesLeft;
  const char* key;
  bool matches;
};

TEST(MatchKey, ComparesTheWholeKeyWithinTheBytesLeft) {
  const MatchCase cases[] = {
      {"FPS:1", 5, "FPS:", true},   {"FPS:", 4, "FPS:", true},   {"FPS:", 3, "FPS:", false},
      {"FPX:1", 5, "FPS:", false},  {"fps:1", 5, "FPS:", false}, {"", 0, "", true},
      {"FPS:1", 5, nullptr, false}, {nullptr, 5, "FPS:", false},
  };
  for (const MatchCase& c : cases)
    EXPECT_EQ(c.matches,
              matchKey(reinterpret_cast<const unsigned char*>(c.bytes), c.bytesLeft, c.key))
        << (c.bytes ? c.bytes : "(null)") << " / " << (c.key ? c.key : "(null)");
}

TEST(KeyOfLine, NamesTheKeyThatBeginsTheLine) {
  // line, bytes to the end of the data, key expected (null for none)
  const struct {
    const char* line;
    size_t bytesLeft;
    const char* key;
  } cases[] = {
      {"GL_EXT_paletted_texture:1", 25, "GL_EXT_paletted_texture:"},
      {"GL_EXT_palettized_textures:0", 28, "GL_EXT_palettized_textures:"},
      {"GL_EXT_packed_pixels:1", 22, "GL_EXT_packed_pixels:"},
      {"FPS:", 4, "FPS:"},
      {"FRAMERATE:1", 11, "FRAMERATE:"},
      {"FSAA:4", 6, "FSAA:"},
      {"FPS:", 3, nullptr},
      {"FPX:1", 5, nullptr},
      {"GL_EXT_paletted", 15, nullptr},
      {"; STATS:1", 9, nullptr},
      {"", 0, nullptr},
  };
  for (const auto& c : cases) {
    const char* key = keyOfLine(reinterpret_cast<const unsigned char*>(c.line), c.bytesLeft);
    EXPECT_STREQ(c.key, key) << c.line << " / " << c.bytesLeft;
  }
}

TEST(DisplayOrder, RowsOfEveryOrder) {
  // order, frame-rate y, clock y, texture-amount y
  const int32_t expected[6][4] = {{0, 60, 85, 110}, {1, 60, 110, 85}, {2, 110, 85, 60},
                                  {3, 85, 110, 60}, {4, 110, 60, 85}, {5, 85, 60, 110}};
  for (const auto& row : expected) {
    EXPECT_EQ(row[1], orderRowY(row[0], OrderItem::framerate)) << row[0];
    EXPECT_EQ(row[2], orderRowY(row[0], OrderItem::clock)) << row[0];
    EXPECT_EQ(row[3], orderRowY(row[0], OrderItem::textureMass)) << row[0];
  }
}

}  // namespace
