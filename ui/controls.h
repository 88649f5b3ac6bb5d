// The window's controls: their catalogue with the fixed lists' entries, and the builder.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "settings/settings.h"
#include "settings/table_rows.h"

// One process-wide handle per control, null until its window is made; only buildControls writes
// them. The catalogue below names each one.
inline HWND cornerCombo;
inline HWND orderButton;
inline HWND framerateCheck;
inline HWND clockCombo;
inline HWND textureMassCheck;
inline HWND memoryCombo;
inline HWND palettedCheck;
inline HWND sharedPaletteCheck;
inline HWND packedPixelsCheck;
inline HWND directXVideosCheck;
inline HWND textureVideosCheck;
inline HWND fixedGammaCheck;
inline HWND refreshCombo;
inline HWND windowedCheck;
inline HWND centredCheck;
inline HWND captureMouseCheck;
inline HWND windowExtrasCheck;
inline HWND desktopResCheck;
inline HWND fsaaCombo;
inline HWND languageButton;
inline HWND saveButton;
inline HWND quitButton;

// Quit alone is a push button without the tab-stop style.
enum class ControlKind { pushButton, pushButtonWithoutTabStop, checkBox, dropDownList };

// Which of the three display-order rows a control follows, if any.
enum class RowPlace { fixed, framerateRow, clockRow, textureMassRow };

// Which entries a drop-down list is filled with.
enum class ListFill { none, corner, clock, memory, refresh, fsaa };

// Whether Tab stops at a control: the order button is left out of the ring.
enum class Tab { inRing, skipped };

// handle, kind, x German/English, y (offset from its row for order rows), row,
// width German/English, height, text German/English, list entries, the record field it shows
// (none for the push buttons), Tab
struct ControlRow {
  HWND* handle;
  ControlKind kind;
  int x[2];
  int y;
  RowPlace row;
  int width[2];
  int height;
  const char* text[2];
  ListFill list;
  int32_t Settings::*field;
  Tab tab;
};

// German / English entries of the three fixed lists.
inline constexpr const char* cornerEntries[][2] = {
    {"keine",        "no"         },
    {"links oben",   "upper left" },
    {"rechts oben",  "upper right"},
    {"links unten",  "lower left" },
    {"rechts unten", "lower right"},
};

inline constexpr const char* clockEntries[][2] = {
    {"keine",       "no"          },
    {"digitale",    "digital"     },
    {"kl. analoge", "sm. analogue"},
    {"gr. analoge", "gr. analogue"},
};

inline constexpr const char* fsaaEntries[][2] = {
    {"kein", "no"},
    {"2x",   "2x"},
    {"4x",   "4x"},
    {"6x",   "6x"},
    {"8x",   "8x"},
};

