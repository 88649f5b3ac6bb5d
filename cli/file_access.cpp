// What the file access of every platform says alike.
#include "cli/file_access.h"

#include "cli/escaped_name.h"
#include "cli/print.h"

namespace {

// A size in decimal digits, by hand: not every C library's printf knows a 64-bit conversion.
void formatBytes(unsigned long long bytes, char (&out)[24]) {
  char reversed[24];
  int length = 0;
  do {
    reversed[length++] = static_cast<char>('0' + bytes % 10);
    bytes /= 10;
  } while (bytes != 0);
  for (int i = 0; i < length; ++i) out[i] = reversed[length - 1 - i];
  out[length] = '\0';
}

}  // namespace

OversizeReason oversizeReason(unsigned long long bytes) {
  char digits[24];
  formatBytes(bytes, digits);
  OversizeReason reason{};
  formatInto(reason.text, sizeof reason.text, "%s bytes, over %lu KiB", digits,
             static_cast<unsigned long>(largestSettingsFileBytes / 1024));
  return reason;
}

bool failAsReadOnly(const char* path, FileError& error) {
#ifdef _WIN32
  constexpr char advice[] = "untick Read-only in its Properties";
#else
  constexpr char advice[] = "make it writable with chmod u+w";
#endif
  formatInto(error.text, sizeof error.text, "%s: read-only file; %s", escapedName(path).text,
             advice);
  return false;
}
