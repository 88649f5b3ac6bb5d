// The names table and the reading and writing of values by name.
#include "cli/option_names.h"

#include <cstring>

#include "cli/print.h"
#include "settings/refresh_rates.h"

namespace {

// The three information items top to bottom, for each display order in the order of orderCodes.
constexpr char displayOrderNames[] =
    "framerate,clock,texture-mass|framerate,texture-mass,clock|texture-mass,clock,framerate|"
    "texture-mass,framerate,clock|clock,texture-mass,framerate|clock,framerate,texture-mass";

// clang-format off
constexpr OptionName optionNames[] = {
    {"info-corner",            &fieldRowOf(&Settings::infoCorner),           "none|upper-left|upper-right|lower-left|lower-right", "screen corner of the on-screen information"},
    {"display-order",          &fieldRowOf(&Settings::displayOrder),         displayOrderNames,                                    "the three information items, top to bottom"},
    {"framerate",              &fieldRowOf(&Settings::showFramerate),        nullptr,                                              "show the frame rate"},
    {"clock",                  &fieldRowOf(&Settings::clockStyle),           "none|digital|small-analogue|large-analogue",         "clock display"},
    {"texture-mass",           &fieldRowOf(&Settings::showTextureMass),      nullptr,                                              "show the amount of texture data"},
    {"texture-memory",         &fieldRowOf(&Settings::textureMemoryMb),      nullptr,                                              "texture memory in MB"},
    {"paletted-texture",       &fieldRowOf(&Settings::palettedTexture),      nullptr,                                              "use GL_EXT_paletted_texture"},
    {"shared-texture-palette", &fieldRowOf(&Settings::sharedTexturePalette), nullptr,                                              "use GL_EXT_shared_texture_palette"},
    {"packed-pixels",          &fieldRowOf(&Settings::packedPixels),         nullptr,                                              "use GL_EXT_packed_pixels"},
    {"directx-videos",         &fieldRowOf(&Settings::directXVideos),        nullptr,                                              "DirectX for videos"},
    {"texture-videos",         &fieldRowOf(&Settings::textureVideos),        nullptr,                                              "texture for videos"},
    {"fixed-gamma",            &fieldRowOf(&Settings::fixedGamma),           nullptr,                                              "fixed gamma table"},
    {"refresh",                &fieldRowOf(&Settings::refreshIndex),         nullptr,                                              "highest refresh rate in Hz"},
    {"windowed",               &fieldRowOf(&Settings::windowed),             nullptr,                                              "window mode"},
    {"centred",                &fieldRowOf(&Settings::centred),              nullptr,                                              "centre the window"},
    {"capture-mouse",          &fieldRowOf(&Settings::captureMouse),         nullptr,                                              "keep the mouse inside the window"},
    {"window-extras",          &fieldRowOf(&Settings::windowExtras),         nullptr,                                              "window extras"},
    {"desktop-resolution",     &fieldRowOf(&Settings::desktopResolution),    nullptr,                                              "use the desktop resolution"},
    {"fsaa",                   &fieldRowOf(&Settings::fsaaIndex),            "off|2x|4x|6x|8x",                                    "multisampling"},
    {"language",               &fieldRowOf(&Settings::language),             "de|en",                                              "the editor's language"},
};
// clang-format on

// How an on/off value may be typed: off first, then on.
constexpr const char* onOffWords[][2] = {
    {"off",   "on"  },
    {"0",     "1"   },
    {"false", "true"},
    {"no",    "yes" },
};

constexpr char autoRate[] = "auto";

char lowerCase(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(const char* a, size_t aLength, const char* b, size_t bLength) {
  if (aLength != bLength) return false;
  for (size_t i = 0; i < aLength; ++i)
    if (lowerCase(a[i]) != lowerCase(b[i])) return false;
  return true;
}

bool isWord(const char* text, const char* word) {
  return equalIgnoringCase(text, std::strlen(text), word, std::strlen(word));
}

// A file key matches with or without its colon.
bool isKey(const char* text, size_t length, const char* key) {
  if (length > 0 && text[length - 1] == ':') --length;
  return equalIgnoringCase(text, length, key, std::strlen(key) - 1);
}

const OptionName* optionOfField(int32_t Settings::*member) {
  for (const OptionName& option : optionNames)
    if (option.field->member == member) return &option;
  return nullptr;
}

// The index'th name in a "|"-separated list: its start and length; false past the last.
bool choiceAt(const char* choices, int32_t index, const char*& start, size_t& length) {
  const char* at = choices;
  for (int32_t i = 0; i < index; ++i) {
    at = std::strchr(at, '|');
    if (at == nullptr) return false;
    ++at;
  }
  const char* end = std::strchr(at, '|');
  start = at;
  length = end != nullptr ? static_cast<size_t>(end - at) : std::strlen(at);
  return true;
}

// A decimal number of at most nine digits and nothing else.
bool parseNumber(const char* text, int32_t& number) {
  const size_t length = std::strlen(text);
  if (length == 0 || length > 9) return false;
  number = 0;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    number = number * 10 + (text[i] - '0');
  }
  return true;
}

bool parseOnOff(const char* text, int32_t& value) {
  for (const auto& words : onOffWords)
    for (int32_t state = 0; state < 2; ++state)
      if (isWord(text, words[state])) {
        value = state;
        return true;
      }
  return false;
}

bool parseMemory(const char* text, int32_t& value) {
  int32_t number = 0;
  if (!parseNumber(text, number) || number < lowestListedMemoryMb || number > highestMemoryMb)
    return false;
  value = number;
  return true;
}

// Every entry of the editor's refresh list that the file's two digits can hold: a higher rate
// would be written, then read back as 200 Hz without a word, so it is refused.
bool parseRefresh(const char* text, int32_t& value) {
  if (isWord(text, autoRate)) {
    value = 0;
    return true;
  }
  int32_t rateHz = 0;
  if (!parseNumber(text, rateHz) || rateHz < lowestRateHz || rateHz > highestStoredRateHz ||
      (rateHz - rateBeforeFirstStepHz) % rateStepHz != 0)
    return false;
  value = (rateHz - rateBeforeFirstStepHz) / rateStepHz;
  return true;
}

bool parseChoice(const char* choices, const char* text, int32_t& value) {
  const char* start = nullptr;
  size_t length = 0;
  for (int32_t index = 0; choiceAt(choices, index, start, length); ++index)
    if (equalIgnoringCase(text, std::strlen(text), start, length)) {
      value = index;
      return true;
    }
  return false;
}

// Appends text to out (valueTextSize bytes in all), cutting it short rather than overflowing.
void append(char (&out)[valueTextSize], const char* text, size_t length) {
  const size_t used = std::strlen(out);
  const size_t room = valueTextSize - 1 - used;
  const size_t taken = length < room ? length : room;
  std::memcpy(out + used, text, taken);
  out[used + taken] = '\0';
}

void append(char (&out)[valueTextSize], const char* text) {
  append(out, text, std::strlen(text));
}

int32_t choiceCount(const char* choices) {
  int32_t count = 1;
  for (const char* at = choices; *at != '\0'; ++at)
    if (*at == '|') ++count;
  return count;
}

void formatChoice(const char* choices, int32_t value, char (&out)[valueTextSize]) {
  // Only the language can hold a value past its last name: every value but 0 is English.
  const int32_t last = choiceCount(choices) - 1;
  const char* start = nullptr;
  size_t length = 0;
  choiceAt(choices, value < 0 ? 0 : (value > last ? last : value), start, length);
  out[0] = '\0';
  append(out, start, length);
}

void describeChoices(const char* choices, char (&out)[valueTextSize]) {
  const char* start = nullptr;
  size_t length = 0;
  for (int32_t index = 0; choiceAt(choices, index, start, length); ++index) {
    if (index > 0) append(out, " | ");
    append(out, start, length);
  }
}

}  // namespace

