// loadSettings: the Win32 side of reading "quenlix.ini".
#include <windows.h>

#include "settings/settings.h"
#include "settings/settings_reader.h"

void loadSettings() {
  applyDefaults();
  // No sharing: nobody can change the file while it is read.
  HANDLE file = CreateFileA(settingsFileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const DWORD size = GetFileSize(file, nullptr);
  // An unknown size or a failed allocation leaves the defaults; only bytes really read are parsed.
  // The process heap rather than new: it keeps the C++ runtime out of the release executables.
  void* buffer = nullptr;
  DWORD bytesRead = 0;
  if (size != INVALID_FILE_SIZE && size != 0) {
    buffer = HeapAlloc(GetProcessHeap(), 0, size);
    if (buffer != nullptr && !ReadFile(file, buffer, size, &bytesRead, nullptr)) bytesRead = 0;
  }
  CloseHandle(file);
  readSettingsFrom(static_cast<const unsigned char*>(buffer), bytesRead);
  if (buffer != nullptr) HeapFree(GetProcessHeap(), 0, buffer);
}
