// Reading and replacing the settings file with the Win32 file services.
#include "settings/settings_file.h"

#include <cstring>

#include "settings/settings.h"
#include "settings/settings_reader.h"

namespace {

using FinalPathQuery = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);

// Windows XP has no way to ask where a link leads; the function is looked up when it is needed,
// so the program still starts there.
FinalPathQuery finalPathQuery() {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return kernel == nullptr ? nullptr
                           : reinterpret_cast<FinalPathQuery>(reinterpret_cast<void (*)()>(
                                 GetProcAddress(kernel, "GetFinalPathNameByHandleA")));
}

// The platform answers in its long form, "\\?\C:\..." or "\\?\UNC\server\share".
void dropLongPathPrefix(char* path) {
  const char* shortForm = path;
  if (std::strncmp(path, "\\\\?\\UNC\\", 8) == 0) {
    shortForm = path + 6;
    path[6] = '\\';
  } else if (std::strncmp(path, "\\\\?\\", 4) == 0) {
    shortForm = path + 4;
  }
  std::memmove(path, shortForm, std::strlen(shortForm) + 1);
}

bool resolveLinks(const char* path, char (&finalPath)[MAX_PATH]) {
  const FinalPathQuery query = finalPathQuery();
  if (query == nullptr) return false;
  // No access asked for, so a file another program holds open without sharing still answers.
  HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char longForm[MAX_PATH + 8] = {};
  const DWORD length = query(file, longForm, sizeof(longForm), 0);
  CloseHandle(file);
  if (length == 0 || length >= sizeof(longForm)) return false;
  dropLongPathPrefix(longForm);
  if (std::strlen(longForm) >= MAX_PATH) return false;
  std::strcpy(finalPath, longForm);
  return true;
}

// The error that stopped a step, never "success" by accident.
DWORD lastErrorOr(DWORD fallback) {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : fallback;
}

// The bytes the parse sees are only those really read.
DWORD readOpenFile(HANDLE file, unsigned char*& data, DWORD& size) {
  size = GetFileSize(file, nullptr);
  if (size == INVALID_FILE_SIZE) return lastErrorOr(ERROR_FILE_TOO_LARGE);
  if (size == 0) return ERROR_SUCCESS;
  data = static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), 0, size));
  if (data == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  DWORD bytesRead = 0;
  if (!ReadFile(file, data, size, &bytesRead, nullptr)) return lastErrorOr(ERROR_READ_FAULT);
  size = bytesRead;
  return ERROR_SUCCESS;
}

// A rename would replace a read-only file where the platform allows it (Wine as root does),
// and one that another program holds open without sharing on some platforms: refuse both.
DWORD checkReplaceable(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
  }
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
  HANDLE probe =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return lastErrorOr(ERROR_ACCESS_DENIED);
  CloseHandle(probe);
  return ERROR_SUCCESS;
}

// The directory part of path, "." for a bare name; false when it does not fit.
bool directoryOf(const char* path, char (&directory)[MAX_PATH]) {
  const char* lastSeparator = nullptr;
  for (const char* at = path; *at != '\0'; ++at)
    if (*at == '\\' || *at == '/') lastSeparator = at;
  if (lastSeparator == nullptr) {
    std::strcpy(directory, ".");
    return true;
  }
  const size_t length = static_cast<size_t>(lastSeparator - path) + 1;
  if (length >= MAX_PATH) return false;
  std::memcpy(directory, path, length);
  directory[length] = '\0';
  return true;
}

DWORD writeTemporaryFile(const char* temporaryPath, const char* text) {
  HANDLE file = CreateFileA(temporaryPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastErrorOr(ERROR_ACCESS_DENIED);
  DWORD error = ERROR_SUCCESS;
  if (!writeText(file, text) || !FlushFileBuffers(file)) error = lastErrorOr(ERROR_WRITE_FAULT);
  if (!CloseHandle(file) && error == ERROR_SUCCESS) error = lastErrorOr(ERROR_WRITE_FAULT);
  return error;
}

DWORD writeAndRename(const char* temporaryPath, const char* path, const char* text) {
  const DWORD error = writeTemporaryFile(temporaryPath, text);
  if (error != ERROR_SUCCESS) return error;
  if (!MoveFileExA(temporaryPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return lastErrorOr(ERROR_ACCESS_DENIED);
  return ERROR_SUCCESS;
}

}  // namespace

DWORD readWholeFile(const char* path, unsigned char*& data, DWORD& size) {
  data = nullptr;
  size = 0;
  // No sharing: nobody can change the file while it is read.
  HANDLE file =
      CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastErrorOr(ERROR_OPEN_FAILED);
  const DWORD error = readOpenFile(file, data, size);
  CloseHandle(file);
  if (error != ERROR_SUCCESS) {
    releaseWholeFile(data);
    size = 0;
  }
  return error;
}

void releaseWholeFile(unsigned char*& data) {
  if (data != nullptr) HeapFree(GetProcessHeap(), 0, data);
  data = nullptr;
}

void loadSettings() {
  applyDefaults();
  unsigned char* data = nullptr;
  DWORD size = 0;
  if (readWholeFile(settingsFileName, data, size) != ERROR_SUCCESS) return;
  parseSettings(data, size, refreshStepCount, settings);
  releaseWholeFile(data);
}

bool writeText(HANDLE file, const char* text) {
  if (text == nullptr || *text == '\0') return true;
  if (file == nullptr || file == INVALID_HANDLE_VALUE) return false;
  const DWORD length = static_cast<DWORD>(std::strlen(text));
  DWORD written = 0;
  if (!WriteFile(file, text, length, &written, nullptr)) return false;
  // A short write without an error is a full disk.
  if (written != length) SetLastError(ERROR_DISK_FULL);
  return written == length;
}

bool finalPathOf(const char* path, char (&finalPath)[MAX_PATH]) {
  if (resolveLinks(path, finalPath)) return true;
  const DWORD length = GetFullPathNameA(path, MAX_PATH, finalPath, nullptr);
  return length != 0 && length < MAX_PATH;
}

DWORD replaceFileWith(const char* path, const char* text) {
  DWORD error = checkReplaceable(path);
  if (error != ERROR_SUCCESS) return error;
  char directory[MAX_PATH] = {};
  if (!directoryOf(path, directory)) return ERROR_FILENAME_EXCED_RANGE;
  char temporaryPath[MAX_PATH] = {};
  if (GetTempFileNameA(directory, "qlx", 0, temporaryPath) == 0)
    return lastErrorOr(ERROR_ACCESS_DENIED);
  error = writeAndRename(temporaryPath, path, text);
  if (error != ERROR_SUCCESS) DeleteFileA(temporaryPath);
  return error;
}
