// The window's tables as data, with the handles they name: the controls (and where the order
// rows put them), the focus ring and the exchange pairs. Apart from the code that walks them, so
// that the host build checks them without a window.
#include "settings/settings.h"
#include "ui/controls.h"
#include "ui/exchange.h"
#include "ui/focus.h"
#include "ui/handles.h"

HWND mainWindow;
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

int controlY(const ControlRow& row, int32_t order) {
  switch (row.row) {
    case RowPlace::framerateRow:
      return orderRowY(order, OrderItem::framerate) + row.y;
    case RowPlace::clockRow:
      return orderRowY(order, OrderItem::clock) + row.y;
    case RowPlace::textureMassRow:
      return orderRowY(order, OrderItem::textureMass) + row.y;
    case RowPlace::fixed:
      break;
  }
  return row.y;
}

const FocusStep focusSteps[focusStepCount] = {
    {&cornerCombo,        &framerateCheck    },
    {&framerateCheck,     &clockCombo        },
    {&clockCombo,         &textureMassCheck  },
    {&textureMassCheck,   &memoryCombo       },
    {&memoryCombo,        &palettedCheck     },
    {&palettedCheck,      &sharedPaletteCheck},
    {&sharedPaletteCheck, &packedPixelsCheck },
    {&packedPixelsCheck,  &directXVideosCheck},
    {&directXVideosCheck, &textureVideosCheck},
    {&textureVideosCheck, &fixedGammaCheck   },
    {&fixedGammaCheck,    &refreshCombo      },
    {&refreshCombo,       &windowedCheck     },
    {&windowedCheck,      &centredCheck      },
    {&centredCheck,       &captureMouseCheck },
    {&captureMouseCheck,  &windowExtrasCheck },
    {&windowExtrasCheck,  &desktopResCheck   },
    {&desktopResCheck,    &fsaaCombo         },
    {&fsaaCombo,          &languageButton    },
    {&languageButton,     &saveButton        },
    {&saveButton,         &quitButton        },
    {&quitButton,         &cornerCombo       },
    {&mainWindow,         &cornerCombo       },
};

const ExchangePair exchangePairs[exchangePairCount] = {
    {&palettedCheck,      &Settings::palettedTexture     },
    {&sharedPaletteCheck, &Settings::sharedTexturePalette},
    {&fixedGammaCheck,    &Settings::fixedGamma          },
    {&directXVideosCheck, &Settings::directXVideos       },
    {&textureVideosCheck, &Settings::textureVideos       },
    {&packedPixelsCheck,  &Settings::packedPixels        },
    {&textureMassCheck,   &Settings::showTextureMass     },
    {&windowedCheck,      &Settings::windowed            },
    {&captureMouseCheck,  &Settings::captureMouse        },
    {&framerateCheck,     &Settings::showFramerate       },
    {&centredCheck,       &Settings::centred             },
    {&desktopResCheck,    &Settings::desktopResolution   },
    {&windowExtrasCheck,  &Settings::windowExtras        },
    {&fsaaCombo,          &Settings::fsaaIndex           },
    {&refreshCombo,       &Settings::refreshIndex        },
    {&clockCombo,         &Settings::clockStyle          },
    {&cornerCombo,        &Settings::infoCorner          },
    {&memoryCombo,        &Settings::textureMemoryMb     },
};
