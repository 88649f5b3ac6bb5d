// The message boxes an action of this thread shows, read and closed by a hook the moment each
// is activated.
#pragma once

#include <windows.h>

#include <string>

struct ShownMessage {
  int boxes = 0;
  std::string caption;
  // The last box's text, UTF-8.
  std::string text;
  HWND owner = nullptr;
};

ShownMessage watchMessages(void (*action)());
