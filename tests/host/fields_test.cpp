// The field table: every field of the record in exactly one row, keys the parse can tell apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/fields.h"
#include "tests/common/expected_file.h"

namespace {

// The record holds 32-bit fields only, so as many distinct rows as it has fields cover each one;
// and each row is the file's line of the same key.
TEST(FieldTable, EveryRecordFieldHasExactlyOneRowAndALineOfItsOwn) {
  EXPECT_EQ(sizeof(Settings), fieldCount * sizeof(int32_t)) << "a field without a row";
  for (const FieldRow& row : fieldRows) {
    SCOPED_TRACE(row.key);
    int rows = 0;
    for (const FieldRow& other : fieldRows) rows += other.member == row.member ? 1 : 0;
    EXPECT_EQ(1, rows);
    EXPECT_EQ(&row, &fieldRowOf(row.member));
  }
  EXPECT_EQ(canonicalLineCount(), fieldCount);
  for (size_t line = 1; line <= fieldCount; ++line)
    EXPECT_EQ(line, canonicalLineNumberOf(fieldRows[line - 1].key)) << fieldRows[line - 1].key;
}

// Each key ends in its only colon, so no key is the start of another and at most one matches a
// line; a legacy key leads to a field that has a row.
TEST(FieldTable, KeysEndInTheirOnlyColonAndDifferFromEachOther) {
  std::vector<std::string> keys;
  for (const FieldRow& row : fieldRows) keys.push_back(row.key);
  for (const LegacyKey& legacy : legacyKeys) {
    keys.push_back(legacy.key);
    EXPECT_EQ(legacy.member, fieldRowOf(legacy.member).member) << legacy.key;
  }
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].size() - 1, keys[i].find(':')) << keys[i];
    for (size_t j = 0; j < keys.size(); ++j) {
      if (i == j) continue;
      EXPECT_NE(0u, keys[j].rfind(keys[i], 0)) << keys[i] << " starts " << keys[j];
    }
  }
}

TEST(FieldTable, DigitsAreDigitsAndWidthsOneToThree) {
  for (const FieldRow& row : fieldRows) {
    SCOPED_TRACE(row.key);
    EXPECT_GE(digitCountOf(row), 1u);
    EXPECT_LE(digitCountOf(row), 3u);
    for (const char* digit = row.highestDigitAt; *digit != '\0'; ++digit)
      EXPECT_TRUE(*digit >= '0' && *digit <= '9');
  }
}

// On/off as 0 or 1, memory into the list's 8-108, everything else as it is.
TEST(FieldTable, ShownValues) {
  // field, value, shown
  const struct {
    int32_t Settings::*field;
    int32_t value;
    int32_t shown;
  } cases[] = {
      {&Settings::windowed, 7, 1},          {&Settings::windowed, -3, 1},
      {&Settings::centred, 0, 0},           {&Settings::textureMemoryMb, 2, 8},
      {&Settings::textureMemoryMb, 64, 64}, {&Settings::textureMemoryMb, 999, 108},
      {&Settings::fsaaIndex, 3, 3},         {&Settings::refreshIndex, 29, 29},
      {&Settings::clockStyle, -1, -1},      {&Settings::language, 7, 7},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.shown, shownValue(fieldRowOf(c.field), c.value)) << fieldRowOf(c.field).key;
}

}  // namespace
