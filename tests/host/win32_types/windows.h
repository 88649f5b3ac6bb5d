// The host compiles the window's tables to check them, and never makes a window: the handle
// types their headers name are all it needs of the platform.
#pragma once

struct HWND__;
struct HFONT__;
struct HBRUSH__;
struct HINSTANCE__;
using HWND = HWND__*;
using HFONT = HFONT__*;
using HBRUSH = HBRUSH__*;
using HINSTANCE = HINSTANCE__*;
using UINT = unsigned int;
