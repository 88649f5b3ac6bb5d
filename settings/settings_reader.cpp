// The settings file's key table and its parse, free of any platform call.
#include "settings/settings_reader.h"

#include <cstdint>
#include <cstring>

namespace {

enum class ValueRule : uint8_t { asIs, halved, cappedAtRefreshSteps };

constexpr size_t textLength(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

// key, field it sets, highest digit allowed at each value position, how the number is taken.
// The parse reads a compact form of this table made from it when the program is built
// (ParseTable below).
struct KeyRow {
  const char* key;
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

// Which row a line can start with is told by four of its bytes, through a perfect hash found
// when the table is made: the first four bytes pick the row, except for the keys that share
// them ("GL_EXT_..."), which bytes 12 to 15 tell apart. The one row so found is then compared in
// full, so a line costs one lookup and one comparison whatever it holds.
constexpr size_t shortestKeyLength = 4;
constexpr size_t sharedPrefixProbe = 12;
constexpr size_t shortestSharedPrefixKeyLength = sharedPrefixProbe + 4;
constexpr int firstLevelBits = 6;
constexpr int sharedLevelBits = 3;
constexpr uint8_t noRow = 0;
constexpr uint8_t sharedPrefixRows = 0xFF;

static_assert(keyCount < sharedPrefixRows, "a slot holds a row number + 1 in one byte");

// Four bytes as one number, the same way for the keys at compile time and the data at run time.
template <typename Byte>
constexpr uint32_t fourBytes(const Byte* bytes) {
  return static_cast<uint32_t>(static_cast<unsigned char>(bytes[0])) |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[3])) << 24;
}

constexpr size_t slotOf(uint32_t four, uint32_t multiplier, int bits) {
  return static_cast<uint32_t>(four * multiplier) >> (32 - bits);
}

// Each row's four bytes at the start, whether another key starts with the same four, and its
// bytes 12 to 15.
struct KeyBytes {
  uint32_t prefix[keyCount];
  bool sharedPrefix[keyCount];
  uint32_t probe[keyCount];
};

constexpr KeyBytes bytesOfKeys() {
  KeyBytes bytes{};
  for (size_t row = 0; row < keyCount; ++row) {
    bytes.prefix[row] = fourBytes(keyTable[row].key);
    bytes.probe[row] = textLength(keyTable[row].key) >= shortestSharedPrefixKeyLength
                           ? fourBytes(keyTable[row].key + sharedPrefixProbe)
                           : 0;
  }
  for (size_t row = 0; row < keyCount; ++row)
    for (size_t other = 0; other < keyCount; ++other)
      if (other != row && bytes.prefix[other] == bytes.prefix[row]) bytes.sharedPrefix[row] = true;
  return bytes;
}

constexpr KeyBytes keyBytes = bytesOfKeys();

// True when the rows of one level (those with or without a shared prefix) take distinct slots;
// keys that share a prefix count once on the first level.
constexpr bool levelFits(bool sharedLevel, uint32_t multiplier, int bits) {
  bool taken[64] = {};
  uint32_t sharedPrefixSeen = 0;
  bool sharedSeen = false;
  for (size_t row = 0; row < keyCount; ++row) {
    uint32_t four = 0;
    if (sharedLevel) {
      if (!keyBytes.sharedPrefix[row]) continue;
      four = keyBytes.probe[row];
    } else {
      four = keyBytes.prefix[row];
      if (keyBytes.sharedPrefix[row]) {
        if (sharedSeen && four == sharedPrefixSeen) continue;
        sharedSeen = true;
        sharedPrefixSeen = four;
      }
    }
    const size_t slot = slotOf(four, multiplier, bits);
    if (taken[slot]) return false;
    taken[slot] = true;
  }
  return true;
}

constexpr uint32_t multiplierThatFits(bool sharedLevel, int bits) {
  uint32_t multiplier = 0x9E3779B1u;
  while (!levelFits(sharedLevel, multiplier, bits)) multiplier += 2;
  return multiplier;
}

struct KeyHash {
  uint32_t firstMultiplier;
  uint32_t sharedMultiplier;
  uint8_t first[size_t{1} << firstLevelBits];
  uint8_t shared[size_t{1} << sharedLevelBits];
};

constexpr KeyHash makeKeyHash() {
  KeyHash hash{};
  hash.firstMultiplier = multiplierThatFits(false, firstLevelBits);
  hash.sharedMultiplier = multiplierThatFits(true, sharedLevelBits);
  for (size_t row = 0; row < keyCount; ++row) {
    const size_t slot = slotOf(keyBytes.prefix[row], hash.firstMultiplier, firstLevelBits);
    if (!keyBytes.sharedPrefix[row]) {
      hash.first[slot] = static_cast<uint8_t>(row + 1);
      continue;
    }
    hash.first[slot] = sharedPrefixRows;
    hash.shared[slotOf(keyBytes.probe[row], hash.sharedMultiplier, sharedLevelBits)] =
        static_cast<uint8_t>(row + 1);
  }
  return hash;
}

constexpr KeyHash keyHash = makeKeyHash();

// The slot a line's first four bytes lead to: a row + 1, noRow, or sharedPrefixRows.
constexpr uint8_t firstSlotFor(uint32_t prefix) {
  return keyHash.first[slotOf(prefix, keyHash.firstMultiplier, firstLevelBits)];
}

// Among the keys that share their first four bytes, the slot bytes 12 to 15 lead to.
constexpr uint8_t sharedSlotFor(uint32_t probe) {
  return keyHash.shared[slotOf(probe, keyHash.sharedMultiplier, sharedLevelBits)];
}

constexpr bool everyKeyHashed() {
  for (size_t row = 0; row < keyCount; ++row) {
    if (textLength(keyTable[row].key) < shortestKeyLength) return false;
    uint8_t slot = firstSlotFor(keyBytes.prefix[row]);
    if (slot == sharedPrefixRows) {
      if (textLength(keyTable[row].key) < shortestSharedPrefixKeyLength) return false;
      slot = sharedSlotFor(keyBytes.probe[row]);
    }
    if (slot != row + 1) return false;
  }
  return true;
}

static_assert(everyKeyHashed(), "the key hash no longer leads every key to its row");

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
  const int32_t digit = (at < size ? data[at] : '0') - '0';
  const int32_t highest = highestDigit - '0';
  const int32_t raised = digit < 0 ? 0 : digit;
  return raised > highest ? highest : raised;
}

