// The command line's names table against the file's own rules and the editor's lists.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cli/option_names.h"
#include "settings/refresh_rates.h"
#include "settings/settings.h"
#include "settings/settings_format.h"
#include "settings/settings_reader.h"

namespace {

TEST(OptionNames, EveryFieldHasExactlyOneName) {
  for (const FieldRow& row : fieldRows) {
    int names = 0;
    for (const OptionName& option : allOptions()) names += option.field == &row ? 1 : 0;
    EXPECT_EQ(1, names) << row.key;
  }
}

// The key of each row is the key Save writes for that field, and the one the parse reads into it.
TEST(OptionNames, EachKeyIsTheLineSaveWritesForItsField) {
  for (const OptionName& option : allOptions()) {
    SCOPED_TRACE(option.name);
    Settings record = defaultSettings(0);
    record.*option.field->member = record.*option.field->member == 1 ? 0 : 1;
    const std::string changed = canonicalFile(record).text;
    const std::string defaults = canonicalFile(defaultSettings(0)).text;
    size_t differsAt = 0;
    while (changed[differsAt] == defaults[differsAt]) ++differsAt;
    const size_t lineStart = changed.rfind('\n', differsAt) + 1;
    EXPECT_EQ(0, changed.compare(lineStart, std::strlen(option.field->key), option.field->key));

    const std::string line = std::string(option.field->key) + "1";
    EXPECT_STREQ(option.field->key,
                 keyOfLine(reinterpret_cast<const unsigned char*>(line.data()), line.size()));
    EXPECT_EQ(&option, optionOfFileKey(option.field->key));
  }
}

TEST(OptionNames, KeysTheEditorOnlyReadsBelongToThePalettedTexture) {
  for (const char* key : {"8BITTEXTURE:", "GL_EXT_palettized_textures:"}) {
    const std::string line = std::string(key) + "0";
    EXPECT_STREQ(key, keyOfLine(reinterpret_cast<const unsigned char*>(line.data()), line.size()));
    ASSERT_NE(nullptr, optionOfFileKey(key));
    EXPECT_STREQ("paletted-texture", optionOfFileKey(key)->name);
  }
}

OrderItem itemNamed(const std::string& name) {
  if (name == "framerate") return OrderItem::framerate;
  if (name == "clock") return OrderItem::clock;
  EXPECT_EQ("texture-mass", name);
  return OrderItem::textureMass;
}

// Each display order names the three items in the order the window puts them, top to bottom.
TEST(OptionNames, DisplayOrdersNameTheRowsTopToBottom) {
  const OptionName* order = findOption("display-order", std::strlen("display-order"));
  ASSERT_NE(nullptr, order);
  for (int32_t index = 0; index < displayOrderCount; ++index) {
    char text[valueTextSize];
    formatValue(*order, index, text);
    SCOPED_TRACE(text);
    int32_t previousY = -1;
    size_t items = 0;
    for (const char* at = text; *at != '\0'; ++items) {
      const char* end = std::strchr(at, ',');
      const std::string item = end != nullptr ? std::string(at, end) : std::string(at);
      const int32_t y = orderRowY(index, itemNamed(item));
      EXPECT_GT(y, previousY) << item;
      previousY = y;
      at = end != nullptr ? end + 1 : at + item.size();
    }
    EXPECT_EQ(3u, items);
  }
}

TEST(OptionNames, RatesAreTheStepsOfTheEditorsRefreshList) {
  for (const int32_t step : {1, 2, 29, highestRefreshStepCount})
    EXPECT_EQ(step, refreshStepsForMode(800, 600, static_cast<uint32_t>(rateHzOfStep(step))));
}

int32_t highestValue(const OptionName& option) {
  switch (option.field->kind) {
    case FieldKind::onOff:
      return 1;
    case FieldKind::memoryMb:
      return highestMemoryMb;
    case FieldKind::refreshStep:
      return highestStoredRefreshStep;
    case FieldKind::choice:
    case FieldKind::doubledChoice:
      break;
  }
  return static_cast<int32_t>(
      std::count(option.choices, option.choices + std::strlen(option.choices), '|'));
}

// Whatever show prints, set takes back as the same value.
TEST(OptionNames, EveryShownValueReadsBackAsItself) {
  for (const OptionName& option : allOptions()) {
    const int32_t lowest = option.field->kind == FieldKind::memoryMb ? lowestListedMemoryMb : 0;
    for (int32_t value = lowest; value <= highestValue(option); ++value) {
      char text[valueTextSize];
      formatValue(option, value, text);
      int32_t back = -1;
      EXPECT_TRUE(parseValue(option, text, back)) << option.name << " " << text;
      EXPECT_EQ(value, back) << option.name << " " << text;
    }
  }
}

}  // namespace
