// Value digits of the written file.
#include <gtest/gtest.h>

#include <string>

#include "settings/settings_format.h"

namespace {

TEST(FormatDigits, FixedWidthWithLeadingZerosAndBounds) {
  struct Case {
    int32_t number;
    int width;
    const char* digits;
  };
  const Case cases[] = {
      {16, 3, "016"}, {8, 3, "008"}, {108, 3, "108"}, {0, 2, "00"},   {3, 2, "03"},
      {12, 2, "12"},  {99, 2, "99"}, {100, 2, "99"},  {188, 2, "99"}, {-1, 2, "00"},
      {-1, 1, "0"},   {7, 1, "7"},   {8, 1, "8"},     {10, 1, "9"},
  };
  for (const Case& c : cases) {
    char out[4] = {};
    formatDigits(c.number, c.width, out);
    EXPECT_EQ(std::string(c.digits), std::string(out, c.width)) << c.number << " in " << c.width;
  }
}

}  // namespace
