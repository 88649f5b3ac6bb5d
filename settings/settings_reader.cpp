// The parse of the settings file's bytes, over the field table, free of any platform call.
#include "settings/settings_reader.h"

#include <cstring>

#include "settings/fields.h"
#include "settings/file_lines.h"

namespace {

// A key that begins a line, and the row whose field it sets.
struct KeyAtLine {
  const char* key;
  const FieldRow* row;
};

// Every key ends in its only colon, so no key is a prefix of another: at most one matches a
// line, whatever order they are tried in.
KeyAtLine keyAt(const unsigned char* lineStart, size_t bytesLeft) {
  for (const FieldRow& row : fieldRows)
    if (matchKey(lineStart, bytesLeft, row.key)) return {row.key, &row};
  for (const LegacyKey& legacy : legacyKeys)
    if (matchKey(lineStart, bytesLeft, legacy.key)) return {legacy.key, &fieldRowOf(legacy.member)};
  return {nullptr, nullptr};
}

// One value position, clamped into 0 to its highest digit. A position past the end of the data
// counts as '0', as a line end there does, so a last line reads the same with or without its
// line end.
int32_t readDigit(const unsigned char* data, size_t size, size_t at, char highestDigit) {
  const int32_t digit = (at < size ? data[at] : '0') - '0';
  const int32_t highest = highestDigit - '0';
  if (digit < 0) return 0;
  return digit > highest ? highest : digit;
}

int32_t fieldValue(int32_t number, FieldKind kind, int32_t refreshCap) {
  if (kind == FieldKind::doubledChoice) return number / 2;
  if (kind == FieldKind::refreshStep && number > refreshCap) return refreshCap;
  return number;
}

// The value positions follow the key at once, whatever they hold.
void readLine(const unsigned char* data, size_t size, size_t lineStart, int32_t refreshCap,
              Settings& record) {
  const KeyAtLine found = keyAt(data + lineStart, size - lineStart);
  if (found.key == nullptr) return;
  size_t at = lineStart + std::strlen(found.key);
  int32_t number = 0;
  for (const char* highest = found.row->highestDigitAt; *highest != '\0'; ++highest, ++at)
    number = number * 10 + readDigit(data, size, at, *highest);
  record.*found.row->member = fieldValue(number, found.row->kind, refreshCap);
}

void bringTextureMemoryIntoRange(Settings& record) {
  if (record.textureMemoryMb > highestMemoryMb) record.textureMemoryMb = highestMemoryMb;
  if (record.textureMemoryMb < lowestFileMemoryMb) record.textureMemoryMb = lowestFileMemoryMb;
}

// Line ends are found in the bytes as read: reading a value never moves the walk.
void parseSettings(const unsigned char* data, size_t size, int32_t refreshCap, Settings& record) {
  LineWalk walk = startLineWalk(data, size);
  for (FileLine line{}; nextLine(walk, line);) readLine(data, size, line.start, refreshCap, record);
  bringTextureMemoryIntoRange(record);
}

}  // namespace

bool matchKey(const unsigned char* lineStart, size_t bytesLeft, const char* key) {
  if (lineStart == nullptr || key == nullptr) return false;
  const size_t keyLength = std::strlen(key);
  return keyLength <= bytesLeft && std::memcmp(lineStart, key, keyLength) == 0;
}

const char* keyOfLine(const unsigned char* lineStart, size_t bytesLeft) {
  if (lineStart == nullptr) return nullptr;
  return keyAt(lineStart, bytesLeft).key;
}

Settings settingsOfFile(const unsigned char* data, size_t size, int32_t refreshCap,
                        int32_t language) {
  Settings record = defaultSettings(language);
  parseSettings(data, size, refreshCap, record);
  return record;
}
