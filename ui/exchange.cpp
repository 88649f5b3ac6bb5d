// The pairs of controls and record fields, walked one way by capture and the other by apply.
#include "ui/exchange.h"

#include <cstdint>

#include "settings/settings.h"
#include "ui/controls.h"

namespace {

enum class PairKind { onOff, listIndex };

// control, field, kind of value, what a list's entry index is offset by in the field
struct ExchangePair {
  HWND* control;
  int32_t Settings::*field;
  PairKind kind;
  int32_t indexOffset;
};

constexpr ExchangePair exchangePairs[] = {
    {&palettedCheck,      &Settings::palettedTexture,      PairKind::onOff,     0                   },
    {&sharedPaletteCheck, &Settings::sharedTexturePalette, PairKind::onOff,     0                   },
    {&fixedGammaCheck,    &Settings::fixedGamma,           PairKind::onOff,     0                   },
    {&directXVideosCheck, &Settings::directXVideos,        PairKind::onOff,     0                   },
    {&textureVideosCheck, &Settings::textureVideos,        PairKind::onOff,     0                   },
    {&packedPixelsCheck,  &Settings::packedPixels,         PairKind::onOff,     0                   },
    {&textureMassCheck,   &Settings::showTextureMass,      PairKind::onOff,     0                   },
    {&windowedCheck,      &Settings::windowed,             PairKind::onOff,     0                   },
    {&captureMouseCheck,  &Settings::captureMouse,         PairKind::onOff,     0                   },
    {&framerateCheck,     &Settings::showFramerate,        PairKind::onOff,     0                   },
    {&centredCheck,       &Settings::centred,              PairKind::onOff,     0                   },
    {&desktopResCheck,    &Settings::desktopResolution,    PairKind::onOff,     0                   },
    {&windowExtrasCheck,  &Settings::windowExtras,         PairKind::onOff,     0                   },
    {&fsaaCombo,          &Settings::fsaaIndex,            PairKind::listIndex, 0                   },
    {&refreshCombo,       &Settings::refreshIndex,         PairKind::listIndex, 0                   },
    {&clockCombo,         &Settings::clockStyle,           PairKind::listIndex, 0                   },
    {&cornerCombo,        &Settings::infoCorner,           PairKind::listIndex, 0                   },
    {&memoryCombo,        &Settings::textureMemoryMb,      PairKind::listIndex, lowestListedMemoryMb},
};

int32_t capturedValue(const ExchangePair& pair) {
  HWND control = *pair.control;
  if (pair.kind == PairKind::onOff) return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return static_cast<int32_t>(SendMessageA(control, CB_GETCURSEL, 0, 0)) + pair.indexOffset;
}

void applyPair(const ExchangePair& pair) {
  const int32_t value = settings.*pair.field;
  if (pair.kind == PairKind::onOff)
    SendMessageA(*pair.control, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
  else
    SendMessageA(*pair.control, CB_SETCURSEL, static_cast<WPARAM>(value - pair.indexOffset), 0);
}

void clampTextureMemory() {
  if (settings.textureMemoryMb < lowestListedMemoryMb)
    settings.textureMemoryMb = lowestListedMemoryMb;
  if (settings.textureMemoryMb > highestMemoryMb) settings.textureMemoryMb = highestMemoryMb;
}

}  // namespace

void captureControlsInto(Settings& record) {
  // A control that could not be created keeps its field: a null handle answers nothing useful.
  for (const ExchangePair& pair : exchangePairs)
    if (*pair.control != nullptr) record.*pair.field = capturedValue(pair);
}

void captureControls() {
  captureControlsInto(settings);
}

void applySettings() {
  clampTextureMemory();
  for (const ExchangePair& pair : exchangePairs)
    if (*pair.control != nullptr) applyPair(pair);
}
