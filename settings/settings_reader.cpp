// The settings file's key table and its parse, free of any platform call.
#include "settings/settings_reader.h"

#include <cstdint>
#include <cstring>

namespace {

enum class ValueRule { asIs, halved, cappedAtRefreshSteps };

constexpr size_t textLength(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

// key, field it sets, highest digit allowed at each value position, how the number is taken;
// the key's length is worked out once, when the table is made.
struct KeyRow {
  constexpr KeyRow(const char* keyText, int32_t Settings::*setField, const char* highest,
                   ValueRule valueRule)
      : key(keyText),
        keyLength(textLength(keyText)),
        field(setField),
        highestDigits(highest),
        rule(valueRule) {}
  const char* key;
  size_t keyLength;
  int32_t Settings::*field;
  const char* highestDigits;
  ValueRule rule;
};

// "ANZEIGEFOLGE:" and "UHRZEIT:" clamp their digit to the highest order and clock style, so a
// stray digit can never index past their tables. Every key ends in its only colon, so no key is
// a prefix of another: at most one matches a line, whatever order they are tried in.
constexpr KeyRow keyTable[] = {
    {"VERSTELLBAR:",                   &Settings::windowExtras,         "9",   ValueRule::asIs                },
    {"TEXTURVIDEOS:",                  &Settings::textureVideos,        "9",   ValueRule::asIs                },
    {"REFRESH:",                       &Settings::refreshIndex,         "29",  ValueRule::cappedAtRefreshSteps},
    {"DESKTOPRES:",                    &Settings::desktopResolution,    "9",   ValueRule::asIs                },
    {"FSAA:",                          &Settings::fsaaIndex,            "9",   ValueRule::halved              },
    {"8BITTEXTURE:",                   &Settings::palettedTexture,      "9",   ValueRule::asIs                },
    {"FESTESGAMMA:",                   &Settings::fixedGamma,           "9",   ValueRule::asIs                },
    {"DIRECTXVIDEOS:",                 &Settings::directXVideos,        "9",   ValueRule::asIs                },
    {"ANZEIGEFOLGE:",                  &Settings::displayOrder,         "5",   ValueRule::asIs                },
    {"UHRZEIT:",                       &Settings::clockStyle,           "3",   ValueRule::asIs                },
    {"MAUSGRENZEN:",                   &Settings::captureMouse,         "9",   ValueRule::asIs                },
    {"ZENTRIERT:",                     &Settings::centred,              "9",   ValueRule::asIs                },
    {"GL_EXT_palettized_textures:",    &Settings::palettedTexture,      "9",   ValueRule::asIs                },
    {"GL_EXT_paletted_texture:",       &Settings::palettedTexture,      "9",   ValueRule::asIs                },
    {"GL_EXT_shared_texture_palette:", &Settings::sharedTexturePalette, "9",   ValueRule::asIs                },
    {"GL_EXT_packed_pixels:",          &Settings::packedPixels,         "9",   ValueRule::asIs                },
    {"WINDOWED:",                      &Settings::windowed,             "9",   ValueRule::asIs                },
    {"MEM:",                           &Settings::textureMemoryMb,      "999", ValueRule::asIs                },
    {"FPS:",                           &Settings::infoCorner,           "4",   ValueRule::asIs                },
    {"FRAMERATE:",                     &Settings::showFramerate,        "4",   ValueRule::asIs                },
    {"STATS:",                         &Settings::showTextureMass,      "9",   ValueRule::asIs                },
    {"SPRACHE:",                       &Settings::language,             "9",   ValueRule::asIs                },
};

constexpr size_t keyCount = sizeof(keyTable) / sizeof(keyTable[0]);

// The rows grouped by the key's first byte: those starting with byte b are
// rows[firstRow[b]] up to rows[firstRow[b + 1]], so a line start is compared with the few keys
// that can match it instead of with all 22.
struct FirstByteIndex {
  uint8_t firstRow[257];
  uint8_t rows[keyCount];
};

static_assert(keyCount < 256, "the index holds row numbers in single bytes");

constexpr FirstByteIndex indexByFirstByte() {
  FirstByteIndex index{};
  for (const KeyRow& row : keyTable) ++index.firstRow[static_cast<unsigned char>(row.key[0]) + 1];
  for (size_t byte = 1; byte <= 256; ++byte) index.firstRow[byte] += index.firstRow[byte - 1];
  uint8_t placed[256] = {};
  for (size_t row = 0; row < keyCount; ++row) {
    const auto first = static_cast<unsigned char>(keyTable[row].key[0]);
    index.rows[index.firstRow[first] + placed[first]++] = static_cast<uint8_t>(row);
  }
  return index;
}

constexpr FirstByteIndex keyIndex = indexByFirstByte();

// Notepad and other editors may put one at the start of a file saved as UTF-8.
constexpr unsigned char byteOrderMark[] = {0xEF, 0xBB, 0xBF};

bool isLineEnd(unsigned char byte) {
  return byte == '\r' || byte == '\n';
}

// Where the next line end lies. The next CR and the next LF are each found with one memchr and
// kept until the scan has passed them, so every byte is searched at most once for each.
class LineEndScan {
 public:
  LineEndScan(const unsigned char* data, size_t size)
      : data_(data), size_(size), nextCr_(find('\r', 0)), nextLf_(find('\n', 0)) {}

  size_t lineEndFrom(size_t at) {
    if (nextCr_ < at) nextCr_ = find('\r', at);
    if (nextLf_ < at) nextLf_ = find('\n', at);
    return nextCr_ < nextLf_ ? nextCr_ : nextLf_;
  }

 private:
  size_t find(unsigned char byte, size_t from) const {
    const void* found = std::memchr(data_ + from, byte, size_ - from);
    return found != nullptr ? static_cast<size_t>(static_cast<const unsigned char*>(found) - data_)
                            : size_;
  }

  const unsigned char* data_;
  size_t size_;
  size_t nextCr_;
  size_t nextLf_;
};

// A value position past the end of the data counts as '0', as a line end there does, so a
// last line reads the same with or without its line end.
int32_t readDigit(const unsigned char* data, size_t size, size_t at, char highestDigit) {
  const unsigned char byte = at < size ? data[at] : '0';
  if (byte < '0') return 0;
  if (byte > static_cast<unsigned char>(highestDigit)) return highestDigit - '0';
  return byte - '0';
}

int32_t readNumber(const unsigned char* data, size_t size, size_t at, const char* highestDigits) {
  int32_t number = 0;
  for (const char* highest = highestDigits; *highest != '\0'; ++highest, ++at)
    number = number * 10 + readDigit(data, size, at, *highest);
  return number;
}

int32_t fieldValue(int32_t number, ValueRule rule, int32_t refreshCap) {
  switch (rule) {
    case ValueRule::halved:
      return number / 2;
    case ValueRule::cappedAtRefreshSteps:
      return number > refreshCap ? refreshCap : number;
    case ValueRule::asIs:
      break;
  }
  return number;
}

// The row whose key begins the line, or null.
const KeyRow* keyRowAt(const unsigned char* lineStart, size_t bytesLeft) {
  const unsigned char first = lineStart[0];
  for (size_t i = keyIndex.firstRow[first]; i < keyIndex.firstRow[first + 1]; ++i) {
    const KeyRow& row = keyTable[keyIndex.rows[i]];
    if (matchKey(lineStart, bytesLeft, row.key, row.keyLength)) return &row;
  }
  return nullptr;
}

void readLine(const unsigned char* data, size_t size, size_t lineStart, int32_t refreshCap,
              Settings& record) {
  const KeyRow* row = keyRowAt(data + lineStart, size - lineStart);
  if (row == nullptr) return;
  const size_t valueStart = lineStart + row->keyLength;
  record.*row->field =
      fieldValue(readNumber(data, size, valueStart, row->highestDigits), row->rule, refreshCap);
}

size_t firstLineStart(const unsigned char* data, size_t size) {
  const size_t markLength = sizeof(byteOrderMark);
  return size >= markLength && std::memcmp(data, byteOrderMark, markLength) == 0 ? markLength : 0;
}

void bringTextureMemoryIntoRange(Settings& record) {
  if (record.textureMemoryMb > highestMemoryMb) record.textureMemoryMb = highestMemoryMb;
  if (record.textureMemoryMb < lowestFileMemoryMb) record.textureMemoryMb = lowestFileMemoryMb;
}

}  // namespace

bool matchKey(const unsigned char* lineStart, size_t bytesLeft, const char* key) {
  return key != nullptr && matchKey(lineStart, bytesLeft, key, std::strlen(key));
}

bool matchKey(const unsigned char* lineStart, size_t bytesLeft, const char* key, size_t keyLength) {
  if (lineStart == nullptr || key == nullptr || keyLength > bytesLeft) return false;
  return std::memcmp(lineStart, key, keyLength) == 0;
}

const char* keyOfLine(const unsigned char* lineStart, size_t bytesLeft) {
  if (lineStart == nullptr || bytesLeft == 0) return nullptr;
  const KeyRow* row = keyRowAt(lineStart, bytesLeft);
  return row != nullptr ? row->key : nullptr;
}

void parseSettings(const unsigned char* data, size_t size, int32_t refreshCap, Settings& record) {
  if (data != nullptr) {
    LineEndScan lineEnds(data, size);
    for (size_t at = firstLineStart(data, size); at < size;) {
      readLine(data, size, at, refreshCap, record);
      at = lineEnds.lineEndFrom(at);
      while (at < size && isLineEnd(data[at])) ++at;
    }
  }
  bringTextureMemoryIntoRange(record);
}
