// The settings file's key table and its parse, free of any platform call.
#include "settings/settings_reader.h"

#include <cstdint>
#include <cstring>

namespace {

enum class ValueRule { asIs, halved, cappedAtRefreshSteps };

// key, field it sets, highest digit allowed at each value position, how the number is taken
struct KeyRow {
  const char* key;
  int32_t Settings::*field;
  const char* highestDigits;
  ValueRule rule;
};

// Tested in this order at every line start. "ANZEIGEFOLGE:" and "UHRZEIT:" clamp their digit
// to the highest order and clock style, so a stray digit can never index past their tables.
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

bool isLineEnd(unsigned char byte) {
  return byte == '\r' || byte == '\n';
}

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

void readLine(const unsigned char* data, size_t size, size_t lineStart, int32_t refreshCap,
              Settings& record) {
  for (const KeyRow& row : keyTable) {
    if (!matchKey(data + lineStart, size - lineStart, row.key)) continue;
    const size_t valueStart = lineStart + std::strlen(row.key);
    record.*row.field =
        fieldValue(readNumber(data, size, valueStart, row.highestDigits), row.rule, refreshCap);
  }
}

void bringTextureMemoryIntoRange(Settings& record) {
  if (record.textureMemoryMb > highestMemoryMb) record.textureMemoryMb = highestMemoryMb;
  if (record.textureMemoryMb < lowestFileMemoryMb) record.textureMemoryMb = lowestFileMemoryMb;
}

}  // namespace

bool matchKey(const unsigned char* lineStart, size_t bytesLeft, const char* key) {
  if (lineStart == nullptr || key == nullptr) return false;
  const size_t keyLength = std::strlen(key);
  if (keyLength > bytesLeft) return false;
  for (size_t i = 0; i < keyLength; ++i)
    if (lineStart[i] != static_cast<unsigned char>(key[i])) return false;
  return true;
}

void parseSettings(const unsigned char* data, size_t size, int32_t refreshCap, Settings& record) {
  size_t at = 0;
  while (data != nullptr && at < size) {
    readLine(data, size, at, refreshCap, record);
    while (at < size && !isLineEnd(data[at])) ++at;
    while (at < size && isLineEnd(data[at])) ++at;
  }
  bringTextureMemoryIntoRange(record);
}