int32_t readNumber(const unsigned char* data, size_t size, size_t at, const char* highestDigits) {
  int32_t number = 0;
  for (const char* highest = highestDigits; *highest != '\0'; ++highest, ++at)
    number = number * 10 + readDigit(data, size, at, *highest);
  return number;
}

// Selections rather than branches: which rule applies changes from line to line.
int32_t fieldValue(int32_t number, ValueRule rule, int32_t refreshCap) {
  const int32_t halved = rule == ValueRule::halved ? number / 2 : number;
  const bool capped = rule == ValueRule::cappedAtRefreshSteps && halved > refreshCap;
  return capped ? refreshCap : halved;
}

// Every key fits in this many bytes; the fast comparison below always reads them all.
constexpr size_t longestKeyLength = 32;
constexpr size_t mostValueDigits = 3;

// What the parse reads of one row: where its key stands in ParseTable::keyText, its length, its
// field, highest digits and rule.
struct ParseRow {
  int32_t Settings::*field;
  uint16_t keyAt;
  uint8_t keyLength;
  char highestDigits[mostValueDigits + 1];
  ValueRule rule;
};

constexpr size_t keyTextBytes() {
  size_t bytes = longestKeyLength;
  for (const KeyRow& row : keyTable) bytes += textLength(row.key) + 1;
  return bytes;
}

// The rows by slot, row 0 standing for a slot without a key (it matches nothing, and its value
// goes nowhere); then every key with its NUL, one after the other, and room after the last for
// a comparison that reads longestKeyLength bytes from any of them.
struct ParseTable {
  ParseRow rows[keyCount + 1];
  char keyText[keyTextBytes()];
};

constexpr ParseTable makeParseTable() {
  ParseTable table{};
  table.rows[noRow] = ParseRow{&Settings::language, 0, shortestKeyLength, "9", ValueRule::asIs};
  size_t at = 0;
  for (size_t row = 0; row < keyCount; ++row) {
    const KeyRow& written = keyTable[row];
    ParseRow& read = table.rows[row + 1];
    read.field = written.field;
    read.keyAt = static_cast<uint16_t>(at);
    read.keyLength = static_cast<uint8_t>(textLength(written.key));
    read.rule = written.rule;
    for (size_t digit = 0; written.highestDigits[digit] != '\0'; ++digit)
      read.highestDigits[digit] = written.highestDigits[digit];
    for (size_t byte = 0; byte <= read.keyLength; ++byte) table.keyText[at++] = written.key[byte];
  }
  return table;
}

constexpr ParseTable parseTable = makeParseTable();

constexpr bool keysFitTheirRoom() {
  for (const KeyRow& row : keyTable)
    if (textLength(row.key) > longestKeyLength || textLength(row.highestDigits) > mostValueDigits)
      return false;
  return true;
}

