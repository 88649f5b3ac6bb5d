// The settings file on Windows: the editor's own whole-file read and safe replace.
#include <windows.h>

#include "cli/file_access.h"
#include "cli/print.h"
#include "settings/settings_file.h"

namespace {

// Fills the error as "<path>: <what>: <the system's text>" and answers false.
bool fail(FileError& error, const char* path, const char* what, DWORD code) {
  char reason[256] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, reason, sizeof reason, nullptr);
  // The system's text ends in a line end (and often a full stop) that a one-line message lacks.
  DWORD end = length;
  while (end > 0 && (reason[end - 1] == '\r' || reason[end - 1] == '\n' || reason[end - 1] == '.'))
    --end;
  reason[end] = '\0';
  if (end == 0) formatInto(reason, sizeof reason, "error %lu", static_cast<unsigned long>(code));
  formatInto(error.text, sizeof error.text, "%s: %s: %s", path, what, reason);
  return false;
}

// The command line's paths are UTF-8; the file functions take UTF-16, so any name works
// whatever the ANSI code page. False when the path is no UTF-8 or too long.
bool widePath(const char* path, wchar_t (&wide)[MAX_PATH]) {
  return MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, MAX_PATH) != 0;
}

}  // namespace

bool readSettingsFile(const char* path, FileBytes& bytes, FileError& error) {
  bytes = FileBytes{nullptr, 0, false};
  wchar_t wide[MAX_PATH] = {};
  if (!widePath(path, wide)) return fail(error, path, "cannot read it", GetLastError());
  unsigned char* data = nullptr;
  DWORD size = 0;
  const DWORD code = readWholeFile(wide, data, size);
  if (code != ERROR_SUCCESS)
    return isMissingFile(code) || fail(error, path, "cannot read it", code);
  bytes = FileBytes{data, size, true};
  return true;
}

void releaseFileBytes(FileBytes& bytes) {
  releaseWholeFile(bytes.data);
  bytes = FileBytes{nullptr, 0, false};
}

bool replaceSettingsFile(const char* path, const char* text, FileError& error) {
  // Through a link the file it leads to is replaced, so the link stays; where that cannot be
  // told (Windows XP), the name as given.
  wchar_t wide[MAX_PATH] = {};
  if (!widePath(path, wide)) return fail(error, path, "cannot replace it", GetLastError());
  wchar_t target[MAX_PATH] = {};
  if (!finalPathOf(wide, target)) lstrcpynW(target, wide, MAX_PATH);
  const DWORD code = replaceFileWith(target, text);
  return code == ERROR_SUCCESS || fail(error, path, "cannot replace it", code);
}
