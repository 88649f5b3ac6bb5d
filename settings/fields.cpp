// The value of a field as the window shows it.
#include "settings/fields.h"

int32_t shownValue(const FieldRow& row, int32_t value) {
  switch (row.kind) {
    case FieldKind::onOff:
      return value != 0 ? 1 : 0;
    case FieldKind::memoryMb:
      if (value < lowestListedMemoryMb) return lowestListedMemoryMb;
      return value > highestMemoryMb ? highestMemoryMb : value;
    case FieldKind::choice:
    case FieldKind::doubledChoice:
    case FieldKind::refreshStep:
      break;
  }
  return value;
}

Settings asShown(const Settings& record) {
  Settings shown = record;
  for (const FieldRow& row : fieldRows) shown.*row.member = shownValue(row, record.*row.member);
  return shown;
}