static_assert(keysFitTheirRoom(), "a key takes 32 bytes, a value three digits, at the most");

const char* keyOf(const ParseRow& row) {
  return parseTable.keyText + row.keyAt;
}

// 32 bytes of 0xFF, then 32 of zero: read from byte 32 - n on, it masks the first n bytes of a
// 32-byte window, so a key's mask is found by sliding along it, not worked out per key.
constexpr unsigned char keyMask[2 * longestKeyLength] = {
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

uint64_t eightBytesAt(const void* bytes) {
  uint64_t word = 0;
  std::memcpy(&word, bytes, sizeof(word));
  return word;
}

// The key's bytes at the line start, for a line with longestKeyLength bytes after its start: 32
// bytes of the line against 32 of the key text, where only the key's own bytes count. No branch
// depends on the key's length, which changes from line to line.
bool sameKey(const unsigned char* lineStart, const ParseRow& row) {
  const unsigned char* mask = keyMask + longestKeyLength - row.keyLength;
  const char* key = keyOf(row);
  uint64_t difference = 0;
  for (size_t at = 0; at < longestKeyLength; at += sizeof(uint64_t))
    difference |= (eightBytesAt(lineStart + at) ^ eightBytesAt(key + at)) & eightBytesAt(mask + at);
  return difference == 0;
}

// The row whose key begins the line, or null.
const ParseRow* keyRowAt(const unsigned char* lineStart, size_t bytesLeft) {
  if (bytesLeft < shortestKeyLength) return nullptr;
  uint8_t slot = firstSlotFor(fourBytes(lineStart));
  if (slot == sharedPrefixRows) {
    if (bytesLeft < shortestSharedPrefixKeyLength) return nullptr;
    slot = sharedSlotFor(fourBytes(lineStart + sharedPrefixProbe));
  }
  if (slot == noRow) return nullptr;
  const ParseRow& row = parseTable.rows[slot];
  return matchKey(lineStart, bytesLeft, keyOf(row), row.keyLength) ? &row : nullptr;
}

void readLine(const unsigned char* data, size_t size, size_t lineStart, int32_t refreshCap,
              Settings& record) {
  const ParseRow* row = keyRowAt(data + lineStart, size - lineStart);
  if (row == nullptr) return;
  const size_t valueStart = lineStart + row->keyLength;
  record.*row->field =
      fieldValue(readNumber(data, size, valueStart, row->highestDigits), row->rule, refreshCap);
}

// At least this far from the end of the data, a line start's key text, its bytes 12 to 15 and
// the value positions after any key all lie inside the data.
constexpr size_t roomForAnyKey = longestKeyLength + mostValueDigits + 1;

// The same as readLine, for a line start with roomForAnyKey bytes after it, without a branch
// on what the line holds: whether it is a setting, and which, changes from line to line, and
// a mispredicted branch costs more than the work it would spare.
void readLineWithRoom(const unsigned char* lineStart, int32_t refreshCap, Settings& record) {
  const uint8_t firstSlot = firstSlotFor(fourBytes(lineStart));
  const uint8_t sharedSlot = sharedSlotFor(fourBytes(lineStart + sharedPrefixProbe));
  const uint8_t slot = firstSlot == sharedPrefixRows ? sharedSlot : firstSlot;
  const ParseRow& row = parseTable.rows[slot];
  const bool matched = (slot != noRow) & sameKey(lineStart, row);
  const int32_t value = fieldValue(
      readNumber(lineStart, roomForAnyKey, row.keyLength, row.highestDigits), row.rule, refreshCap);
  int32_t discarded = 0;
  int32_t* const destinations[2] = {&discarded, &(record.*row.field)};
  *destinations[matched] = value;
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
  const ParseRow* row = keyRowAt(lineStart, bytesLeft);
  return row != nullptr ? keyOf(*row) : nullptr;
}

void parseSettings(const unsigned char* data, size_t size, int32_t refreshCap, Settings& record) {
  if (data != nullptr) {
    LineEndScan lineEnds(data, size);
    const size_t lastRoomyStart = size > roomForAnyKey ? size - roomForAnyKey : 0;
    for (size_t at = firstLineStart(data, size); at < size;) {
      if (at < lastRoomyStart)
        readLineWithRoom(data + at, refreshCap, record);
      else
        readLine(data, size, at, refreshCap, record);
      at = lineEnds.lineEndFrom(at);
      while (at < size && isLineEnd(data[at])) ++at;
    }
  }
  bringTextureMemoryIntoRange(record);
}