// Creation order is also the children's order in the main window and the order Tab follows.
// One row per control reads better than any wrapping.
// clang-format off
inline constexpr ControlRow controlCatalogue[] = {
  {&cornerCombo,        ControlKind::dropDownList,             {5, 5},     32,  RowPlace::fixed,          {110, 110}, 200, {nullptr, nullptr},                                                 ListFill::corner,  &Settings::infoCorner,           Tab::inRing },
  {&orderButton,        ControlKind::pushButton,               {150, 140}, 5,   RowPlace::fixed,          {110, 110}, 20,  {"Reihenfolge", "Sequence"},                                        ListFill::none,    nullptr,                         Tab::skipped},
  {&framerateCheck,     ControlKind::checkBox,                 {120, 120}, 0,   RowPlace::framerateRow,   {150, 150}, 20,  {"Framerate", "Framerate"},                                         ListFill::none,    &Settings::showFramerate,        Tab::inRing },
  {&clockCombo,         ControlKind::dropDownList,             {25, 25},   -3,  RowPlace::clockRow,       {110, 110}, 200, {nullptr, nullptr},                                                 ListFill::clock,   &Settings::clockStyle,           Tab::inRing },
  {&textureMassCheck,   ControlKind::checkBox,                 {120, 120}, 0,   RowPlace::textureMassRow, {150, 150}, 20,  {"Texturmasse", "Texturemass"},                                     ListFill::none,    &Settings::showTextureMass,      Tab::inRing },
  {&memoryCombo,        ControlKind::dropDownList,             {305, 305}, 32,  RowPlace::fixed,          {50, 50},   200, {nullptr, nullptr},                                                 ListFill::memory,  &Settings::textureMemoryMb,      Tab::inRing },
  {&palettedCheck,      ControlKind::checkBox,                 {340, 340}, 65,  RowPlace::fixed,          {235, 235}, 20,  {"GL_EXT_paletted_texture", "GL_EXT_paletted_texture"},             ListFill::none,    &Settings::palettedTexture,      Tab::inRing },
  {&sharedPaletteCheck, ControlKind::checkBox,                 {340, 340}, 95,  RowPlace::fixed,          {235, 235}, 20,  {"GL_EXT_shared_texture_palette", "GL_EXT_shared_texture_palette"}, ListFill::none,    &Settings::sharedTexturePalette, Tab::inRing },
  {&packedPixelsCheck,  ControlKind::checkBox,                 {340, 340}, 125, RowPlace::fixed,          {235, 235}, 20,  {"GL_EXT_packed_pixels", "GL_EXT_packed_pixels"},                   ListFill::none,    &Settings::packedPixels,         Tab::inRing },
  {&directXVideosCheck, ControlKind::checkBox,                 {340, 340}, 155, RowPlace::fixed,          {205, 205}, 20,  {"DirectX f\xfcr Videos", "DirectX for videos"},                    ListFill::none,    &Settings::directXVideos,        Tab::inRing },
  {&textureVideosCheck, ControlKind::checkBox,                 {340, 340}, 185, RowPlace::fixed,          {205, 205}, 20,  {"Textur f\xfcr Videos", "Texture for videos"},                     ListFill::none,    &Settings::textureVideos,        Tab::inRing },
  {&fixedGammaCheck,    ControlKind::checkBox,                 {340, 340}, 215, RowPlace::fixed,          {155, 155}, 20,  {"Feste Gamma-Tabelle", "Fixed gamma-table"},                       ListFill::none,    &Settings::fixedGamma,           Tab::inRing },
  {&refreshCombo,       ControlKind::dropDownList,             {302, 302}, 242, RowPlace::fixed,          {53, 53},   200, {nullptr, nullptr},                                                 ListFill::refresh, &Settings::refreshIndex,         Tab::inRing },
  {&windowedCheck,      ControlKind::checkBox,                 {5, 5},     175, RowPlace::fixed,          {115, 115}, 20,  {"Fenstermodus", "Window-mode"},                                    ListFill::none,    &Settings::windowed,             Tab::inRing },
  {&centredCheck,       ControlKind::checkBox,                 {150, 150}, 175, RowPlace::fixed,          {115, 115}, 20,  {"Zentriert", "Centred"},                                           ListFill::none,    &Settings::centred,              Tab::inRing },
  {&captureMouseCheck,  ControlKind::checkBox,                 {5, 5},     205, RowPlace::fixed,          {140, 140}, 20,  {"Maus begrenzen", "Captured mouse"},                               ListFill::none,    &Settings::captureMouse,         Tab::inRing },
  {&windowExtrasCheck,  ControlKind::checkBox,                 {150, 150}, 205, RowPlace::fixed,          {130, 145}, 20,  {"Fenster extras", "Window extras"},                                ListFill::none,    &Settings::windowExtras,         Tab::inRing },
  {&desktopResCheck,    ControlKind::checkBox,                 {5, 5},     235, RowPlace::fixed,          {140, 140}, 20,  {"Desktopaufl\xf6sung", "Desktopresolution"},                       ListFill::none,    &Settings::desktopResolution,    Tab::inRing },
  {&fsaaCombo,          ControlKind::dropDownList,             {5, 5},     262, RowPlace::fixed,          {55, 55},   100, {nullptr, nullptr},                                                 ListFill::fsaa,    &Settings::fsaaIndex,            Tab::inRing },
  {&languageButton,     ControlKind::pushButton,               {30, 30},   315, RowPlace::fixed,          {150, 150}, 20,  {"Deutsch/English", "English/Deutsch"},                             ListFill::none,    nullptr,                         Tab::inRing },
  {&saveButton,         ControlKind::pushButton,               {300, 300}, 315, RowPlace::fixed,          {150, 150}, 20,  {"Speichern", "Save"},                                              ListFill::none,    nullptr,                         Tab::inRing },
  {&quitButton,         ControlKind::pushButtonWithoutTabStop, {470, 470}, 315, RowPlace::fixed,          {150, 150}, 20,  {"Beenden", "Quit"},                                                ListFill::none,    nullptr,                         Tab::inRing },
};
// clang-format on

inline constexpr size_t controlCount = std::size(controlCatalogue);

// The rows as the code walks them at run time; only catalogues.cpp names the table.
TableRows<ControlRow> catalogueRows();

// The y of a row's control in display order `order` (0-5), at 96 DPI.
int controlY(const ControlRow& row, int32_t order);

// The row of the control whose handle is `handle`; null for none.
const ControlRow* catalogueRowOf(HWND window);

// The main window's title, German and English.
extern const char* const windowTitles[2];

// Column of every two-language entry: 0 German, 1 English.
int languageColumn();

// Destroys and re-creates every control in the current language and display order.
void buildControls();
