// The command line's names for the settings, one per row of the field table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/fields.h"
#include "settings/settings.h"

// name as typed, the field's row of the field table (its key, its kind), the names of the
// choices (choices only: value 0 first, "|" between them), what the option does
struct OptionName {
  const char* name;
  const FieldRow* field;
  const char* choices;
  const char* about;
};

// The three information items top to bottom, for each display order in the order of orderCodes.
inline constexpr char displayOrderNames[] =
    "framerate,clock,texture-mass|framerate,texture-mass,clock|texture-mass,clock,framerate|"
    "texture-mass,framerate,clock|clock,texture-mass,framerate|clock,framerate,texture-mass";

// In the order of the editor's controls, so a listing reads like the window.
// clang-format off
inline constexpr OptionName optionNames[] = {
    {"info-corner",            &fieldRowOf(&Settings::infoCorner),           "none|upper-left|upper-right|lower-left|lower-right", "screen corner of the on-screen information"},
    {"display-order",          &fieldRowOf(&Settings::displayOrder),         displayOrderNames,                                    "the three information items, top to bottom"},
    {"framerate",              &fieldRowOf(&Settings::showFramerate),        nullptr,                                              "show the frame rate"},
    {"clock",                  &fieldRowOf(&Settings::clockStyle),           "none|digital|small-analogue|large-analogue",         "clock display"},
    {"texture-mass",           &fieldRowOf(&Settings::showTextureMass),      nullptr,                                              "show the amount of texture data"},
    {"texture-memory",         &fieldRowOf(&Settings::textureMemoryMb),      nullptr,                                              "texture memory in MB"},
    {"paletted-texture",       &fieldRowOf(&Settings::palettedTexture),      nullptr,                                              "use GL_EXT_paletted_texture"},
    {"shared-texture-palette", &fieldRowOf(&Settings::sharedTexturePalette), nullptr,                                              "use GL_EXT_shared_texture_palette"},
    {"packed-pixels",          &fieldRowOf(&Settings::packedPixels),         nullptr,                                              "use GL_EXT_packed_pixels"},
    {"directx-videos",         &fieldRowOf(&Settings::directXVideos),        nullptr,                                              "DirectX for videos"},
    {"texture-videos",         &fieldRowOf(&Settings::textureVideos),        nullptr,                                              "texture for videos"},
    {"fixed-gamma",            &fieldRowOf(&Settings::fixedGamma),           nullptr,                                              "fixed gamma table"},
    {"refresh",                &fieldRowOf(&Settings::refreshIndex),         nullptr,                                              "highest refresh rate in Hz"},
    {"windowed",               &fieldRowOf(&Settings::windowed),             nullptr,                                              "window mode"},
    {"centred",                &fieldRowOf(&Settings::centred),              nullptr,                                              "centre the window"},
    {"capture-mouse",          &fieldRowOf(&Settings::captureMouse),         nullptr,                                              "keep the mouse inside the window"},
    {"window-extras",          &fieldRowOf(&Settings::windowExtras),         nullptr,                                              "window extras"},
    {"desktop-resolution",     &fieldRowOf(&Settings::desktopResolution),    nullptr,                                              "use the desktop resolution"},
    {"fsaa",                   &fieldRowOf(&Settings::fsaaIndex),            "off|2x|4x|6x|8x",                                    "multisampling"},
    {"language",               &fieldRowOf(&Settings::language),             "de|en",                                              "the editor's language"},
};
// clang-format on

// Enough for any value's text and for the longest list of allowed values.
inline constexpr size_t valueTextSize = 256;

// The option for a name as a person types it: its name or its file key (with or without the
// colon, the two keys the editor only reads included), in any case. Null when there is none.
const OptionName* findOption(const char* name, size_t length);

// The option whose field a line with this file key sets, as keyOfLine names the key; null for
// none.
const OptionName* optionOfFileKey(const char* key);

// Reads a value as the option's kind allows it, ignoring case; false when it is not allowed.
bool parseValue(const OptionName& option, const char* text, int32_t& value);

// The value as the command line shows it and takes it back: "on", "64", "auto", "75", "4x".
void formatValue(const OptionName& option, int32_t value, char (&out)[valueTextSize]);

// The values the option allows, as a person reads them: "off, 2x, 4x, 6x, 8x".
void describeAllowed(const OptionName& option, char (&out)[valueTextSize]);
