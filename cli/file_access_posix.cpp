// The settings file through POSIX calls: the whole-file read and the safe replace.
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/file_access.h"

namespace {

// Links followed before giving up, as the kernel's own limit for a path.
constexpr int mostLinksFollowed = 40;

// Fills the error as "<path>: <what>: <reason>" and answers false.
bool fail(FileError& error, const char* path, const char* what, int reason) {
  std::snprintf(error.text, sizeof error.text, "%s: %s: %s", path, what, std::strerror(reason));
  return false;
}

bool readAll(int file, unsigned char* data, size_t size, size_t& got) {
  got = 0;
  while (got < size) {
    const ssize_t count = read(file, data + got, size - got);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    if (count == 0) break;
    got += static_cast<size_t>(count);
  }
  return true;
}

bool writeAll(int file, const char* text, size_t size) {
  size_t written = 0;
  while (written < size) {
    const ssize_t count = write(file, text + written, size - written);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    written += static_cast<size_t>(count);
  }
  return true;
}

bool copyPath(char (&out)[PATH_MAX], const char* path) {
  const int length = std::snprintf(out, PATH_MAX, "%s", path);
  return length >= 0 && length < PATH_MAX;
}

// directory/name in out; false when it does not fit. The root directory adds no second slash.
bool joinPath(char (&out)[PATH_MAX], const char* directory, const char* name) {
  const char* separator = std::strcmp(directory, "/") == 0 ? "" : "/";
  const int length = std::snprintf(out, PATH_MAX, "%s%s%s", directory, separator, name);
  return length >= 0 && length < PATH_MAX;
}

// The directory part of path ("." for a bare name) and the name after it.
void splitPath(const char* path, char (&directory)[PATH_MAX], const char*& name) {
  const char* slash = std::strrchr(path, '/');
  if (slash == nullptr) {
    std::strcpy(directory, ".");
    name = path;
  } else if (slash == path) {
    std::strcpy(directory, "/");
    name = slash + 1;
  } else {
    // A part of a path that fitted fits.
    std::memcpy(directory, path, static_cast<size_t>(slash - path));
    directory[slash - path] = '\0';
    name = slash + 1;
  }
}

// Follows links from path to the file they lead to, which need not exist yet (a dangling
// link names the file to create). The result is absolute, with no link in its directories.
bool resolveTarget(const char* path, char (&target)[PATH_MAX], FileError& error) {
  char current[PATH_MAX];
  if (!copyPath(current, path)) return fail(error, path, "cannot look at the file", ENAMETOOLONG);
  for (int followed = 0; followed <= mostLinksFollowed; ++followed) {
    struct stat status {};
    const bool exists = lstat(current, &status) == 0;
    if (!exists && errno != ENOENT) return fail(error, path, "cannot look at the file", errno);
    const bool isLink = exists && S_ISLNK(status.st_mode);
    char directory[PATH_MAX];
    const char* name = nullptr;
    splitPath(current, directory, name);
    if (!isLink) {
      char resolvedDirectory[PATH_MAX];
      if (realpath(directory, resolvedDirectory) == nullptr)
        return fail(error, path, "cannot find its directory", errno);
      return joinPath(target, resolvedDirectory, name) ||
             fail(error, path, "cannot find its directory", ENAMETOOLONG);
    }
    char link[PATH_MAX];
    const ssize_t length = readlink(current, link, sizeof link - 1);
    if (length < 0) return fail(error, path, "cannot read the link", errno);
    link[length] = '\0';
    const bool fits = link[0] == '/' ? copyPath(current, link) : joinPath(current, directory, link);
    if (!fits) return fail(error, path, "cannot follow the link", ENAMETOOLONG);
  }
  return fail(error, path, "cannot follow the link", ELOOP);
}

// The mode the replacement gets: the old file's permission bits, or what a new file gets.
bool modeForReplacement(const char* path, const char* target, mode_t& mode, FileError& error) {
  struct stat status {};
  if (stat(target, &status) != 0) {
    if (errno != ENOENT) return fail(error, path, "cannot look at the file", errno);
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
    return true;
  }
  if (S_ISDIR(status.st_mode)) return fail(error, path, "cannot replace it", EISDIR);
  if (!S_ISREG(status.st_mode)) return fail(error, path, "not a regular file", EINVAL);
  // Root may write a file without any write permission; the editor leaves such a file alone.
  if ((status.st_mode & 0222) == 0) return fail(error, path, "the file is read-only", EACCES);
  if (access(target, W_OK) != 0) return fail(error, path, "the file is read-only", errno);
  mode = status.st_mode & 07777;
  return true;
}

bool writeTemporary(int file, const char* text, mode_t mode, const char* path, FileError& error) {
  if (!writeAll(file, text, std::strlen(text)))
    return fail(error, path, "cannot write the temporary file", errno);
  if (fchmod(file, mode) != 0)
    return fail(error, path, "cannot set the temporary file's permissions", errno);
  if (fsync(file) != 0) return fail(error, path, "cannot flush the temporary file", errno);
  return true;
}

// The rename is only lasting once the directory that records it is flushed too.
bool flushDirectory(const char* directory, const char* path, FileError& error) {
  const int file = open(directory, O_RDONLY | O_DIRECTORY);
  if (file < 0) return fail(error, path, "cannot open its directory to flush it", errno);
  const bool flushed = fsync(file) == 0;
  const int reason = errno;
  close(file);
  return flushed || fail(error, path, "cannot flush its directory", reason);
}

bool directoryOfExists(const char* path) {
  char directory[PATH_MAX];
  const char* name = nullptr;
  splitPath(path, directory, name);
  struct stat status {};
  return stat(directory, &status) == 0 && S_ISDIR(status.st_mode);
}

bool readOpenFile(int file, const char* path, FileBytes& bytes, FileError& error) {
  struct stat status {};
  if (fstat(file, &status) != 0) return fail(error, path, "cannot look at it", errno);
  if (S_ISDIR(status.st_mode)) return fail(error, path, "cannot read it", EISDIR);
  if (!S_ISREG(status.st_mode)) return fail(error, path, "not a regular file", EINVAL);
  const size_t size = static_cast<size_t>(status.st_size);
  bytes.data = static_cast<unsigned char*>(std::malloc(size > 0 ? size : 1));
  if (bytes.data == nullptr) return fail(error, path, "cannot read it", ENOMEM);
  if (!readAll(file, bytes.data, size, bytes.size))
    return fail(error, path, "cannot read it", errno);
  bytes.exists = true;
  return true;
}

}  // namespace

