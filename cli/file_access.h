// The settings file on disk for the command line: read whole, locked and replaced safely.
#pragma once

#include <cstddef>
#include <cstdint>

// Why a file could not be read or replaced, as one line for stderr without its line end:
// the file, the step that failed and the system's reason.
struct FileError {
  char text[1024];
};

// A file's bytes in a buffer of its own; no buffer and `exists` false when there is no file.
struct FileBytes {
  unsigned char* data;
  size_t size;
  bool exists;
};

// Hand-edited settings files are a few hundred bytes; anything larger than this is some other
// file named by mistake, and is refused without being read whole, on every platform.
inline constexpr size_t largestSettingsFileBytes = 64 * 1024;

// Why a file of `bytes` is refused, as the error's reason: "70000 bytes, over 64 KiB".
struct OversizeReason {
  char text[128];
};
OversizeReason oversizeReason(unsigned long long bytes);

// Fills the error for a file that is refused because it is read-only: its name and, on the same
// line, how to make it writable on this platform. Answers false.
bool failAsReadOnly(const char* path, FileError& error);

// Reads the whole file. A missing file is no error: it reads as absent. False, with the reason,
// when the file is there but cannot be read (no regular file, too large, no permission, a
// failed read). Never waits on a FIFO or a device.
bool readSettingsFile(const char* path, FileBytes& bytes, FileError& error);
void releaseFileBytes(FileBytes& bytes);

// Keeps every other morvane-config from writing the same file until released, so that a
// read-change-replace is never undone by another one. The system releases it when its holder
// dies. Waits a few seconds for a holder to finish; false, with the reason, when it does not.
struct WriteLock {
  intptr_t handle;
};
bool lockForWriting(const char* path, WriteLock& lock, FileError& error);
void releaseWriteLock(WriteLock& lock);

// Replaces the file with `text` (NUL-terminated) as Save does: a temporary file beside the
// target, every write checked, flushed, then renamed over the old file. A link stays a link:
// the file it leads to is replaced. A read-only file or a directory is refused. On failure the
// old file keeps its bytes and no temporary file is left. Call it under the write lock.
bool replaceSettingsFile(const char* path, const char* text, FileError& error);
