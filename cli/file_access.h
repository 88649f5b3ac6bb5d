// The settings file on disk for the command line: read whole, and replaced safely.
#pragma once

#include <cstddef>

// Why a file could not be read or replaced, as one line for stderr without its line end:
// the file, the step that failed and the system's reason.
struct FileError {
  char text[512];
};

// A file's bytes in a buffer of its own; no buffer and `exists` false when there is no file.
struct FileBytes {
  unsigned char* data;
  size_t size;
  bool exists;
};

// Reads the whole file. A missing file is no error: it reads as absent. False, with the reason,
// when the file is there but cannot be read (a directory, no permission, a failed read).
bool readSettingsFile(const char* path, FileBytes& bytes, FileError& error);
void releaseFileBytes(FileBytes& bytes);

// Replaces the file with `text` (NUL-terminated) as Save does: a temporary file beside the
// target, every write checked, flushed, then renamed over the old file. A link stays a link:
// the file it leads to is replaced. A read-only file or a directory is refused. On failure the
// old file keeps its bytes and no temporary file is left.
bool replaceSettingsFile(const char* path, const char* text, FileError& error);
