// The window as the tests expect it, written out by hand apart from the product's catalogue, so
// that a slip in either shows: every control in creation order with its class, style, place,
// size, texts, list entries, the file key of the setting it shows and whether Tab visits it.
// Every test, the bench and the soak take the window's facts from here.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// The entries of a drop-down list: fixed texts in German and English, or numbers.
enum class ReferenceList { none, corner, clock, memory, refresh, fsaa };

// The three controls whose row follows the display order; every other control has a fixed y.
enum class OrderRow { none, framerate, clock, textureMass };

// A value away from the default: as the control shows it (check state or entry index), as the
// record holds it and as Save writes its digits.
struct OtherValue {
  int shown;
  int stored;
  const char* digits;
};

// name, class, style, extended style, x German/English, y (for order rows: see referenceOrderRows),
// order row, width German/English, height (lists: dropped down), text German/English ("" for
// lists), list entries, file key of the setting shown (null: none), Tab visits it, the default as
// shown, another value
struct ReferenceControl {
  const char* name;
  const char* className;
  unsigned long style;
  unsigned long exStyle;
  int x[2];
  int y;
  OrderRow orderRow;
  int width[2];
  int height;
  const char* text[2];
  ReferenceList list;
  const char* fileKey;
  bool inTabRing;
  int defaultShown;
  OtherValue other;
};

// No value: push buttons show none.
inline constexpr OtherValue noValue = {-1, -1, nullptr};

