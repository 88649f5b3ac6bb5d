// What a window's controls look like from outside, so the bench can check that the floor makes
// the same controls as the editor before it compares their costs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One line for the window's title, then one per direct child in creation order: class, style,
// extended style, place and size in the client area, text or list entries. Works on the
// windows of another process too.
std::vector<std::string> describeControls(HWND window);

// Prints the first line in which the two descriptions differ; answers whether they are equal.
bool sameDescription(const std::vector<std::string>& editor, const std::vector<std::string>& floor);
