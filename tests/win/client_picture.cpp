// The main window's client area in a picture of the test's own.
#include "tests/win/client_picture.h"

#include <gtest/gtest.h>

#include "tests/win/import_patch.h"
#include "ui/main_window.h"
#include "ui/window_procedure.h"

namespace {

HDC paintTarget;

HDC WINAPI getContext(HWND) {
  return paintTarget;
}

int WINAPI releaseContext(HWND, HDC) {
  return 1;
}

}  // namespace

void paintWindowInto(HDC target) {
  paintTarget = target;
  const ImportPatch<decltype(&GetDC)> gets("user32.dll", "GetDC", getContext);
  const ImportPatch<decltype(&ReleaseDC)> releases("user32.dll", "ReleaseDC", releaseContext);
  ASSERT_TRUE(gets.patched() && releases.patched());
  mainWindowProc(mainWindow, WM_PAINT, 0, 0);
}

ClientPicture::ClientPicture() {
  RECT client{};
  GetClientRect(mainWindow, &client);
  size_ = {client.right, client.bottom};
  HDC window = GetDC(mainWindow);
  context_ = CreateCompatibleDC(window);
  bitmap_ = CreateCompatibleBitmap(window, size_.cx, size_.cy);
  original_ = SelectObject(context_, bitmap_);
  ReleaseDC(mainWindow, window);
}

ClientPicture::~ClientPicture() {
  SelectObject(context_, original_);
  DeleteObject(bitmap_);
  DeleteDC(context_);
}

void ClientPicture::copyWindow() {
  HDC window = GetDC(mainWindow);
  BitBlt(context_, 0, 0, size_.cx, size_.cy, window, 0, 0, SRCCOPY);
  ReleaseDC(mainWindow, window);
}

void ClientPicture::paintWindow() {
  paintWindowInto(context_);
}
