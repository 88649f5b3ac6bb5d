// The control catalogue and the builder that walks it.
#include "ui/controls.h"

#include "settings/refresh_rates.h"
#include "settings/settings.h"
#include "ui/dpi.h"
#include "ui/main_window.h"

HWND cornerCombo;
HWND orderButton;
HWND framerateCheck;
HWND clockCombo;
HWND textureMassCheck;
HWND memoryCombo;
HWND palettedCheck;
HWND sharedPaletteCheck;
HWND packedPixelsCheck;
HWND directXVideosCheck;
HWND textureVideosCheck;
HWND fixedGammaCheck;
HWND refreshCombo;
HWND windowedCheck;
HWND centredCheck;
HWND captureMouseCheck;
HWND windowExtrasCheck;
HWND desktopResCheck;
HWND fsaaCombo;
HWND languageButton;
HWND saveButton;
HWND quitButton;

namespace {

// class, style word, extended style; indexed by ControlKind. Quit alone has no tab stop.
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

// German / English entries of the three fixed lists.
constexpr const char* cornerEntries[][2] = {
    {"keine",        "no"         },
    {"links oben",   "upper left" },
    {"rechts oben",  "upper right"},
    {"links unten",  "lower left" },
    {"rechts unten", "lower right"},
};

constexpr const char* clockEntries[][2] = {
    {"keine",       "no"          },
    {"digitale",    "digital"     },
    {"kl. analoge", "sm. analogue"},
    {"gr. analoge", "gr. analogue"},
};

constexpr const char* fsaaEntries[][2] = {
    {"kein", "no"},
    {"2x",   "2x"},
    {"4x",   "4x"},
    {"6x",   "6x"},
    {"8x",   "8x"},
};

int rowYFor(const ControlRow& row) {
  switch (row.row) {
    case RowPlace::framerateRow:
      return orderRowY(settings.displayOrder, OrderItem::framerate) + row.y;
    case RowPlace::clockRow:
      return orderRowY(settings.displayOrder, OrderItem::clock) + row.y;
    case RowPlace::textureMassRow:
      return orderRowY(settings.displayOrder, OrderItem::textureMass) + row.y;
    case RowPlace::fixed:
      break;
  }
  return row.y;
}

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
  *row.handle =
      CreateWindowExA(kind.exStyle, kind.className, row.text[column], kind.style,
                      scaledPx(row.x[column]), scaledPx(rowYFor(row)), scaledPx(row.width[column]),
                      scaledPx(row.height), mainWindow, nullptr, nullptr, nullptr);
  SendMessageA(*row.handle, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), 1);
  fillList(*row.handle, row.list, column);
}

}  // namespace

const char* const windowTitles[2] = {"Morvane - Initialisierung     (Version1.3c)",
                                     "Morvane - initialization     (version1.3c)"};