// clang-format off
inline constexpr ReferenceControl referenceControls[] = {
  {"cornerCombo",        "COMBOBOX", 0x50200003, 0x200, {5, 5},     32,  OrderRow::none,        {110, 110}, 200, {"", ""},                                                          ReferenceList::corner,  "FPS:",                           true,  0,  {4, 4, "4"}},
  {"orderButton",        "BUTTON",   0x50030300, 0,     {150, 140}, 5,   OrderRow::none,        {110, 110}, 20,  {"Reihenfolge", "Sequence"},                                       ReferenceList::none,    nullptr,                          false, -1, noValue},
  {"framerateCheck",     "BUTTON",   0x50000003, 0,     {120, 120}, 0,   OrderRow::framerate,   {150, 150}, 20,  {"Framerate", "Framerate"},                                        ReferenceList::none,    "FRAMERATE:",                     true,  1,  {0, 0, "0"}},
  {"clockCombo",         "COMBOBOX", 0x50200003, 0x200, {25, 25},   0,   OrderRow::clock,       {110, 110}, 200, {"", ""},                                                          ReferenceList::clock,   "UHRZEIT:",                       true,  0,  {2, 2, "2"}},
  {"textureMassCheck",   "BUTTON",   0x50000003, 0,     {120, 120}, 0,   OrderRow::textureMass, {150, 150}, 20,  {"Texturmasse", "Texturemass"},                                    ReferenceList::none,    "STATS:",                         true,  0,  {1, 1, "1"}},
  {"memoryCombo",        "COMBOBOX", 0x50200003, 0x200, {305, 305}, 32,  OrderRow::none,        {50, 50},   200, {"", ""},                                                          ReferenceList::memory,  "MEM:",                           true,  8,  {56, 64, "064"}},
  {"palettedCheck",      "BUTTON",   0x50000003, 0,     {340, 340}, 65,  OrderRow::none,        {235, 235}, 20,  {"GL_EXT_paletted_texture", "GL_EXT_paletted_texture"},             ReferenceList::none,    "GL_EXT_paletted_texture:",       true,  1,  {0, 0, "0"}},
  {"sharedPaletteCheck", "BUTTON",   0x50000003, 0,     {340, 340}, 95,  OrderRow::none,        {235, 235}, 20,  {"GL_EXT_shared_texture_palette", "GL_EXT_shared_texture_palette"}, ReferenceList::none,    "GL_EXT_shared_texture_palette:", true,  1,  {0, 0, "0"}},
  {"packedPixelsCheck",  "BUTTON",   0x50000003, 0,     {340, 340}, 125, OrderRow::none,        {235, 235}, 20,  {"GL_EXT_packed_pixels", "GL_EXT_packed_pixels"},                   ReferenceList::none,    "GL_EXT_packed_pixels:",          true,  1,  {0, 0, "0"}},
  {"directXVideosCheck", "BUTTON",   0x50000003, 0,     {340, 340}, 155, OrderRow::none,        {205, 205}, 20,  {"DirectX f\xfcr Videos", "DirectX for videos"},                    ReferenceList::none,    "DIRECTXVIDEOS:",                 true,  0,  {1, 1, "1"}},
  {"textureVideosCheck", "BUTTON",   0x50000003, 0,     {340, 340}, 185, OrderRow::none,        {205, 205}, 20,  {"Textur f\xfcr Videos", "Texture for videos"},                     ReferenceList::none,    "TEXTURVIDEOS:",                  true,  1,  {0, 0, "0"}},
  {"fixedGammaCheck",    "BUTTON",   0x50000003, 0,     {340, 340}, 215, OrderRow::none,        {155, 155}, 20,  {"Feste Gamma-Tabelle", "Fixed gamma-table"},                       ReferenceList::none,    "FESTESGAMMA:",                   true,  0,  {1, 1, "1"}},
  {"refreshCombo",       "COMBOBOX", 0x50200003, 0x200, {302, 302}, 242, OrderRow::none,        {53, 53},   200, {"", ""},                                                          ReferenceList::refresh, "REFRESH:",                       true,  0,  {7, 7, "07"}},
  {"windowedCheck",      "BUTTON",   0x50000003, 0,     {5, 5},     175, OrderRow::none,        {115, 115}, 20,  {"Fenstermodus", "Window-mode"},                                    ReferenceList::none,    "WINDOWED:",                      true,  0,  {1, 1, "1"}},
  {"centredCheck",       "BUTTON",   0x50000003, 0,     {150, 150}, 175, OrderRow::none,        {115, 115}, 20,  {"Zentriert", "Centred"},                                           ReferenceList::none,    "ZENTRIERT:",                     true,  0,  {1, 1, "1"}},
  {"captureMouseCheck",  "BUTTON",   0x50000003, 0,     {5, 5},     205, OrderRow::none,        {140, 140}, 20,  {"Maus begrenzen", "Captured mouse"},                               ReferenceList::none,    "MAUSGRENZEN:",                   true,  0,  {1, 1, "1"}},
  {"windowExtrasCheck",  "BUTTON",   0x50000003, 0,     {150, 150}, 205, OrderRow::none,        {130, 145}, 20,  {"Fenster extras", "Window extras"},                                ReferenceList::none,    "VERSTELLBAR:",                   true,  0,  {1, 1, "1"}},
  {"desktopResCheck",    "BUTTON",   0x50000003, 0,     {5, 5},     235, OrderRow::none,        {140, 140}, 20,  {"Desktopaufl\xf6sung", "Desktopresolution"},                       ReferenceList::none,    "DESKTOPRES:",                    true,  0,  {1, 1, "1"}},
  {"fsaaCombo",          "COMBOBOX", 0x50200003, 0x200, {5, 5},     262, OrderRow::none,        {55, 55},   100, {"", ""},                                                          ReferenceList::fsaa,    "FSAA:",                          true,  0,  {3, 3, "6"}},
  {"languageButton",     "BUTTON",   0x50030300, 0,     {30, 30},   315, OrderRow::none,        {150, 150}, 20,  {"Deutsch/English", "English/Deutsch"},                            ReferenceList::none,    nullptr,                          true,  -1, noValue},
  {"saveButton",         "BUTTON",   0x50030300, 0,     {300, 300}, 315, OrderRow::none,        {150, 150}, 20,  {"Speichern", "Save"},                                             ReferenceList::none,    nullptr,                          true,  -1, noValue},
  {"quitButton",         "BUTTON",   0x50020300, 0,     {470, 470}, 315, OrderRow::none,        {150, 150}, 20,  {"Beenden", "Quit"},                                               ReferenceList::none,    nullptr,                          true,  -1, noValue},
};
// clang-format on

