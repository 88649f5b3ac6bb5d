// The settings file on Windows: the editor's own whole-file read and safe replace.
#include <windows.h>

#include "cli/file_access.h"
#include "cli/print.h"
#include "cli/shown_name.h"
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
  formatInto(error.text, sizeof error.text, "%s: %s: %s", shownName(path).text, what, reason);
  return false;
}

bool isMissing(DWORD code) {
  return code == ERROR_FILE_NOT_FOUND;
}

}  // namespace

bool readSettingsFile(const char* path, FileBytes& bytes, FileError& error) {
  bytes = FileBytes{nullptr, 0, false};
  // Opening a directory fails for want of access; say what it is instead.
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return fail(error, path, "cannot read it", ERROR_DIRECTORY);
  unsigned char* data = nullptr;
  DWORD size = 0;
  const DWORD code = readWholeFile(path, data, size);
  if (code != ERROR_SUCCESS) return isMissing(code) || fail(error, path, "cannot read it", code);
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
  char target[MAX_PATH] = {};
  if (!finalPathOf(path, target)) lstrcpynA(target, path, MAX_PATH);
  const DWORD code = replaceFileWith(target, text);
  return code == ERROR_SUCCESS || fail(error, path, "cannot replace it", code);
}
