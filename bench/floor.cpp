// The floor's window and its 22 controls, each made with one plain CreateWindowExA call.
#include "bench/floor.h"

#include <cstdio>

namespace {

enum class Entries { none, corner, clock, memory, refresh, fsaa };

// class, style, extended style, x German/English, y, width German/English, height,
// text German/English, list entries; the editor's catalogue in its first display order
struct FloorControl {
  const char* className;
  DWORD style;
  DWORD exStyle;
  int x[2];
  int y;
  int width[2];
  int height;
  const char* text[2];
  Entries entries;
};

// clang-format off
constexpr FloorControl floorControls[floorControlCount] = {
  {"COMBOBOX", 0x50200003, 0x200, {5, 5},     32,  {110, 110}, 200, {nullptr, nullptr},                                                 Entries::corner},
  {"BUTTON",   0x50030300, 0,     {150, 140}, 5,   {110, 110}, 20,  {"Reihenfolge", "Sequence"},                                        Entries::none},
  {"BUTTON",   0x50000003, 0,     {120, 120}, 60,  {150, 150}, 20,  {"Framerate", "Framerate"},                                         Entries::none},
  {"COMBOBOX", 0x50200003, 0x200, {25, 25},   82,  {110, 110}, 200, {nullptr, nullptr},                                                 Entries::clock},
  {"BUTTON",   0x50000003, 0,     {120, 120}, 110, {150, 150}, 20,  {"Texturmasse", "Texturemass"},                                     Entries::none},
  {"COMBOBOX", 0x50200003, 0x200, {305, 305}, 32,  {50, 50},   200, {nullptr, nullptr},                                                 Entries::memory},
  {"BUTTON",   0x50000003, 0,     {340, 340}, 65,  {235, 235}, 20,  {"GL_EXT_paletted_texture", "GL_EXT_paletted_texture"},             Entries::none},
  {"BUTTON",   0x50000003, 0,     {340, 340}, 95,  {235, 235}, 20,  {"GL_EXT_shared_texture_palette", "GL_EXT_shared_texture_palette"}, Entries::none},
  {"BUTTON",   0x50000003, 0,     {340, 340}, 125, {235, 235}, 20,  {"GL_EXT_packed_pixels", "GL_EXT_packed_pixels"},                   Entries::none},
  {"BUTTON",   0x50000003, 0,     {340, 340}, 155, {205, 205}, 20,  {"DirectX f\xfcr Videos", "DirectX for videos"},                    Entries::none},
  {"BUTTON",   0x50000003, 0,     {340, 340}, 185, {205, 205}, 20,  {"Textur f\xfcr Videos", "Texture for videos"},                     Entries::none},
  {"BUTTON",   0x50000003, 0,     {340, 340}, 215, {155, 155}, 20,  {"Feste Gamma-Tabelle", "Fixed gamma-table"},                       Entries::none},
  {"COMBOBOX", 0x50200003, 0x200, {302, 302}, 242, {53, 53},   200, {nullptr, nullptr},                                                 Entries::refresh},
  {"BUTTON",   0x50000003, 0,     {5, 5},     175, {115, 115}, 20,  {"Fenstermodus", "Window-mode"},                                    Entries::none},
  {"BUTTON",   0x50000003, 0,     {150, 150}, 175, {115, 115}, 20,  {"Zentriert", "Centred"},                                           Entries::none},
  {"BUTTON",   0x50000003, 0,     {5, 5},     205, {140, 140}, 20,  {"Maus begrenzen", "Captured mouse"},                               Entries::none},
  {"BUTTON",   0x50000003, 0,     {150, 150}, 205, {130, 145}, 20,  {"Fenster extras", "Window extras"},                                Entries::none},
  {"BUTTON",   0x50000003, 0,     {5, 5},     235, {140, 140}, 20,  {"Desktopaufl\xf6sung", "Desktopresolution"},                       Entries::none},
  {"COMBOBOX", 0x50200003, 0x200, {5, 5},     262, {55, 55},   100, {nullptr, nullptr},                                                 Entries::fsaa},
  {"BUTTON",   0x50030300, 0,     {30, 30},   315, {150, 150}, 20,  {"Deutsch/English", "English/Deutsch"},                             Entries::none},
  {"BUTTON",   0x50030300, 0,     {300, 300}, 315, {150, 150}, 20,  {"Speichern", "Save"},                                              Entries::none},
  {"BUTTON",   0x50020300, 0,     {470, 470}, 315, {150, 150}, 20,  {"Beenden", "Quit"},                                                Entries::none},
};
// clang-format on

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

constexpr const char* titles[2] = {"Morvane - Initialisierung     (Version1.3c)",
                                   "Morvane - initialization     (version1.3c)"};

LRESULT CALLBACK floorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

void addEntry(HWND list, const char* text) {
  SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

template <size_t count>
void addEntries(HWND list, const char* const (&entries)[count][2], int column) {
  for (const auto& entry : entries) addEntry(list, entry[column]);
}

void addNumber(HWND list, int number) {
  char text[8];
  std::snprintf(text, sizeof(text), "%3d", number);
  addEntry(list, text);
}

void fill(HWND list, Entries entries, int column, int refreshSteps) {
  switch (entries) {
    case Entries::corner:
      addEntries(list, cornerEntries, column);
      break;
    case Entries::clock:
      addEntries(list, clockEntries, column);
      break;
    case Entries::fsaa:
      addEntries(list, fsaaEntries, column);
      break;
    case Entries::memory:
      for (int megabytes = 8; megabytes <= 108; ++megabytes) addNumber(list, megabytes);
      break;
    case Entries::refresh:
      addEntry(list, "auto");
      for (int step = 1; step <= refreshSteps; ++step) addNumber(list, 55 + 5 * step);
      break;
    case Entries::none:
      break;
  }
}

}  // namespace

void registerFloorClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = floorWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "FloorWindow";
  RegisterClassA(&windowClass);
}

FloorWindow createFloorWindow(HINSTANCE instance) {
  FloorWindow floor{};
  floor.font =
      CreateFontA(16, 7, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS,
                  CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_DONTCARE, "TAHOMA");
  floor.window =
      CreateWindowExA(0, "FloorWindow", titles[0], WS_CLIPCHILDREN | WS_BORDER, CW_USEDEFAULT,
                      CW_USEDEFAULT, 640, 370, nullptr, nullptr, instance, nullptr);
  return floor;
}

void rebuildFloorControls(FloorWindow& floor, int language, int refreshSteps) {
  const int column = language != 0 ? 1 : 0;
  for (int i = 0; i < floorControlCount; ++i) {
    const FloorControl& control = floorControls[i];
    if (floor.controls[i] != nullptr) DestroyWindow(floor.controls[i]);
    floor.controls[i] = CreateWindowExA(
        control.exStyle, control.className, control.text[column], control.style, control.x[column],
        control.y, control.width[column], control.height, floor.window, nullptr, nullptr, nullptr);
    SendMessageA(floor.controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(floor.font), TRUE);
    fill(floor.controls[i], control.entries, column, refreshSteps);
  }
  SetWindowTextA(floor.window, titles[column]);
}

void rebuildFloorControlsOnce(FloorWindow& floor, int language, int refreshSteps) {
  SendMessageA(floor.window, WM_SETREDRAW, FALSE, 0);
  rebuildFloorControls(floor, language, refreshSteps);
  SendMessageA(floor.window, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(floor.window, nullptr, nullptr,
               RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
