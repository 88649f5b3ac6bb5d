// The writer's line table and the replace-in-one-step save.
#include "settings/settings_writer.h"

#include <cstring>

#include "app/shell.h"
#include "settings/settings.h"
#include "settings/settings_format.h"
#include "ui/controls.h"

namespace {

enum class LineSource { record, checkBox, listIndex, doubledListIndex };

// key, value width in digits, where the value comes from (a record field or a control)
struct FileLine {
  const char* key;
  int width;
  LineSource source;
  int32_t Settings::*field;
  HWND* control;
};

constexpr FileLine fileLines[] = {
    {"MEM:",                           3, LineSource::record,           &Settings::textureMemoryMb, nullptr            },
    {"GL_EXT_paletted_texture:",       1, LineSource::checkBox,         nullptr,                    &palettedCheck     },
    {"ZENTRIERT:",                     1, LineSource::checkBox,         nullptr,                    &centredCheck      },
    {"VERSTELLBAR:",                   1, LineSource::checkBox,         nullptr,                    &windowExtrasCheck },
    {"REFRESH:",                       2, LineSource::listIndex,        nullptr,                    &refreshCombo      },
    {"DESKTOPRES:",                    1, LineSource::checkBox,         nullptr,                    &desktopResCheck   },
    {"FSAA:",                          1, LineSource::doubledListIndex, nullptr,                    &fsaaCombo         },
    {"MAUSGRENZEN:",                   1, LineSource::checkBox,         nullptr,                    &captureMouseCheck },
    {"GL_EXT_shared_texture_palette:", 1, LineSource::checkBox,         nullptr,                    &sharedPaletteCheck},
    {"GL_EXT_packed_pixels:",          1, LineSource::checkBox,         nullptr,                    &packedPixelsCheck },
    {"WINDOWED:",                      1, LineSource::checkBox,         nullptr,                    &windowedCheck     },
    {"DIRECTXVIDEOS:",                 1, LineSource::checkBox,         nullptr,                    &directXVideosCheck},
    {"TEXTURVIDEOS:",                  1, LineSource::checkBox,         nullptr,                    &textureVideosCheck},
    {"FESTESGAMMA:",                   1, LineSource::checkBox,         nullptr,                    &fixedGammaCheck   },
    {"FPS:",                           1, LineSource::listIndex,        nullptr,                    &cornerCombo       },
    {"ANZEIGEFOLGE:",                  1, LineSource::record,           &Settings::displayOrder,    nullptr            },
    {"FRAMERATE:",                     1, LineSource::checkBox,         nullptr,                    &framerateCheck    },
    {"UHRZEIT:",                       1, LineSource::listIndex,        nullptr,                    &clockCombo        },
    {"STATS:",                         1, LineSource::checkBox,         nullptr,                    &textureMassCheck  },
    {"SPRACHE:",                       1, LineSource::record,           &Settings::language,        nullptr            },
};

// The value as it stands now. A list without a selection answers -1, which writes zeros.
int32_t lineValue(const FileLine& line) {
  switch (line.source) {
    case LineSource::record:
      return settings.*line.field;
    case LineSource::checkBox:
      return SendMessageA(*line.control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    case LineSource::listIndex:
      return static_cast<int32_t>(SendMessageA(*line.control, CB_GETCURSEL, 0, 0));
    case LineSource::doubledListIndex:
      return 2 * static_cast<int32_t>(SendMessageA(*line.control, CB_GETCURSEL, 0, 0));
  }
  return 0;
}

bool writeLine(HANDLE file, const FileLine& line) {
  char digits[4] = {};
  formatDigits(lineValue(line), line.width, digits);
  return writeText(file, line.key) && writeText(file, digits) && writeText(file, "\r\n");
}

bool writeAllLines(HANDLE file) {
  for (const FileLine& line : fileLines)
    if (!writeLine(file, line)) return false;
  return FlushFileBuffers(file) != 0;
}

// A rename would replace a read-only file where the platform allows it (Wine as root does),
// and one that another program holds open without sharing on some platforms: refuse both.
bool settingsFileReplaceable() {
  const DWORD attributes = GetFileAttributesA(settingsFileName);
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
  HANDLE probe = CreateFileA(settingsFileName, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return false;
  CloseHandle(probe);
  return true;
}

bool writeTemporaryFile(const char* temporaryName) {
  HANDLE file = CreateFileA(temporaryName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = writeAllLines(file);
  return CloseHandle(file) != 0 && written;
}

// German / English
constexpr const char* saveFailedText[2] = {"Die Einstellungen konnten nicht gespeichert werden.",
                                           "The settings could not be saved."};
constexpr const char* saveFailedCaption[2] = {"Ein Fehler trat auf.", "An error occurred."};

}  // namespace

bool writeText(HANDLE file, const char* text) {
  if (text == nullptr || *text == '\0') return true;
  if (file == nullptr || file == INVALID_HANDLE_VALUE) return false;
  const DWORD length = static_cast<DWORD>(std::strlen(text));
  DWORD written = 0;
  return WriteFile(file, text, length, &written, nullptr) && written == length;
}

bool writeSettingsFile() {
  if (!settingsFileReplaceable()) return false;
  char temporaryName[MAX_PATH] = {};
  if (GetTempFileNameA(".", "qlx", 0, temporaryName) == 0) return false;
  const bool saved = writeTemporaryFile(temporaryName) &&
                     MoveFileExA(temporaryName, settingsFileName,
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!saved) DeleteFileA(temporaryName);
  return saved;
}

void saveSettings() {
  if (writeSettingsFile()) return;
  const int column = languageColumn();
  MessageBoxA(mainWindow, saveFailedText[column], saveFailedCaption[column], MB_OK | MB_ICONERROR);
}
