// Temporary and scratch directories and file helpers for the tests under Wine. Paths are
// UTF-8 and reach the platform in UTF-16, so folder names beyond the ANSI code page work.
#include "tests/win/test_support.h"

#include <algorithm>
#include <vector>

namespace {

std::string currentDirectory() {
  wchar_t buffer[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, buffer);
  return utf8Of(buffer);
}

std::vector<std::string> entriesOf(const std::string& directory) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(wideOf(directory + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = utf8Of(found.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// Read-only entries are made writable first, so a test may leave them behind.
void removeTree(const std::string& path) {
  SetFileAttributesW(wideOf(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  for (const std::string& name : entriesOf(path)) {
    const std::wstring child = wideOf(path + "\\" + name);
    const DWORD attributes = GetFileAttributesW(child.c_str());
    SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      removeTree(path + "\\" + name);
    else
      DeleteFileW(child.c_str());
  }
  RemoveDirectoryW(wideOf(path).c_str());
}

}  // namespace

TemporaryDirectory::TemporaryDirectory() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  char unique[MAX_PATH] = {};
  GetTempFileNameA(base, "mvs", 0, unique);
  DeleteFileA(unique);
  CreateDirectoryA(unique, nullptr);
  path_ = unique;
}

TemporaryDirectory::TemporaryDirectory(const std::string& name) : TemporaryDirectory() {
  const std::string parent = path_;
  path_ += "\\" + name;
  if (!CreateDirectoryW(wideOf(path_).c_str(), nullptr)) path_ = parent;
  parent_ = parent;
}

TemporaryDirectory::~TemporaryDirectory() {
  removeTree(parent_.empty() ? path_ : parent_);
}

ScratchDirectory::ScratchDirectory() : previous_(currentDirectory()) {
  SetCurrentDirectoryW(wideOf(directory_.path()).c_str());
}

ScratchDirectory::ScratchDirectory(const std::string& name)
    : previous_(currentDirectory()), directory_(name) {
  SetCurrentDirectoryW(wideOf(directory_.path()).c_str());
}

// The directory itself goes after this body, once the process has left it.
ScratchDirectory::~ScratchDirectory() {
  SetCurrentDirectoryW(wideOf(previous_).c_str());
}

void writeWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(wideOf(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string readWholeFile(const std::string& path) {
  HANDLE file = CreateFileW(wideOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD got = 0;
  if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  bytes.resize(got);
  return bytes;
}

std::string directoryListing(const std::string& directory) {
  std::string listing;
  for (const std::string& name : entriesOf(directory)) listing += name + "\n";
  return listing;
}

std::string windowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::string windowTextUtf8(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return utf8Of(text);
}

std::string utf8Of(const std::wstring& text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], bytes, nullptr, nullptr);
  out.resize(static_cast<size_t>(bytes) - 1);
  return out;
}

std::wstring wideOf(const std::string& utf8) {
  const int chars = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring out(static_cast<size_t>(chars), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &out[0], chars);
  out.resize(static_cast<size_t>(chars) - 1);
  return out;
}

bool ansiCodePageCannotSpell(const std::string& utf8) {
  const std::wstring wide = wideOf(utf8);
  BOOL usedDefault = FALSE;
  char ansi[64] = {};
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, ansi, sizeof ansi, nullptr,
                      &usedDefault);
  return usedDefault != FALSE;
}

std::string systemText(DWORD error) {
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                 text, sizeof(text), nullptr);
  std::string trimmed = text;
  while (!trimmed.empty() && (trimmed.back() == '\r' || trimmed.back() == '\n')) trimmed.pop_back();
  return trimmed;
}

HANDLE holdFile(const std::string& path, DWORD sharing) {
  return CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

ReleaseLater::ReleaseLater(HANDLE held, DWORD afterMs)
    : held_(held),
      afterMs_(afterMs),
      thread_(CreateThread(nullptr, 0, closeWhenDue, this, 0, nullptr)) {}

ReleaseLater::~ReleaseLater() {
  if (thread_ == nullptr) {
    CloseHandle(held_);
    return;
  }
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
}

DWORD WINAPI ReleaseLater::closeWhenDue(void* self) {
  const ReleaseLater& release = *static_cast<ReleaseLater*>(self);
  Sleep(release.afterMs_);
  CloseHandle(release.held_);
  return 0;
}
