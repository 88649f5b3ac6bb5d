// The catalogue's rows that name a field, walked one way by capture and the other by apply. The
// field's kind says how: a check box for on/off, else a list whose first entry stands for the
// kind's lowest value.
#include "ui/exchange.h"

#include <cstdint>

#include "settings/fields.h"
#include "settings/settings.h"
#include "ui/controls.h"

namespace {

bool showsAField(const ControlRow& row) {
  return row.field != nullptr && *row.handle != nullptr;
}

bool isCheckBox(const ControlRow& row) {
  return fieldRowOf(row.field).kind == FieldKind::onOff;
}

// The memory list starts at its lowest listed size; every other list at value 0.
int32_t firstEntryValue(const ControlRow& row) {
  return fieldRowOf(row.field).kind == FieldKind::memoryMb ? lowestListedMemoryMb : 0;
}

int32_t capturedValue(const ControlRow& row) {
  HWND control = *row.handle;
  if (isCheckBox(row)) return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return static_cast<int32_t>(SendMessageA(control, CB_GETCURSEL, 0, 0)) + firstEntryValue(row);
}

void applyRow(const ControlRow& row) {
  const int32_t value = shownValue(fieldRowOf(row.field), settings.*row.field);
  if (isCheckBox(row))
    SendMessageA(*row.handle, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
  else
    SendMessageA(*row.handle, CB_SETCURSEL, static_cast<WPARAM>(value - firstEntryValue(row)), 0);
}

}  // namespace

void captureControlsInto(Settings& record) {
  // A control that could not be created keeps its field: a null handle answers nothing useful.
  for (const ControlRow& row : catalogueRows())
    if (showsAField(row)) record.*row.field = capturedValue(row);
}

void captureControls() {
  captureControlsInto(settings);
}

void followSelection(HWND list) {
  const ControlRow* row = catalogueRowOf(list);
  if (row != nullptr && showsAField(*row) && fieldRowOf(row->field).kind == FieldKind::memoryMb)
    settings.*row->field = capturedValue(*row);
}

void applySettings() {
  // The record follows the memory list from here on, as its selection changes.
  settings.textureMemoryMb =
      shownValue(fieldRowOf(&Settings::textureMemoryMb), settings.textureMemoryMb);
  for (const ControlRow& row : catalogueRows())
    if (showsAField(row)) applyRow(row);
}
