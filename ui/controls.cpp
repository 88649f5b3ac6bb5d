// The builder that walks the control catalogue.
#include "ui/controls.h"

#include "settings/refresh_rates.h"
#include "settings/settings.h"
#include "ui/accessible_names.h"
#include "ui/dpi.h"
#include "ui/main_window.h"

namespace {

// class, style word, extended style; indexed by ControlKind.
struct KindRow {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

constexpr DWORD childStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD pushButtonStyle = childStyle | WS_GROUP | BS_CENTER | BS_PUSHBUTTON;

constexpr KindRow kinds[] = {
    {"BUTTON",   pushButtonStyle | WS_TABSTOP,               0               },
    {"BUTTON",   pushButtonStyle,                            0               },
    {"BUTTON",   childStyle | BS_AUTOCHECKBOX,               0               },
    {"COMBOBOX", childStyle | WS_VSCROLL | CBS_DROPDOWNLIST, WS_EX_CLIENTEDGE},
};

// The style words the controls have always been made with.
static_assert(kinds[0].style == 0x50030300 && kinds[1].style == 0x50020300 &&
                  kinds[2].style == 0x50000003 && kinds[3].style == 0x50200003 &&
                  kinds[3].exStyle == 0x200,
              "a control kind's style changed");

void addEntry(HWND list, const char* text) {
  SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

template <size_t count>
void addEntries(HWND list, const char* const (&entries)[count][2], int column) {
  for (const auto& entry : entries) addEntry(list, entry[column]);
}

// Three characters, blanks in place of leading zeros: "  8", " 60", "108".
void addNumberEntry(HWND list, int number) {
  const char text[4] = {number >= 100 ? static_cast<char>('0' + number / 100) : ' ',
                        number >= 10 ? static_cast<char>('0' + number % 100 / 10) : ' ',
                        static_cast<char>('0' + number % 10), '\0'};
  addEntry(list, text);
}

void fillList(HWND list, ListFill fill, int column) {
  switch (fill) {
    case ListFill::corner:
      addEntries(list, cornerEntries, column);
      break;
    case ListFill::clock:
      addEntries(list, clockEntries, column);
      break;
    case ListFill::fsaa:
      addEntries(list, fsaaEntries, column);
      break;
    case ListFill::memory:
      for (int megabytes = lowestListedMemoryMb; megabytes <= highestMemoryMb; ++megabytes)
        addNumberEntry(list, megabytes);
      break;
    case ListFill::refresh:
      addEntry(list, "auto");
      for (int step = 1; step <= refreshStepCount; ++step) addNumberEntry(list, rateHzOfStep(step));
      break;
    case ListFill::none:
      break;
  }
}

void renewControl(const ControlRow& row, int column) {
  if (*row.handle != nullptr) DestroyWindow(*row.handle);
  const KindRow& kind = kinds[static_cast<int>(row.kind)];
  *row.handle = CreateWindowExA(
      kind.exStyle, kind.className, row.text[column], kind.style, scaledPx(row.x[column]),
      scaledPx(controlY(row, settings.displayOrder)), scaledPx(row.width[column]),
      scaledPx(row.height), mainWindow, nullptr, nullptr, nullptr);
  SendMessageA(*row.handle, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), 1);
  fillList(*row.handle, row.list, column);
}

}  // namespace

int languageColumn() {
  return settings.language != 0 ? 1 : 0;
}

void buildControls() {
  const int column = languageColumn();
  // Each old window goes just before its successor is made: never two windows for one control.
  for (const ControlRow& row : catalogueRows()) renewControl(row, column);
  nameListsForScreenReaders();
  SendMessageA(mainWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(windowTitles[column]));
}
