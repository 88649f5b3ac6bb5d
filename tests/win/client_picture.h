// A picture of the main window's client area in a memory context of the test's own, read pixel
// by pixel without a round trip to the display for each.
#pragma once

#include <windows.h>

// The paint pass drawn into `target` instead of the window's context: the whole client area,
// also where the window lies beyond the screen, and without the controls' pixels.
void paintWindowInto(HDC target);

class ClientPicture {
 public:
  ClientPicture();
  ~ClientPicture();
  ClientPicture(const ClientPicture&) = delete;
  ClientPicture& operator=(const ClientPicture&) = delete;

  // What the screen shows of the window now.
  void copyWindow();
  // The paint pass alone (paintWindowInto).
  void paintWindow();

  HDC context() const { return context_; }
  int width() const { return size_.cx; }
  int height() const { return size_.cy; }
  COLORREF at(int x, int y) const { return GetPixel(context_, x, y); }

 private:
  SIZE size_;
  HDC context_;
  HBITMAP bitmap_;
  HGDIOBJ original_;
};
