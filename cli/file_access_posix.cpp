// The settings file through POSIX calls: the bounded read, the writers' lock and the safe
// replace.
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/file_access.h"
#include "cli/print.h"
#include "cli/escaped_name.h"

namespace {

// Links followed before giving up, as the kernel's own limit for a path.
constexpr int mostLinksFollowed = 40;

// Every writer of a directory's settings files holds the lock on that directory, so one name
// serves them all, and one left there is a dead writer's. Short enough beside any file name.
constexpr char temporaryName[] = ".morvane-config.tmp";

// How long a writer waits for another one, and how often it looks.
constexpr long lockPollMs = 20;
constexpr long lockWaitMs = 3000;

// Fills the error as "<path>: <what>: <reason>" and answers false.
bool fail(FileError& error, const char* path, const char* what, const char* reason) {
  formatInto(error.text, sizeof error.text, "%s: %s: %s", escapedName(path).text, what, reason);
  return false;
}

bool fail(FileError& error, const char* path, const char* what, int reason) {
  return fail(error, path, what, std::strerror(reason));
}

// What a file that is not a regular one is, as a message names it.
struct FileKind {
  mode_t type;
  const char* name;
};
constexpr FileKind otherKinds[] = {
    {S_IFDIR,  "it is a directory"                   },
    {S_IFIFO,  "it is a FIFO, not a regular file"    },
    {S_IFCHR,  "it is a character device, not a file"},
    {S_IFBLK,  "it is a block device, not a file"    },
    {S_IFSOCK, "it is a socket, not a regular file"  },
};

const char* kindOf(mode_t mode) {
  for (const FileKind& kind : otherKinds)
    if ((mode & S_IFMT) == kind.type) return kind.name;
  return "it is not a regular file";
}

// Regular files only: opening anything else may block (a FIFO) or do things (a device).
bool isReadable(const struct stat& status, const char* path, const char* what, FileError& error) {
  if (!S_ISREG(status.st_mode)) return fail(error, path, what, kindOf(status.st_mode));
  const auto bytes = static_cast<unsigned long long>(status.st_size);
  if (bytes <= largestSettingsFileBytes) return true;
  return fail(error, path, what, oversizeReason(bytes).text);
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

// Drops the last name of an absolute path; "/" stays.
void dropLastName(char (&path)[PATH_MAX]) {
  char* slash = std::strrchr(path, '/');
  slash[slash == path ? 1 : 0] = '\0';
}

// Takes the next name off the front of `rest` into `name`; false when none is left.
bool takeName(char (&rest)[PATH_MAX], char (&name)[PATH_MAX]) {
  const char* start = rest;
  while (*start == '/') ++start;
  const size_t length = std::strcspn(start, "/");
  std::memcpy(name, start, length);
  name[length] = '\0';
  std::memmove(rest, start + length, std::strlen(start + length) + 1);
  return length > 0;
}

bool onlySlashes(const char* text) {
  return text[std::strspn(text, "/")] == '\0';
}

// The kernel's rule for links in shared sticky directories, applied to every link: root does
// not follow one that another user owns, or a planted link would make it write any file.
bool mayFollow(const struct stat& link) {
  return geteuid() != 0 || link.st_uid == 0;
}

// Puts the link's text in front of what is left to walk and takes its name off `walked`.
bool spliceLink(char (&walked)[PATH_MAX], char (&rest)[PATH_MAX], const char* path,
                FileError& error) {
  char link[PATH_MAX];
  const ssize_t length = readlink(walked, link, sizeof link - 1);
  if (length < 0) return fail(error, path, "cannot read the link", errno);
  link[length] = '\0';
  char joined[PATH_MAX];
  const int joinedLength = std::snprintf(joined, sizeof joined, "%s/%s", link, rest);
  if (joinedLength < 0 || joinedLength >= PATH_MAX)
    return fail(error, path, "cannot follow the link", ENAMETOOLONG);
  std::strcpy(rest, joined);
  if (link[0] == '/')
    std::strcpy(walked, "/");
  else
    dropLastName(walked);
  return true;
}

// Walks path one name at a time, as the kernel does, into the absolute path of the file it
// leads to, with no link in it. The file itself need not exist (a dangling link names the
// file to create); its directory must.
bool resolveTarget(const char* path, char (&target)[PATH_MAX], FileError& error) {
  char rest[PATH_MAX];
  if (!copyPath(rest, path)) return fail(error, path, "cannot look at the file", ENAMETOOLONG);
  if (path[0] == '/')
    std::strcpy(target, "/");
  else if (getcwd(target, sizeof target) == nullptr)
    return fail(error, path, "cannot find the working directory", errno);
  int linksFollowed = 0;
  char name[PATH_MAX];
  while (takeName(rest, name)) {
    if (std::strcmp(name, ".") == 0) continue;
    if (std::strcmp(name, "..") == 0) {
      dropLastName(target);
      continue;
    }
    char walked[PATH_MAX];
    if (!joinPath(walked, target, name))
      return fail(error, path, "cannot look at the file", ENAMETOOLONG);
    std::strcpy(target, walked);
    struct stat status {};
    if (lstat(target, &status) != 0) {
      const bool isNewFile = errno == ENOENT && onlySlashes(rest);
      return isNewFile || fail(error, path, "cannot reach it", errno);
    }
    if (!S_ISLNK(status.st_mode)) continue;
    if (++linksFollowed > mostLinksFollowed)
      return fail(error, path, "cannot follow the link", ELOOP);
    if (!mayFollow(status)) {
      char reason[PATH_MAX + 64];
      formatInto(reason, sizeof reason, "the link %s belongs to another user",
                 escapedName(target).text);
      return fail(error, path, "root does not write through it", reason);
    }
    if (!spliceLink(target, rest, path, error)) return false;
  }
  return true;
}

// The old file's owner, group and permission bits, or what a new file gets.
struct Ownership {
  bool fileExists;
  uid_t owner;
  gid_t group;
  mode_t mode;
};

bool ownershipForReplacement(const char* path, const char* target, Ownership& ownership,
                             FileError& error) {
  struct stat status {};
  if (stat(target, &status) != 0) {
    if (errno != ENOENT) return fail(error, path, "cannot look at the file", errno);
    const mode_t mask = umask(0);
    umask(mask);
    ownership = Ownership{false, 0, 0, static_cast<mode_t>(0666 & ~mask)};
    return true;
  }
  if (!isReadable(status, path, "cannot replace it", error)) return false;
  // Root may write a file without any write permission; the editor leaves such a file alone.
  if ((status.st_mode & 0222) == 0) return failAsReadOnly(path, error);
  if (access(target, W_OK) != 0) return fail(error, path, "the file is read-only", errno);
  ownership = Ownership{true, status.st_uid, status.st_gid, status.st_mode & 07777};
  return true;
}

// As `sed -i` does: the owner and group where the caller may give them, the group alone
// where only that is allowed, else the caller's; then the bits, which a change of owner clears.
void carryOwnership(int file, const Ownership& ownership) {
  if (!ownership.fileExists) return;
  if (fchown(file, ownership.owner, ownership.group) != 0) {
    const int ignored = fchown(file, static_cast<uid_t>(-1), ownership.group);
    (void)ignored;
  }
}

bool writeTemporary(int file, const char* text, const Ownership& ownership, const char* path,
                    FileError& error) {
  if (!writeAll(file, text, std::strlen(text)))
    return fail(error, path, "cannot write the temporary file", errno);
  carryOwnership(file, ownership);
  if (fchmod(file, ownership.mode) != 0)
    return fail(error, path, "cannot set the temporary file's permissions", errno);
  if (fsync(file) != 0) return fail(error, path, "cannot flush the temporary file", errno);
  return true;
}

// The rename is only lasting once the directory that records it is flushed too.
bool flushDirectory(const char* directory, const char* path, FileError& error) {
  const int file = open(directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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

// At most one byte more than a settings file may have, so that a file grown since its size
// was looked at is still refused.
bool readOpenFile(int file, const char* path, FileBytes& bytes, FileError& error) {
  struct stat status {};
  if (fstat(file, &status) != 0) return fail(error, path, "cannot look at it", errno);
  if (!isReadable(status, path, "cannot read it", error)) return false;
  bytes.data = static_cast<unsigned char*>(std::malloc(largestSettingsFileBytes + 1));
  if (bytes.data == nullptr) return fail(error, path, "cannot read it", ENOMEM);
  if (!readAll(file, bytes.data, largestSettingsFileBytes + 1, bytes.size))
    return fail(error, path, "cannot read it", errno);
  if (bytes.size > largestSettingsFileBytes)
    return fail(error, path, "cannot read it", "it grew beyond a settings file's size");
  bytes.exists = true;
  return true;
}

// The temporary file's full name, kept where a signal handler can reach it, and whether it
// may exist now. Written before the file is made, so that no moment leaves one unknown.
char temporaryPath[PATH_MAX];
volatile sig_atomic_t temporaryMayExist = 0;

constexpr int cleanedUpSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Only async-signal-safe calls: the file goes, then the signal ends the process as it would
// have without this handler, so that the caller sees the same status.
extern "C" void removeTemporaryAndDie(int signalNumber) {
  if (temporaryMayExist) unlink(temporaryPath);
  raise(signalNumber);
}

void removeTemporaryOnSignals() {
  struct sigaction action {};
  action.sa_handler = removeTemporaryAndDie;
  action.sa_flags = static_cast<int>(SA_RESETHAND);
  sigemptyset(&action.sa_mask);
  for (const int signalNumber : cleanedUpSignals) sigaddset(&action.sa_mask, signalNumber);
  for (const int signalNumber : cleanedUpSignals) sigaction(signalNumber, &action, nullptr);
}

bool createTemporary(const char* directory, const char* path, int& file, FileError& error) {
  if (!joinPath(temporaryPath, directory, temporaryName))
    return fail(error, path, "cannot create a temporary file beside it", ENAMETOOLONG);
  removeTemporaryOnSignals();
  temporaryMayExist = 1;
  file = open(temporaryPath, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (file >= 0) return true;
  const int reason = errno;
  temporaryMayExist = 0;
  return fail(error, path, "cannot create a temporary file beside it", reason);
}

void sleepMs(long milliseconds) {
  struct timespec pause {};
  pause.tv_sec = milliseconds / 1000;
  pause.tv_nsec = (milliseconds % 1000) * 1000000L;
  nanosleep(&pause, nullptr);
}

// Polls rather than blocks, so that the wait has an end. Answers 0 with the lock, EWOULDBLOCK
// when another writer kept it all the time, or the reason the system cannot lock at all.
int waitForLock(int directory) {
  for (long waitedMs = 0;; waitedMs += lockPollMs) {
    if (flock(directory, LOCK_EX | LOCK_NB) == 0) return 0;
    if (errno != EWOULDBLOCK && errno != EINTR) return errno;
    if (waitedMs >= lockWaitMs) return EWOULDBLOCK;
    sleepMs(lockPollMs);
  }
}

}  // namespace

bool readSettingsFile(const char* path, FileBytes& bytes, FileError& error) {
  bytes = FileBytes{nullptr, 0, false};
  struct stat status {};
  if (stat(path, &status) != 0) {
    // No file yet reads as the defaults; a directory that is not there either is more likely a
    // typing error, and is one on Windows too.
    const int reason = errno;
    return (reason == ENOENT && directoryOfExists(path)) ||
           fail(error, path, "cannot read it", reason);
  }
  if (!isReadable(status, path, "cannot read it", error)) return false;
  // Should the file have been swapped for a FIFO since, the open must not wait for a writer.
  const int file = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (file < 0) return fail(error, path, "cannot read it", errno);
  const bool ok = readOpenFile(file, path, bytes, error);
  close(file);
  if (!ok) releaseFileBytes(bytes);
  return ok;
}

void releaseFileBytes(FileBytes& bytes) {
  std::free(bytes.data);
  bytes = FileBytes{nullptr, 0, false};
}

// The lock is on the target's directory: unlike the file, it stays the same object across the
// rename, and it covers the temporary file, which lets the holder remove a dead writer's one.
bool lockForWriting(const char* path, WriteLock& lock, FileError& error) {
  lock.handle = -1;
  char target[PATH_MAX];
  if (!resolveTarget(path, target, error)) return false;
  char directory[PATH_MAX];
  const char* name = nullptr;
  splitPath(target, directory, name);
  if (std::strcmp(name, temporaryName) == 0)
    return fail(error, path, "cannot replace it", "its name is the one its temporary file takes");
  const int file = open(directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (file < 0) return fail(error, path, "cannot open its directory to lock it", errno);
  const int lockError = waitForLock(file);
  if (lockError != 0) {
    close(file);
    return lockError == EWOULDBLOCK
               ? fail(error, path, "cannot write it", "another program is writing it")
               : fail(error, path, "cannot lock its directory", lockError);
  }
  if (unlinkat(file, temporaryName, 0) != 0 && errno != ENOENT) {
    const int reason = errno;
    close(file);
    return fail(error, path, "cannot remove the temporary file a stopped writer left", reason);
  }
  lock.handle = file;
  return true;
}

void releaseWriteLock(WriteLock& lock) {
  if (lock.handle >= 0) close(static_cast<int>(lock.handle));
  lock.handle = -1;
}

bool replaceSettingsFile(const char* path, const char* text, FileError& error) {
  char target[PATH_MAX];
  Ownership ownership{};
  if (!resolveTarget(path, target, error) ||
      !ownershipForReplacement(path, target, ownership, error))
    return false;
  char directory[PATH_MAX];
  const char* name = nullptr;
  splitPath(target, directory, name);
  int file = -1;
  if (!createTemporary(directory, path, file, error)) return false;
  bool ok = writeTemporary(file, text, ownership, path, error);
  if (close(file) != 0 && ok) ok = fail(error, path, "cannot close the temporary file", errno);
  if (ok && rename(temporaryPath, target) != 0)
    ok = fail(error, path, "cannot rename the temporary file over it", errno);
  if (!ok) unlink(temporaryPath);
  temporaryMayExist = 0;
  return ok && flushDirectory(directory, path, error);
}
