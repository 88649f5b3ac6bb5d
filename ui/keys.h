// Key tests on the lParam of a key message, for the message loop and the window procedure: scan
// code and Alt context only.
#pragma once

#include <cstdint>

inline constexpr uint32_t scanCodeF4 = 0x3E;
inline constexpr uint32_t scanCodeTab = 0x0F;

inline constexpr uint32_t scanCodeOf(intptr_t keyData) {
  return (static_cast<uint32_t>(keyData) >> 16) & 0xFF;
}

inline constexpr bool altHeld(intptr_t keyData) {
  return (static_cast<uint32_t>(keyData) >> 29) & 1;
}

// For a system key-down: Alt+F4, whatever else the key data says.
inline constexpr bool isAltF4(intptr_t keyData) {
  return altHeld(keyData) && scanCodeOf(keyData) == scanCodeF4;
}

// For a key-down: Tab, with or without Shift or Ctrl.
inline constexpr bool isTab(intptr_t keyData) {
  return scanCodeOf(keyData) == scanCodeTab;
}