bool readSettingsFile(const char* path, FileBytes& bytes, FileError& error) {
  bytes = FileBytes{nullptr, 0, false};
  const int file = open(path, O_RDONLY);
  if (file < 0) {
    // No file yet reads as the defaults; a directory that is not there either is more likely a
    // typing error, and is one on Windows too.
    const int reason = errno;
    return (reason == ENOENT && directoryOfExists(path)) ||
           fail(error, path, "cannot read it", reason);
  }
  const bool ok = readOpenFile(file, path, bytes, error);
  close(file);
  if (!ok) releaseFileBytes(bytes);
  return ok;
}

void releaseFileBytes(FileBytes& bytes) {
  std::free(bytes.data);
  bytes = FileBytes{nullptr, 0, false};
}

bool replaceSettingsFile(const char* path, const char* text, FileError& error) {
  char target[PATH_MAX];
  mode_t mode = 0;
  if (!resolveTarget(path, target, error) || !modeForReplacement(path, target, mode, error))
    return false;
  char directory[PATH_MAX];
  const char* name = nullptr;
  splitPath(target, directory, name);
  char temporaryName[NAME_MAX + 1];
  char temporary[PATH_MAX];
  const int nameLength = std::snprintf(temporaryName, sizeof temporaryName, ".%s.XXXXXX", name);
  if (nameLength < 0 || nameLength > NAME_MAX || !joinPath(temporary, directory, temporaryName))
    return fail(error, path, "cannot create a temporary file beside it", ENAMETOOLONG);
  const int file = mkstemp(temporary);
  if (file < 0) return fail(error, path, "cannot create a temporary file beside it", errno);
  bool ok = writeTemporary(file, text, mode, path, error);
  if (close(file) != 0 && ok) ok = fail(error, path, "cannot close the temporary file", errno);
  if (ok && rename(temporary, target) != 0)
    ok = fail(error, path, "cannot rename the temporary file over it", errno);
  if (!ok) {
    unlink(temporary);
    return false;
  }
  return flushDirectory(directory, path, error);
}
