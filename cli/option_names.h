// The command line's names for the settings, one per row of the field table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/fields.h"
#include "settings/settings.h"
#include "settings/table_rows.h"

// name as typed, the field's row of the field table (its key, its kind), the names of the
// choices (choices only: value 0 first, "|" between them), what the option does
struct OptionName {
  const char* name;
  const FieldRow* field;
  const char* choices;
  const char* about;
};

// Every row of the table, in the order of the editor's controls, so a listing reads like the
// window.
TableRows<OptionName> allOptions();

// Enough for any value's text and for the longest list of allowed values.
inline constexpr size_t valueTextSize = 256;

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
