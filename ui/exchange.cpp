// The pairs of controls and record fields, walked one way by capture and the other by apply.
#include "ui/exchange.h"

#include <cstdint>

#include "settings/fields.h"
#include "settings/settings.h"
#include "ui/controls.h"

namespace {

bool isCheckBox(const ExchangePair& pair) {
  return fieldRowOf(pair.field).kind == FieldKind::onOff;
}

// The memory list starts at its lowest listed size; every other list at value 0.
int32_t firstEntryValue(const ExchangePair& pair) {
  return fieldRowOf(pair.field).kind == FieldKind::memoryMb ? lowestListedMemoryMb : 0;
}

int32_t capturedValue(const ExchangePair& pair) {
  HWND control = *pair.control;
  if (isCheckBox(pair)) return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return static_cast<int32_t>(SendMessageA(control, CB_GETCURSEL, 0, 0)) + firstEntryValue(pair);
}

void applyPair(const ExchangePair& pair) {
  const int32_t value = shownValue(fieldRowOf(pair.field), settings.*pair.field);
  if (isCheckBox(pair))
    SendMessageA(*pair.control, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
  else
    SendMessageA(*pair.control, CB_SETCURSEL, static_cast<WPARAM>(value - firstEntryValue(pair)),
                 0);
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
  // The record follows the memory list from here on, as its selection changes.
  settings.textureMemoryMb =
      shownValue(fieldRowOf(&Settings::textureMemoryMb), settings.textureMemoryMb);
  for (const ExchangePair& pair : exchangePairs)
    if (*pair.control != nullptr) applyPair(pair);
}
