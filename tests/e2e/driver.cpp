// The end-to-end driver: the editor's process, its windows as another program sees them, input.
#include "tests/e2e/driver.h"

#include <algorithm>

namespace {

constexpr DWORD kPollMs = 20;

// The build hands over the editor's path with forward slashes; Windows wants backslashes.
std::string editorPath() {
  std::string path = MORVANE_EDITOR_PATH;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::vector<std::string> namesIn(const std::string& directory) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

void removeTree(const std::string& path) {
  for (const std::string& name : namesIn(path)) {
    const std::string child = path + "\\" + name;
    const DWORD attributes = GetFileAttributesA(child.c_str());
    SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      removeTree(child);
    else
      DeleteFileA(child.c_str());
  }
  RemoveDirectoryA(path.c_str());
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK matchMainWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || className(window) != "MainWindow") return TRUE;
  search->found = window;
  return FALSE;
}

HWND findMainWindow(DWORD processId) {
  WindowSearch search{processId, nullptr};
  EnumWindows(matchMainWindow, reinterpret_cast<LPARAM>(&search));
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

}  // namespace

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
  return true;
}

TempDirectory::TempDirectory() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  char unique[MAX_PATH] = {};
  GetTempFileNameA(base, "mve", 0, unique);
  DeleteFileA(unique);
  CreateDirectoryA(unique, nullptr);
  path_ = unique;
}

TempDirectory::~TempDirectory() {
  removeTree(path_);
}

void TempDirectory::writeFile(const std::string& name, const std::string& bytes) const {
  HANDLE file = CreateFileA((path_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string TempDirectory::readFile(const std::string& name) const {
  HANDLE file = CreateFileA((path_ + "\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD got = 0;
  if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  bytes.resize(got);
  return bytes;
}

std::vector<std::string> TempDirectory::entries() const {
  return namesIn(path_);
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
    window = findMainWindow(process_.dwProcessId);
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

std::string windowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
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
