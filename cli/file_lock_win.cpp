// The writers' lock on Windows: a named mutex per settings file.
#include <windows.h>

#include "cli/file_access.h"
#include "cli/print.h"
#include "cli/escaped_name.h"
#include "cli/wide_path_win.h"
#include "settings/settings_file_win.h"

namespace {

constexpr DWORD lockWaitMs = 3000;

// FNV-1a over the full path with its letters folded, as the file system folds them, so that
// every spelling of one file names one mutex.
unsigned long long foldedPathHash(const wchar_t* path) {
  unsigned long long hash = 14695981039346656037ULL;
  for (const wchar_t* at = path; *at != L'\0'; ++at) {
    wchar_t letter[2] = {*at, L'\0'};
    CharUpperBuffW(letter, 1);
    hash = (hash ^ static_cast<unsigned short>(letter[0])) * 1099511628211ULL;
  }
  return hash;
}

bool fail(FileError& error, const char* path, const char* reason) {
  formatInto(error.text, sizeof error.text, "%s: cannot write it: %s", escapedName(path).text,
             reason);
  return false;
}

}  // namespace

// The mutex is the system's: it goes with its last handle, so a writer that died holds
// nobody up, and a wait that ends in WAIT_ABANDONED has the lock like any other.
bool lockForWriting(const char* path, WriteLock& lock, FileError& error) {
  lock.handle = 0;
  wchar_t wide[MAX_PATH] = {};
  if (!widePath(path, wide)) return fail(error, path, "cannot make its lock");
  wchar_t target[MAX_PATH] = {};
  finalPathOrName(wide, target);
  char name[64];
  formatInto(name, sizeof name, "Local\\morvane-config-%08lx%08lx",
             static_cast<unsigned long>(foldedPathHash(target) >> 32),
             static_cast<unsigned long>(foldedPathHash(target) & 0xFFFFFFFFUL));
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
  if (mutex == nullptr) return fail(error, path, "cannot make its lock");
  const DWORD waited = WaitForSingleObject(mutex, lockWaitMs);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    CloseHandle(mutex);
    return fail(error, path, "another program is writing it");
  }
  lock.handle = reinterpret_cast<intptr_t>(mutex);
  return true;
}

void releaseWriteLock(WriteLock& lock) {
  if (lock.handle == 0) return;
  HANDLE mutex = reinterpret_cast<HANDLE>(lock.handle);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
  lock.handle = 0;
}
