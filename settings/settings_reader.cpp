// The parse of the settings file's bytes, over the field table, free of any platform call.
#include "settings/settings_reader.h"

#include <cstring>

#include "settings/fields.h"

namespace {

// Notepad and other editors may put one at the start of a file saved as UTF-8.
constexpr unsigned char byteOrderMark[] = {0xEF, 0xBB, 0xBF};

bool isLineEnd(unsigned char byte) {
  return byte == '\r' || byte == '\n';
}

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
  for (const char* highest = found.row->highestDigits; *highest != '\0'; ++highest, ++at)
    number = number * 10 + readDigit(data, size, at, *highest);
  record.*found.row->member = fieldValue(number, found.row->kind, refreshCap);
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
  if (lineStart == nullptr || key == nullptr) return false;
  const size_t keyLength = std::strlen(key);
  return keyLength <= bytesLeft && std::memcmp(lineStart, key, keyLength) == 0;
}

const char* keyOfLine(const unsigned char* lineStart, size_t bytesLeft) {
  if (lineStart == nullptr) return nullptr;
  return keyAt(lineStart, bytesLeft).key;
}

void parseSettings(const unsigned char* data, size_t size, int32_t refreshCap, Settings& record) {
  if (data != nullptr) {
    // Line ends are found in the bytes as read: reading a value never moves the scan.
    for (size_t at = firstLineStart(data, size); at < size;) {
      readLine(data, size, at, refreshCap, record);
      while (at < size && !isLineEnd(data[at])) ++at;
      while (at < size && isLineEnd(data[at])) ++at;
    }
  }
  bringTextureMemoryIntoRange(record);
}