TableRows<OptionName> allOptions() {
  return rowsOf(optionNames);
}

const OptionName* findOption(const char* name, size_t length) {
  for (const OptionName& option : optionNames)
    if (equalIgnoringCase(name, length, option.name, std::strlen(option.name)) ||
        isKey(name, length, option.field->key))
      return &option;
  for (const LegacyKey& legacy : legacyKeys)
    if (isKey(name, length, legacy.key)) return optionOfField(legacy.member);
  return nullptr;
}

const OptionName* optionOfFileKey(const char* key) {
  for (const OptionName& option : optionNames)
    if (std::strcmp(key, option.field->key) == 0) return &option;
  for (const LegacyKey& legacy : legacyKeys)
    if (std::strcmp(key, legacy.key) == 0) return optionOfField(legacy.member);
  return nullptr;
}

bool parseValue(const OptionName& option, const char* text, int32_t& value) {
  switch (option.field->kind) {
    case FieldKind::onOff:
      return parseOnOff(text, value);
    case FieldKind::memoryMb:
      return parseMemory(text, value);
    case FieldKind::refreshStep:
      return parseRefresh(text, value);
    case FieldKind::choice:
    case FieldKind::doubledChoice:
      break;
  }
  return parseChoice(option.choices, text, value);
}

void formatValue(const OptionName& option, int32_t value, char (&out)[valueTextSize]) {
  switch (option.field->kind) {
    case FieldKind::onOff:
      formatInto(out, valueTextSize, "%s", onOffWords[0][value != 0 ? 1 : 0]);
      return;
    case FieldKind::memoryMb:
      formatInto(out, valueTextSize, "%d", static_cast<int>(value));
      return;
    case FieldKind::refreshStep:
      if (value <= 0)
        formatInto(out, valueTextSize, "%s", autoRate);
      else
        formatInto(out, valueTextSize, "%d", static_cast<int>(rateHzOfStep(value)));
      return;
    case FieldKind::choice:
    case FieldKind::doubledChoice:
      break;
  }
  formatChoice(option.choices, value, out);
}

void describeAllowed(const OptionName& option, char (&out)[valueTextSize]) {
  out[0] = '\0';
  switch (option.field->kind) {
    case FieldKind::onOff:
      formatInto(out, valueTextSize, "on | off (also 1/0, true/false, yes/no)");
      return;
    case FieldKind::memoryMb:
      formatInto(out, valueTextSize, "%d-%d", static_cast<int>(lowestListedMemoryMb),
                 static_cast<int>(highestMemoryMb));
      return;
    case FieldKind::refreshStep:
      formatInto(out, valueTextSize, "%s | %d | %d | ... | %d (Hz, in steps of %d)", autoRate,
                 static_cast<int>(lowestRateHz), static_cast<int>(rateHzOfStep(2)),
                 static_cast<int>(highestStoredRateHz), static_cast<int>(rateStepHz));
      return;
    case FieldKind::choice:
    case FieldKind::doubledChoice:
      break;
  }
  describeChoices(option.choices, out);
}
