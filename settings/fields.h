// The settings file's fields: one row per field of the record, the one home of its file key, its
// digits, its kind and its default. The reader, the canonical form, the defaults, the command
// line's names and the window's exchange all take them from here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "settings/settings.h"

// How a field's digits become its value, and how the window and Save take it.
enum class FieldKind : uint8_t {
  // Any digit; 0 is off, any other on. The window ticks a box; Save writes 0 or 1.
  onOff,
  // The digit is the value: a list's entry, a display order, a language.
  choice,
  // The file holds twice the value (FSAA: 0, 2, 4, 6, 8): halved on reading, doubled on writing.
  doubledChoice,
  // Megabytes: brought into 2-108 after reading the file, into the list's 8-108 as the window
  // shows it; the record follows the list at every new selection.
  memoryMb,
  // An entry of the refresh list: lowered to the steps the display offers.
  refreshStep,
};

// member, key as the file spells it, the highest digit each value position takes (one character
// per position, so its length is the value's width), kind, default
struct FieldRow {
  int32_t Settings::*member;
  const char* key;
  const char* highestDigitAt;
  FieldKind kind;
  int32_t defaultValue;
};

// In the order Save writes them. "ANZEIGEFOLGE:" and "UHRZEIT:" clamp their digit to the highest
// order and clock style, so a stray digit can never index past their tables. The language's
// default is only its value at process start: the defaults leave it to the file and the user.
// clang-format off
inline constexpr FieldRow fieldRows[] = {
    {&Settings::textureMemoryMb,      "MEM:",                           "999", FieldKind::memoryMb,      16},
    {&Settings::palettedTexture,      "GL_EXT_paletted_texture:",       "9",   FieldKind::onOff,         1 },
    {&Settings::centred,              "ZENTRIERT:",                     "9",   FieldKind::onOff,         0 },
    {&Settings::windowExtras,         "VERSTELLBAR:",                   "9",   FieldKind::onOff,         0 },
    {&Settings::refreshIndex,         "REFRESH:",                       "29",  FieldKind::refreshStep,   0 },
    {&Settings::desktopResolution,    "DESKTOPRES:",                    "9",   FieldKind::onOff,         0 },
    {&Settings::fsaaIndex,            "FSAA:",                          "9",   FieldKind::doubledChoice, 0 },
    {&Settings::captureMouse,         "MAUSGRENZEN:",                   "9",   FieldKind::onOff,         0 },
    {&Settings::sharedTexturePalette, "GL_EXT_shared_texture_palette:", "9",   FieldKind::onOff,         1 },
    {&Settings::packedPixels,         "GL_EXT_packed_pixels:",          "9",   FieldKind::onOff,         1 },
    {&Settings::windowed,             "WINDOWED:",                      "9",   FieldKind::onOff,         0 },
    {&Settings::directXVideos,        "DIRECTXVIDEOS:",                 "9",   FieldKind::onOff,         0 },
    {&Settings::textureVideos,        "TEXTURVIDEOS:",                  "9",   FieldKind::onOff,         1 },
    {&Settings::fixedGamma,           "FESTESGAMMA:",                   "9",   FieldKind::onOff,         0 },
    {&Settings::infoCorner,           "FPS:",                           "4",   FieldKind::choice,        0 },
    {&Settings::displayOrder,         "ANZEIGEFOLGE:",                  "5",   FieldKind::choice,        0 },
    {&Settings::showFramerate,        "FRAMERATE:",                     "4",   FieldKind::onOff,         1 },
    {&Settings::clockStyle,           "UHRZEIT:",                       "3",   FieldKind::choice,        0 },
    {&Settings::showTextureMass,      "STATS:",                         "9",   FieldKind::onOff,         0 },
    {&Settings::language,             "SPRACHE:",                       "9",   FieldKind::choice,        0 },
};
// clang-format on

inline constexpr size_t fieldCount = std::size(fieldRows);

// Keys the reader takes but Save never writes: their lines set the field of the row named.
struct LegacyKey {
  const char* key;
  int32_t Settings::*member;
};

inline constexpr LegacyKey legacyKeys[] = {
    {"8BITTEXTURE:",                &Settings::palettedTexture},
    {"GL_EXT_palettized_textures:", &Settings::palettedTexture},
};

// The row of a field; every field has one (fields_test checks it).
constexpr const FieldRow& fieldRowOf(int32_t Settings::*member) {
  size_t row = 0;
  while (row + 1 < fieldCount && fieldRows[row].member != member) ++row;
  return fieldRows[row];
}

constexpr size_t textLength(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

constexpr size_t digitCountOf(const FieldRow& row) {
  return textLength(row.highestDigitAt);
}

// The largest number the value positions can hold: 999 for "MEM:", 29 for "REFRESH:".
constexpr int32_t highestStoredValue(const FieldRow& row) {
  int32_t value = 0;
  for (const char* digit = row.highestDigitAt; *digit != '\0'; ++digit)
    value = value * 10 + (*digit - '0');
  return value;
}

// The value as the window shows it: on/off as 0 or 1, memory in the list's 8-108, anything
// else as it is.
int32_t shownValue(const FieldRow& row, int32_t value);

// Every field as the window shows it.
Settings asShown(const Settings& record);
