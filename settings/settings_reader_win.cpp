// loadSettings: the Win32 side of reading "quenlix.ini".
#include <windows.h>

#include <memory>
#include <new>

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
  std::unique_ptr<unsigned char[]> buffer;
  DWORD bytesRead = 0;
  if (size != INVALID_FILE_SIZE && size != 0) {
    buffer.reset(new (std::nothrow) unsigned char[size]);
    if (buffer && !ReadFile(file, buffer.get(), size, &bytesRead, nullptr)) bytesRead = 0;
  }
  CloseHandle(file);
  readSettingsFrom(buffer.get(), bytesRead);
}
