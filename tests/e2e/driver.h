// Drives the real editor from outside its process: starts it, reads its window, sends real input.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// How long any wait on the editor may take before the test gives up on it.
constexpr DWORD kPatienceMs = 10000;

// The editor to drive and where its pictures go: this build's unless the environment names
// others, as it does when this driver drives the other architecture's editor.
std::string editorPath();
std::string configPath();
std::string screenshotDirectory();

// Polls `condition` until it holds or `timeoutMs` have passed; answers whether it held.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kPatienceMs);

// The editor as a process of its own, started in a given working directory. A process that
// is still running when the object goes is terminated, so no test can hang on it.
class EditorProcess {
 public:
  // `showState` reaches the editor through its start-up information, as a shell would pass it.
  EditorProcess(const std::string& workingDirectory, WORD showState);
  ~EditorProcess();
  EditorProcess(const EditorProcess&) = delete;
  EditorProcess& operator=(const EditorProcess&) = delete;

  bool started() const { return process_.hProcess != nullptr; }
  // Waits until the editor shows its main window and waits in its message loop. A window that
  // stays hidden is still returned once the wait is over; null only when there is none.
  HWND waitForMainWindow() const;
  bool running() const;
  // Waits for the process to end; answers whether it did.
  bool waitForExit() const;
  DWORD exitCode() const;

 private:
  PROCESS_INFORMATION process_{};
};

// Children of `window` (not their own children) in the order the platform lists them, which
// is the order of their creation.
std::vector<HWND> childControls(HWND window);
std::string className(HWND window);
// The outer rectangle of `control` in the client coordinates of `window`.
RECT rectInClient(HWND control, HWND window);
SIZE outerSize(HWND window);

int checkState(HWND checkBox);
int selectedIndex(HWND list);
// The text of one list entry, read across the process boundary.
std::string entryText(HWND list, int index);

// A key as the keyboard reports it: virtual key and scan code both.
struct Key {
  WORD virtualKey;
  WORD scanCode;
};
constexpr Key kAltKey{VK_MENU, 0x38};
constexpr Key kF2Key{VK_F2, 0x3C};
constexpr Key kF4Key{VK_F4, 0x3E};
constexpr Key kTabKey{VK_TAB, 0x0F};
constexpr Key kShiftKey{VK_SHIFT, 0x2A};
constexpr Key kSpaceKey{VK_SPACE, 0x39};
constexpr Key kReturnKey{VK_RETURN, 0x1C};
constexpr Key kDownKey{VK_DOWN, 0x50};

// Moves the mouse to the centre of `control` and clicks the left button there.
void clickControl(HWND control);
// Clicks the left button at `point` in the client coordinates of `window`.
void clickAt(HWND window, POINT point);
// Presses the left button on `control`, then slides off it and releases the button there: the
// control takes the focus and is not clicked.
void pressAndSlideOff(HWND control);
// Presses the keys in the given order and releases them in the opposite order.
void pressChord(const std::vector<Key>& keys);

// The window that holds the keyboard focus in the thread of `window`, or null.
HWND focusedWindow(HWND window);
// A top-level window of the same process as `window` with the class name `name`, or null.
HWND findProcessWindow(HWND window, const char* name);

// The client area of a window as the screen shows it, read once.
class ClientPixels {
 public:
  explicit ClientPixels(HWND window);
  int width() const { return width_; }
  int height() const { return height_; }
  bool operator==(const ClientPixels& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
  }
  // 0x00BBGGRR, as the drawing functions take colours.
  COLORREF at(int x, int y) const;
  // Writes the pixels as a 32-bit BMP file; answers whether it could.
  bool saveBitmap(const std::string& path) const;

 private:
  int width_ = 0;
  int height_ = 0;
  // Top row first, each pixel as the bytes blue, green, red, unused.
  std::vector<uint32_t> pixels_;
};
