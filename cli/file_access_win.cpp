// The settings file on Windows: the editor's own whole-file read and safe replace.
#include <windows.h>

#include "cli/file_access.h"
#include "cli/print.h"
#include "cli/wide_path_win.h"
#include "cli/escaped_name.h"
#include "settings/settings_file_win.h"
#include "settings/system_error_win.h"

namespace {

// Fills the error as "<path>: <what>: <the system's text>", in UTF-8 like all the program's
// output, and answers false. A one-line message ends without the system's full stop.
bool fail(FileError& error, const char* path, const char* what, const char* reason) {
  formatInto(error.text, sizeof error.text, "%s: %s: %s", escapedName(path).text, what, reason);
  return false;
}

bool fail(FileError& error, const char* path, const char* what, DWORD code) {
  wchar_t wideReason[256] = {};
  DWORD length = systemErrorText(code, wideReason, 256);
  if (length > 0 && wideReason[length - 1] == L'.') wideReason[--length] = L'\0';
  char reason[768] = {};
  if (length == 0 ||
      WideCharToMultiByte(CP_UTF8, 0, wideReason, -1, reason, sizeof reason, nullptr, nullptr) == 0)
    formatInto(reason, sizeof reason, "error %lu", static_cast<unsigned long>(code));
  return fail(error, path, what, reason);
}

}  // namespace

bool readSettingsFile(const char* path, FileBytes& bytes, FileError& error) {
  bytes = FileBytes{nullptr, 0, false};
  wchar_t wide[MAX_PATH] = {};
  if (!widePath(path, wide)) return fail(error, path, "cannot read it", GetLastError());
  unsigned char* data = nullptr;
  unsigned long long size = 0;
  const DWORD code = readWholeFile(wide, largestSettingsFileBytes, data, size);
  if (code == ERROR_FILE_TOO_LARGE)
    return fail(error, path, "cannot read it", oversizeReason(size).text);
  if (code != ERROR_SUCCESS)
    return isMissingFile(code) || fail(error, path, "cannot read it", code);
  bytes = FileBytes{data, static_cast<size_t>(size), true};
  return true;
}

void releaseFileBytes(FileBytes& bytes) {
  releaseWholeFile(bytes.data);
  bytes = FileBytes{nullptr, 0, false};
}

bool replaceSettingsFile(const char* path, const char* text, FileError& error) {
  wchar_t wide[MAX_PATH] = {};
  if (!widePath(path, wide)) return fail(error, path, "cannot replace it", GetLastError());
  wchar_t target[MAX_PATH] = {};
  const DWORD code = replaceThroughLinks(wide, text, target);
  if (code == ERROR_FILE_READ_ONLY) return failAsReadOnly(path, error);
  return code == ERROR_SUCCESS || fail(error, path, "cannot replace it", code);
}
