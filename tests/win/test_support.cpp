// Temporary and scratch directories and file helpers for the tests under Wine.
#include "tests/win/test_support.h"

#include <algorithm>
#include <vector>

namespace {

std::string currentDirectory() {
  char buffer[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, buffer);
  return buffer;
}

std::vector<std::string> entriesOf(const std::string& directory) {
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

// Read-only entries are made writable first, so a test may leave them behind.
void removeTree(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  for (const std::string& name : entriesOf(path)) {
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

TemporaryDirectory::~TemporaryDirectory() {
  removeTree(path_);
}

ScratchDirectory::ScratchDirectory() : previous_(currentDirectory()) {
  SetCurrentDirectoryA(directory_.path().c_str());
}

// The directory itself goes after this body, once the process has left it.
ScratchDirectory::~ScratchDirectory() {
  SetCurrentDirectoryA(previous_.c_str());
}

void writeWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string readWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
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

std::string systemText(DWORD error) {
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                 text, sizeof(text), nullptr);
  std::string trimmed = text;
  while (!trimmed.empty() && (trimmed.back() == '\r' || trimmed.back() == '\n')) trimmed.pop_back();
  return trimmed;
}