// Creation order is also the children's order in the main window. One row per control reads
// better than any wrapping.
// clang-format off
const ControlRow controlCatalogue[controlCount] = {
  {&cornerCombo,        ControlKind::dropDownList,       {5, 5},     32,  RowPlace::fixed,          {110, 110}, 200, {nullptr, nullptr},                                                 ListFill::corner},
  {&orderButton,        ControlKind::pushButton,         {150, 140}, 5,   RowPlace::fixed,          {110, 110}, 20,  {"Reihenfolge", "Sequence"},                                        ListFill::none},
  {&framerateCheck,     ControlKind::checkBox,           {120, 120}, 0,   RowPlace::framerateRow,   {150, 150}, 20,  {"Framerate", "Framerate"},                                         ListFill::none},
  {&clockCombo,         ControlKind::dropDownList,       {25, 25},   -3,  RowPlace::clockRow,       {110, 110}, 200, {nullptr, nullptr},                                                 ListFill::clock},
  {&textureMassCheck,   ControlKind::checkBox,           {120, 120}, 0,   RowPlace::textureMassRow, {150, 150}, 20,  {"Texturmasse", "Texturemass"},                                     ListFill::none},
  {&memoryCombo,        ControlKind::dropDownList,       {305, 305}, 32,  RowPlace::fixed,          {50, 50},   200, {nullptr, nullptr},                                                 ListFill::memory},
  {&palettedCheck,      ControlKind::checkBox,           {340, 340}, 65,  RowPlace::fixed,          {235, 235}, 20,  {"GL_EXT_paletted_texture", "GL_EXT_paletted_texture"},             ListFill::none},
  {&sharedPaletteCheck, ControlKind::checkBox,           {340, 340}, 95,  RowPlace::fixed,          {235, 235}, 20,  {"GL_EXT_shared_texture_palette", "GL_EXT_shared_texture_palette"}, ListFill::none},
  {&packedPixelsCheck,  ControlKind::checkBox,           {340, 340}, 125, RowPlace::fixed,          {235, 235}, 20,  {"GL_EXT_packed_pixels", "GL_EXT_packed_pixels"},                   ListFill::none},
  {&directXVideosCheck, ControlKind::checkBox,           {340, 340}, 155, RowPlace::fixed,          {205, 205}, 20,  {"DirectX f\xfcr Videos", "DirectX for videos"},                    ListFill::none},
  {&textureVideosCheck, ControlKind::checkBox,           {340, 340}, 185, RowPlace::fixed,          {205, 205}, 20,  {"Textur f\xfcr Videos", "Texture for videos"},                     ListFill::none},
  {&fixedGammaCheck,    ControlKind::checkBox,           {340, 340}, 215, RowPlace::fixed,          {155, 155}, 20,  {"Feste Gamma-Tabelle", "Fixed gamma-table"},                       ListFill::none},
  {&refreshCombo,       ControlKind::dropDownList,       {302, 302}, 242, RowPlace::fixed,          {53, 53},   200, {nullptr, nullptr},                                                 ListFill::refresh},
  {&windowedCheck,      ControlKind::checkBox,           {5, 5},     175, RowPlace::fixed,          {115, 115}, 20,  {"Fenstermodus", "Window-mode"},                                    ListFill::none},
  {&centredCheck,       ControlKind::checkBox,           {150, 150}, 175, RowPlace::fixed,          {115, 115}, 20,  {"Zentriert", "Centred"},                                           ListFill::none},
  {&captureMouseCheck,  ControlKind::checkBox,           {5, 5},     205, RowPlace::fixed,          {140, 140}, 20,  {"Maus begrenzen", "Captured mouse"},                               ListFill::none},
  {&windowExtrasCheck,  ControlKind::checkBox,           {150, 150}, 205, RowPlace::fixed,          {130, 145}, 20,  {"Fenster extras", "Window extras"},                                ListFill::none},
  {&desktopResCheck,    ControlKind::checkBox,           {5, 5},     235, RowPlace::fixed,          {140, 140}, 20,  {"Desktopaufl\xf6sung", "Desktopresolution"},                       ListFill::none},
  {&fsaaCombo,          ControlKind::dropDownList,       {5, 5},     262, RowPlace::fixed,          {55, 55},   100, {nullptr, nullptr},                                                 ListFill::fsaa},
  {&languageButton,     ControlKind::pushButton,         {30, 30},   315, RowPlace::fixed,          {150, 150}, 20,  {"Deutsch/English", "English/Deutsch"},                             ListFill::none},
  {&saveButton,         ControlKind::pushButton,         {300, 300}, 315, RowPlace::fixed,          {150, 150}, 20,  {"Speichern", "Save"},                                              ListFill::none},
  {&quitButton,         ControlKind::untabbedPushButton, {470, 470}, 315, RowPlace::fixed,          {150, 150}, 20,  {"Beenden", "Quit"},                                                ListFill::none},
};
// clang-format on

int languageColumn() {
  return settings.language != 0 ? 1 : 0;
}

void buildControls() {
  const int column = languageColumn();
  // Each old window goes just before its successor is made: never two windows for one control.
  for (const ControlRow& row : controlCatalogue) renewControl(row, column);
  SendMessageA(mainWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(windowTitles[column]));
}
