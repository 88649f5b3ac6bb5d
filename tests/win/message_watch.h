// The message boxes an action of this thread shows, read and answered by a hook the moment each
// is activated.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ShownMessage {
  int boxes = 0;
  std::string caption;
  // The last box's text, UTF-8.
  std::string text;
  HWND owner = nullptr;
  // The last box's buttons by their answers (IDOK, IDYES, IDNO).
  std::vector<int> buttons;
};

// An answer as a person gives it with the keyboard: Return, which presses the default button.
inline constexpr int kPressReturn = 0;

// Runs the action; every box it shows is read and answered with `answer`: a button's answer
// (IDOK, IDYES, IDNO) or kPressReturn.
ShownMessage watchMessages(void (*action)(), int answer = IDOK);
