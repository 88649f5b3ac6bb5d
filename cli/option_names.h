// The command line's names for the settings, kept in one table beside the file's keys.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/settings.h"

enum class ValueKind { onOff, memoryMb, refreshRate, choice };

// name as typed, key as the file spells it, field, kind of value, the names of the choices
// (kind choice only: value 0 first, "|" between them), what the option does
struct OptionName {
  const char* name;
  const char* fileKey;
  int32_t Settings::*field;
  ValueKind kind;
  const char* choices;
  const char* about;
};

inline constexpr size_t optionCount = 20;
// In the order of the editor's controls, so a listing reads like the window.
extern const OptionName optionNames[optionCount];

// Enough for any value's text and for the longest list of allowed values.
inline constexpr size_t valueTextSize = 256;

// The refresh list: "auto", then entry n for 55 + 5n Hz up to the last one the editor's
// three-character entries can show.
inline constexpr int32_t lowestRateHz = 60;
inline constexpr int32_t highestRateHz = 995;
inline constexpr int32_t refreshRateStepHz = 5;
inline constexpr int32_t rateHzOfStep(int32_t step) {
  return lowestRateHz + (step - 1) * refreshRateStepHz;
}
inline constexpr int32_t highestRefreshStep =
    (highestRateHz - lowestRateHz) / refreshRateStepHz + 1;
// The file keeps the choice in two digits, and the editor reads the tens digit as 2 at most:
// 200 Hz is the highest rate a file can hold. A higher one would be written, then read back as
// 200 Hz without a word, so `set` refuses it.
inline constexpr int32_t highestStoredRefreshStep = 29;
inline constexpr int32_t highestStoredRateHz = rateHzOfStep(highestStoredRefreshStep);

// The option for a name as a person types it: its name or its file key (with or without the
// colon, the two keys the editor only reads included), in any case. Null when there is none.
const OptionName* findOption(const char* name, size_t length);

// The option whose field a line with this file key sets, as keyOfLine names the key; null for
// none.
const OptionName* optionOfFileKey(const char* key);

// Reads a value as the option's kind allows it, ignoring case; false when it is not allowed.
bool parseValue(const OptionName& option, const char* text, int32_t& value);

// The value as the command line shows it and takes it back: "on", "64", "auto", "75", "4x".
void formatValue(const OptionName& option, int32_t value, char (&out)[valueTextSize]);

// The values the option allows, as a person reads them: "off, 2x, 4x, 6x, 8x".
void describeAllowed(const OptionName& option, char (&out)[valueTextSize]);

// The record as the editor's window shows it: on/off fields ticked (1) or not (0), texture
// memory brought into the list's 8-108.
Settings asShown(const Settings& record);
