// The canonical file's line table and the formatting that walks it.
#include "settings/settings_format.h"

#include <cstdint>

namespace {

enum class ValueForm { asIs, onOff, doubled, listedMemory };

// key, value width in digits, field, how the field becomes the number written
struct FileLine {
  const char* key;
  int width;
  int32_t Settings::*field;
  ValueForm form;
};

constexpr FileLine fileLines[] = {
    {"MEM:",                           3, &Settings::textureMemoryMb,      ValueForm::listedMemory},
    {"GL_EXT_paletted_texture:",       1, &Settings::palettedTexture,      ValueForm::onOff       },
    {"ZENTRIERT:",                     1, &Settings::centred,              ValueForm::onOff       },
    {"VERSTELLBAR:",                   1, &Settings::windowExtras,         ValueForm::onOff       },
    {"REFRESH:",                       2, &Settings::refreshIndex,         ValueForm::asIs        },
    {"DESKTOPRES:",                    1, &Settings::desktopResolution,    ValueForm::onOff       },
    {"FSAA:",                          1, &Settings::fsaaIndex,            ValueForm::doubled     },
    {"MAUSGRENZEN:",                   1, &Settings::captureMouse,         ValueForm::onOff       },
    {"GL_EXT_shared_texture_palette:", 1, &Settings::sharedTexturePalette, ValueForm::onOff       },
    {"GL_EXT_packed_pixels:",          1, &Settings::packedPixels,         ValueForm::onOff       },
    {"WINDOWED:",                      1, &Settings::windowed,             ValueForm::onOff       },
    {"DIRECTXVIDEOS:",                 1, &Settings::directXVideos,        ValueForm::onOff       },
    {"TEXTURVIDEOS:",                  1, &Settings::textureVideos,        ValueForm::onOff       },
    {"FESTESGAMMA:",                   1, &Settings::fixedGamma,           ValueForm::onOff       },
    {"FPS:",                           1, &Settings::infoCorner,           ValueForm::asIs        },
    {"ANZEIGEFOLGE:",                  1, &Settings::displayOrder,         ValueForm::asIs        },
    {"FRAMERATE:",                     1, &Settings::showFramerate,        ValueForm::onOff       },
    {"UHRZEIT:",                       1, &Settings::clockStyle,           ValueForm::asIs        },
    {"STATS:",                         1, &Settings::showTextureMass,      ValueForm::onOff       },
    {"SPRACHE:",                       1, &Settings::language,             ValueForm::asIs        },
};

constexpr char lineEnd[] = "\r\n";

constexpr size_t textLength(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

constexpr size_t tableBytes() {
  size_t bytes = 0;
  for (const FileLine& line : fileLines)
    bytes += textLength(line.key) + static_cast<size_t>(line.width) + textLength(lineEnd);
  return bytes;
}

static_assert(tableBytes() == canonicalFileBytes, "the line table no longer gives 297 bytes");

int32_t numberWritten(int32_t value, ValueForm form) {
  switch (form) {
    case ValueForm::onOff:
      return value != 0 ? 1 : 0;
    case ValueForm::doubled:
      // Out of range either way (zeros or nines); only doubling it must not overflow.
      if (value < 0) return value;
      return value > INT32_MAX / 2 ? INT32_MAX : 2 * value;
    case ValueForm::listedMemory:
      if (value < lowestListedMemoryMb) return lowestListedMemoryMb;
      return value > highestMemoryMb ? highestMemoryMb : value;
    case ValueForm::asIs:
      break;
  }
  return value;
}

char* append(char* out, const char* text) {
  while (*text != '\0') *out++ = *text++;
  return out;
}

}  // namespace

CanonicalFile canonicalFile(const Settings& record) {
  CanonicalFile file{};
  char* out = file.text;
  for (const FileLine& line : fileLines) {
    out = append(out, line.key);
    formatDigits(numberWritten(record.*line.field, line.form), line.width, out);
    out = append(out + line.width, lineEnd);
  }
  return file;
}

void formatDigits(int32_t number, int width, char* out) {
  int32_t largest = 1;
  for (int i = 0; i < width; ++i) largest *= 10;
  --largest;
  int32_t value = number < 0 ? 0 : (number > largest ? largest : number);
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}