inline constexpr size_t referenceControlCount = std::size(referenceControls);

// The y of the frame-rate check box, the clock list and the texture-amount check box in each
// display order.
struct OrderRowsY {
  int framerate;
  int clockList;
  int textureMass;
};
inline constexpr OrderRowsY referenceOrderRows[6] = {
    {60,  82,  110},
    {60,  107, 85 },
    {110, 82,  60 },
    {85,  107, 60 },
    {110, 57,  85 },
    {85,  57,  110},
};

// The captions painted on the face, in the order they are painted: the top left corner at 96 DPI
// (the clock's stands at the clock's row: its y is that of display order 0), the control it
// labels (null for a panel's title; a list's caption is also its name for screen readers),
// German, English.
struct ReferenceCaption {
  int x;
  int y;
  const char* labels;
  const char* text[2];
};

// clang-format off
inline constexpr ReferenceCaption referenceCaptions[] = {
    {5,   5,   nullptr,        {"Bildschirmanzeige:", "Screen-infos in:"}                      },
    {305, 5,   nullptr,        {"Initialisierung:", "Initialization:"}                         },
    {5,   145, nullptr,        {"Extras:", "Extras:"}                                          },
    {120, 35,  "cornerCombo",  {"Infos anzeigen", "Corner"}                                    },
    {140, 85,  "clockCombo",   {"Uhr", "Clock"}                                                },
    {360, 35,  "memoryCombo",  {"MB Textur-Speicher", "MB texture-memory"}                     },
    {65,  265, "fsaaCombo",    {"Multisampling/FSAA", "Multisampling/FSAA"}                    },
    {360, 245, "refreshCombo", {"Hz maximale Bildwiederholfrequenz", "Hz maximum refresh-rate"}},
};
// clang-format on

inline constexpr const char* referenceTitles[2] = {"Morvane - Initialisierung     (Version1.3c)",
                                                   "Morvane - initialization     (version1.3c)"};

// The creation index of the control named `name`; past the end for none.
constexpr size_t referenceIndexOf(std::string_view name) {
  size_t index = 0;
  while (index < referenceControlCount && name != referenceControls[index].name) ++index;
  return index;
}

// A control's row by name; a misspelt name does not compile where it is used as a constant.
constexpr const ReferenceControl& referenceControl(std::string_view name) {
  return referenceControls[referenceIndexOf(name)];
}

// The caption that labels the control named `name`; null for none.
constexpr const ReferenceCaption* referenceCaptionOf(std::string_view name) {
  for (const ReferenceCaption& caption : referenceCaptions)
    if (caption.labels != nullptr && name == caption.labels) return &caption;
  return nullptr;
}

inline bool isReferenceList(const ReferenceControl& control) {
  return control.list != ReferenceList::none;
}

inline bool isReferenceCheckBox(const ReferenceControl& control) {
  return control.fileKey != nullptr && !isReferenceList(control);
}

// The y of a control in display order `order` (0-5).
int referenceY(const ReferenceControl& control, int order);

// The entries of a list in language `column` (0 German, 1 English); the refresh list holds
// "auto" and `refreshSteps` rates.
size_t referenceEntryCount(ReferenceList list, int refreshSteps);
using ReferenceEntryText = char[16];
void referenceEntryInto(ReferenceList list, size_t index, int column, ReferenceEntryText& text);
inline std::string referenceEntry(ReferenceList list, size_t index, int column) {
  ReferenceEntryText text;
  referenceEntryInto(list, index, column, text);
  return text;
}

// The creation index of the control Tab moves to from the control at `index`, one that Tab
// visits: the next one in creation order that Tab visits, round the end to the start.
size_t referenceTabSuccessor(size_t index);

// The creation indices Tab visits from the control at `from` on, round to `from` again.
std::vector<size_t> referenceTabCycleFrom(size_t from);
