// The message loop's key tests on the key data of a key message.
#include <gtest/gtest.h>

#include "ui/keys.h"

namespace {

// lParam of a key message: scan code in bits 16-23, Alt context in bit 29.
constexpr intptr_t keyData(uint32_t scanCode, bool alt, bool extended = false) {
  return static_cast<intptr_t>((scanCode << 16) | (extended ? 1u << 24 : 0) | (alt ? 1u << 29 : 0) |
                               1u);
}

TEST(KeyFilter, AltF4AndTabAreKnownByScanCodeAndAltOnly) {
  EXPECT_TRUE(isAltF4(keyData(0x3E, true)));
  EXPECT_TRUE(isAltF4(keyData(0x3E, true, true) | (1 << 30)));
  EXPECT_FALSE(isAltF4(keyData(0x3E, false)));
  EXPECT_FALSE(isAltF4(keyData(0x3D, true)));
  EXPECT_TRUE(isTab(keyData(0x0F, false)));
  EXPECT_TRUE(isTab(keyData(0x0F, true)));
  EXPECT_FALSE(isTab(keyData(0x10, false)));
}

}  // namespace
