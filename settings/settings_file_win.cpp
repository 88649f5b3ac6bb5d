// Reading and replacing the settings file with the Win32 file services.
#include "settings/settings_file_win.h"

#include <cstddef>
#include <cstring>

#include "settings/held_file.h"
#include "settings/settings.h"
#include "settings/settings_reader.h"
#include "settings/system_function_win.h"

namespace {

using FinalPathQuery = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

// "quenlix.ini" as the wide file functions take it, widened when the program is built.
struct WideFileName {
  wchar_t text[sizeof settingsFileName];
};

constexpr WideFileName widenedSettingsFileName() {
  WideFileName name{};
  for (std::size_t at = 0; at < sizeof settingsFileName; ++at)
    name.text[at] = static_cast<wchar_t>(settingsFileName[at]);
  return name;
}

constexpr WideFileName settingsFileNameW = widenedSettingsFileName();

// Windows XP has no way to ask where a link leads; the function is looked up when it is needed,
// so the program still starts there.
FinalPathQuery finalPathQuery() {
  return systemFunction<FinalPathQuery>("kernel32.dll", "GetFinalPathNameByHandleW");
}

bool startsWith(const wchar_t* text, const wchar_t* prefix) {
  while (*prefix != L'\0')
    if (*text++ != *prefix++) return false;
  return true;
}

// The platform answers in its long form, "\\?\C:\..." or "\\?\UNC\server\share".
const wchar_t* withoutLongPathPrefix(wchar_t* path) {
  if (startsWith(path, L"\\\\?\\UNC\\")) {
    path[6] = L'\\';
    return path + 6;
  }
  return startsWith(path, L"\\\\?\\") ? path + 4 : path;
}

bool resolveLinks(const wchar_t* path, wchar_t (&finalPath)[MAX_PATH]) {
  const FinalPathQuery query = finalPathQuery();
  if (query == nullptr) return false;
  // No access asked for, so a file another program holds open without sharing still answers.
  HANDLE file = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  wchar_t longForm[MAX_PATH + 8] = {};
  const DWORD length = query(file, longForm, MAX_PATH + 8, 0);
  CloseHandle(file);
  if (length == 0 || length >= MAX_PATH + 8) return false;
  const wchar_t* shortForm = withoutLongPathPrefix(longForm);
  if (lstrlenW(shortForm) >= MAX_PATH) return false;
  lstrcpyW(finalPath, shortForm);
  return true;
}

// What another program's hold on the file answers: it opened the file without sharing, locked a
// part of it, or is replacing or deleting it (the old file then refuses every access).
bool isHeldByAnotherProgram(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

// Runs `step` (which answers an error) again after a pause while another program's hold keeps
// it out, until the hold has lasted heldFileWaitMs; answers the last try's error.
template <typename Step>
DWORD triedThroughHolds(Step step) {
  DWORD error = step();
  for (unsigned long waitedMs = 0; isHeldByAnotherProgram(error) && waitedMs < heldFileWaitMs;
       waitedMs += heldFileRetryMs) {
    Sleep(heldFileRetryMs);
    error = step();
  }
  return error;
}

// The error that stopped a step, never "success" by accident.
DWORD lastErrorOr(DWORD fallback) {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : fallback;
}

// Writes the text's bytes without the terminator in one write. True when every byte went out;
// a null or empty text has nothing to write and succeeds, a null handle fails.
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

// The file's whole size, the part beyond 32 bits included, so that a bound sees it.
DWORD sizeOfOpenFile(HANDLE file, unsigned long long& size) {
  DWORD high = 0;
  const DWORD low = GetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
    return lastErrorOr(ERROR_FILE_TOO_LARGE);
  size = (static_cast<unsigned long long>(high) << 32) | low;
  return ERROR_SUCCESS;
}

// The bytes the parse sees are only those really read. Without a bound, the low 32 bits of the
// size are what is read.
DWORD readOpenFile(HANDLE file, DWORD largestBytes, unsigned char*& data,
                   unsigned long long& size) {
  const DWORD error = sizeOfOpenFile(file, size);
  if (error != ERROR_SUCCESS) return error;
  if (largestBytes != 0 && size > largestBytes) return ERROR_FILE_TOO_LARGE;
  const DWORD toRead = static_cast<DWORD>(size);
  size = 0;
  if (toRead == 0) return ERROR_SUCCESS;
  data = static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), 0, toRead));
  if (data == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  DWORD bytesRead = 0;
  if (!ReadFile(file, data, toRead, &bytesRead, nullptr)) return lastErrorOr(ERROR_READ_FAULT);
  size = bytesRead;
  return ERROR_SUCCESS;
}

// One try: opened without sharing, so that nobody can change the file while it is read.
DWORD readFileOnce(const wchar_t* path, DWORD largestBytes, unsigned char*& data,
                   unsigned long long& size) {
  HANDLE file =
      CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastErrorOr(ERROR_OPEN_FAILED);
  const DWORD error = readOpenFile(file, largestBytes, data, size);
  CloseHandle(file);
  if (error != ERROR_SUCCESS) releaseWholeFile(data);
  return error;
}

// Opened for writing with no sharing, as the rename will need it: another program's hold shows
// here, before anything is written.
DWORD probeWritable(const wchar_t* path) {
  HANDLE probe =
      CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return lastErrorOr(ERROR_ACCESS_DENIED);
  CloseHandle(probe);
  return ERROR_SUCCESS;
}

