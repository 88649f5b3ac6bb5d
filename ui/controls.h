// The 22 child controls: their catalogue with the fixed lists' entries, and the builder.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/handles.h"

enum class ControlKind { pushButton, untabbedPushButton, checkBox, dropDownList };

// Which of the three display-order rows a control follows, if any.
enum class RowPlace { fixed, framerateRow, clockRow, textureMassRow };

// Which entries a drop-down list is filled with.
enum class ListFill { none, corner, clock, memory, refresh, fsaa };

// handle, kind, x German/English, y (offset from its row for order rows), row,
// width German/English, height, text German/English, list entries
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

inline constexpr int controlCount = 22;
extern const ControlRow controlCatalogue[controlCount];

// The y of a row's control in display order `order` (0-5), at 96 DPI.
int controlY(const ControlRow& row, int32_t order);

// The main window's title, German and English.
extern const char* const windowTitles[2];

// Column of every two-language entry: 0 German, 1 English.
int languageColumn();

// Destroys and re-creates all 22 controls in the current language and display order.
void buildControls();
