// The end-to-end driver: the editor's process, its windows as another program sees them, input.
#include "tests/e2e/driver.h"

#include <algorithm>

namespace {

constexpr DWORD kPollMs = 20;

struct WindowSearch {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || className(window) != search->className) return TRUE;
  search->found = window;
  return FALSE;
}

// A top-level window of the process with the given class name, or null.
HWND findWindowOf(DWORD processId, const char* name) {
  WindowSearch search{processId, name, nullptr};
  EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ChildSearch {
  HWND parent;
  std::vector<HWND> children;
};

BOOL CALLBACK collectDirectChild(HWND child, LPARAM parameter) {
  auto* search = reinterpret_cast<ChildSearch*>(parameter);
  if (GetAncestor(child, GA_PARENT) == search->parent) search->children.push_back(child);
  return TRUE;
}

INPUT keyInput(const Key& key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key.virtualKey;
  input.ki.wScan = key.scanCode;
  input.ki.dwFlags = flags;
  return input;
}

// Absolute mouse coordinates run from 0 to 65535 across the primary screen.
INPUT mouseInput(POINT screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  return input;
}

void send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The value of the environment variable `name`, or `builtIn` when it is not set.
std::string builtInOrEnvironment(const char* name, const char* builtIn) {
  char value[MAX_PATH] = {};
  std::string path = GetEnvironmentVariableA(name, value, MAX_PATH) != 0 ? value : builtIn;
  // The build hands over paths with forward slashes; Windows wants backslashes.
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace

std::string editorPath() {
  return builtInOrEnvironment("MORVANE_EDITOR_PATH", MORVANE_EDITOR_PATH);
}

std::string configPath() {
  return builtInOrEnvironment("MORVANE_CONFIG_PATH", MORVANE_CONFIG_PATH);
}

std::string screenshotDirectory() {
  return builtInOrEnvironment("MORVANE_SCREENSHOT_DIR", MORVANE_SCREENSHOT_DIR);
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
  return true;
}

EditorProcess::EditorProcess(const std::string& workingDirectory, WORD showState) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = showState;
  const std::string path = editorPath();
  std::string commandLine = "\"" + path + "\"";
  if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      workingDirectory.c_str(), &startup, &process_))
    process_ = PROCESS_INFORMATION{};
}

EditorProcess::~EditorProcess() {
  if (!started()) return;
  if (running()) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, kPatienceMs);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND EditorProcess::waitForMainWindow() const {
  if (!started()) return nullptr;
  HWND window = nullptr;
  waitUntil([&] {
    window = findWindowOf(process_.dwProcessId, "MainWindow");
    return window != nullptr && IsWindowVisible(window);
  });
  // The editor shows its window at the end of its start-up; once it answers a message sent
  // from here, it waits in its message loop.
  if (window != nullptr)
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, nullptr);
  return window;
}

bool EditorProcess::running() const {
  return started() && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool EditorProcess::waitForExit() const {
  return started() && WaitForSingleObject(process_.hProcess, kPatienceMs) == WAIT_OBJECT_0;
}

DWORD EditorProcess::exitCode() const {
  DWORD code = STILL_ACTIVE;
  if (started()) GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::vector<HWND> childControls(HWND window) {
  ChildSearch search{window, {}};
  EnumChildWindows(window, collectDirectChild, reinterpret_cast<LPARAM>(&search));
  return search.children;
}

std::string className(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

RECT rectInClient(HWND control, HWND window) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE outerSize(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

int checkState(HWND checkBox) {
  return static_cast<int>(SendMessageA(checkBox, BM_GETCHECK, 0, 0));
}

int selectedIndex(HWND list) {
  return static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
}

// Only the wide forms carry the text across processes; it comes back in the ANSI code page
// that the editor used to put it in.
std::string entryText(HWND list, int index) {
  const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return "<no entry>";
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&wide[0]));
  wide.resize(static_cast<size_t>(length));
  std::string text(wide.size() * 2, '\0');
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                        &text[0], static_cast<int>(text.size()), nullptr, nullptr);
  text.resize(static_cast<size_t>(std::max(bytes, 0)));
  return text;
}

void clickControl(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  send({mouseInput(centre, 0), mouseInput(centre, MOUSEEVENTF_LEFTDOWN),
        mouseInput(centre, MOUSEEVENTF_LEFTUP)});
}

void pressChord(const std::vector<Key>& keys) {
  std::vector<INPUT> inputs;
  for (const Key& key : keys) inputs.push_back(keyInput(key, 0));
  for (auto key = keys.rbegin(); key != keys.rend(); ++key)
    inputs.push_back(keyInput(*key, KEYEVENTF_KEYUP));
  send(inputs);
}

void clickAt(HWND window, POINT point) {
  ClientToScreen(window, &point);
  send({mouseInput(point, 0), mouseInput(point, MOUSEEVENTF_LEFTDOWN),
        mouseInput(point, MOUSEEVENTF_LEFTUP)});
}

void pressAndSlideOff(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  const POINT below{centre.x, rect.bottom + 40};
  send({mouseInput(centre, 0), mouseInput(centre, MOUSEEVENTF_LEFTDOWN), mouseInput(below, 0),
        mouseInput(below, MOUSEEVENTF_LEFTUP)});
}

HWND focusedWindow(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

HWND findProcessWindow(HWND window, const char* name) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return findWindowOf(processId, name);
}

// Copied from the screen, not asked of the window: this is what a person sees.
ClientPixels::ClientPixels(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  width_ = client.right;
  height_ = client.bottom;

  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = width_;
  format.bmiHeader.biHeight = -height_;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC copy = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    HGDIOBJ original = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width_, height_, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    pixels_.assign(first, first + static_cast<size_t>(width_) * height_);
    SelectObject(copy, original);
    DeleteObject(bitmap);
  }
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
  if (pixels_.empty()) width_ = height_ = 0;
}

COLORREF ClientPixels::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const uint32_t pixel = pixels_[static_cast<size_t>(y) * width_ + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool ClientPixels::saveBitmap(const std::string& path) const {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width_;
  info.biHeight = -height_;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  const DWORD pixelBytes = static_cast<DWORD>(pixels_.size() * sizeof(uint32_t));
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof(header) + sizeof(info);
  header.bfSize = header.bfOffBits + pixelBytes;

  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool complete = WriteFile(file, &header, sizeof(header), &written, nullptr) &&
                  WriteFile(file, &info, sizeof(info), &written, nullptr) &&
                  WriteFile(file, pixels_.data(), pixelBytes, &written, nullptr) &&
                  written == pixelBytes;
  return CloseHandle(file) && complete;
}