// A rename would replace a read-only file where the platform allows it (Wine as root does),
// and one that another program holds open without sharing on some platforms: refuse both. The
// read-only file is told apart, as the user can do something about it, and is not waited for.
DWORD checkReplaceable(const wchar_t* path) {
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_ACCESS_DENIED;
  if (attributes & FILE_ATTRIBUTE_READONLY) return ERROR_FILE_READ_ONLY;
  return triedThroughHolds([path] { return probeWritable(path); });
}

// The directory part of path, "." for a bare name; false when it does not fit.
bool directoryOf(const wchar_t* path, wchar_t (&directory)[MAX_PATH]) {
  const wchar_t* lastSeparator = nullptr;
  for (const wchar_t* at = path; *at != L'\0'; ++at)
    if (*at == L'\\' || *at == L'/') lastSeparator = at;
  if (lastSeparator == nullptr) {
    lstrcpyW(directory, L".");
    return true;
  }
  const int length = static_cast<int>(lastSeparator - path) + 1;
  if (length >= MAX_PATH) return false;
  lstrcpynW(directory, path, length + 1);
  return true;
}

DWORD writeTemporaryFile(const wchar_t* temporaryPath, const char* text) {
  HANDLE file = CreateFileW(temporaryPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastErrorOr(ERROR_ACCESS_DENIED);
  DWORD error = ERROR_SUCCESS;
  if (!writeText(file, text) || !FlushFileBuffers(file)) error = lastErrorOr(ERROR_WRITE_FAULT);
  if (!CloseHandle(file) && error == ERROR_SUCCESS) error = lastErrorOr(ERROR_WRITE_FAULT);
  return error;
}

DWORD renameOver(const wchar_t* temporaryPath, const wchar_t* path) {
  return MoveFileExW(temporaryPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? ERROR_SUCCESS
             : lastErrorOr(ERROR_ACCESS_DENIED);
}

DWORD writeAndRename(const wchar_t* temporaryPath, const wchar_t* path, const char* text) {
  const DWORD error = writeTemporaryFile(temporaryPath, text);
  if (error != ERROR_SUCCESS) return error;
  // A program that opened the old file since the check (a scanner that noticed the temporary
  // file) keeps the rename out for a moment too.
  return triedThroughHolds([=] { return renameOver(temporaryPath, path); });
}

bool finalPathOf(const wchar_t* path, wchar_t (&finalPath)[MAX_PATH]) {
  if (resolveLinks(path, finalPath)) return true;
  const DWORD length = GetFullPathNameW(path, MAX_PATH, finalPath, nullptr);
  return length != 0 && length < MAX_PATH;
}

DWORD replaceFileWith(const wchar_t* path, const char* text) {
  DWORD error = checkReplaceable(path);
  if (error != ERROR_SUCCESS) return error;
  wchar_t directory[MAX_PATH] = {};
  if (!directoryOf(path, directory)) return ERROR_FILENAME_EXCED_RANGE;
  wchar_t temporaryPath[MAX_PATH] = {};
  if (GetTempFileNameW(directory, L"qlx", 0, temporaryPath) == 0)
    return lastErrorOr(ERROR_ACCESS_DENIED);
  error = writeAndRename(temporaryPath, path, text);
  if (error != ERROR_SUCCESS) DeleteFileW(temporaryPath);
  return error;
}

}  // namespace

DWORD readWholeFile(const wchar_t* path, DWORD largestBytes, unsigned char*& data,
                    unsigned long long& size) {
  data = nullptr;
  size = 0;
  // Opening a directory fails for want of access; say what it is instead.
  const DWORD attributes = GetFileAttributesW(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return ERROR_DIRECTORY;
  const DWORD error =
      triedThroughHolds([&] { return readFileOnce(path, largestBytes, data, size); });
  if (error != ERROR_SUCCESS && error != ERROR_FILE_TOO_LARGE) size = 0;
  return error;
}

void releaseWholeFile(unsigned char*& data) {
  if (data != nullptr) HeapFree(GetProcessHeap(), 0, data);
  data = nullptr;
}

bool isMissingFile(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND;
}

DWORD startUpReadError = ERROR_SUCCESS;

DWORD loadSettings() {
  unsigned char* data = nullptr;
  unsigned long long size = 0;
  // The editor reads whatever is there: a file too large for morvane-config is still a file.
  const DWORD error = readWholeFile(settingsFileNameW.text, 0, data, size);
  settings = settingsOfFile(data, static_cast<size_t>(size), refreshStepCount, settings.language);
  releaseWholeFile(data);
  startUpReadError = isMissingFile(error) ? ERROR_SUCCESS : error;
  return startUpReadError;
}

DWORD rereadSettingsFile() {
  unsigned char* data = nullptr;
  unsigned long long size = 0;
  const DWORD error = readWholeFile(settingsFileNameW.text, 0, data, size);
  releaseWholeFile(data);
  return error;
}

void finalPathOrName(const wchar_t* path, wchar_t (&target)[MAX_PATH]) {
  // Where the full path cannot be had, the name as it is still leads to the file.
  if (!finalPathOf(path, target)) lstrcpynW(target, path, MAX_PATH);
}

void settingsFilePath(wchar_t (&path)[MAX_PATH]) {
  finalPathOrName(settingsFileNameW.text, path);
}

DWORD replaceThroughLinks(const wchar_t* path, const char* text, wchar_t (&target)[MAX_PATH]) {
  finalPathOrName(path, target);
  return replaceFileWith(target, text);
}

DWORD replaceSettingsFileHere(const char* text, wchar_t (&target)[MAX_PATH]) {
  return replaceThroughLinks(settingsFileNameW.text, text, target);
}
