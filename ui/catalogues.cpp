// What follows from the catalogue's rows without a window: where the order rows put a control,
// which row a window is, and the Tab ring. Free of platform calls, so that the host build checks
// them.
#include "settings/settings.h"
#include "ui/controls.h"
#include "ui/focus.h"
#include "ui/main_window.h"

const char* const windowTitles[2] = {"Morvane - Initialisierung     (Version1.3c)",
                                     "Morvane - initialization     (version1.3c)"};

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

TableRows<ControlRow> catalogueRows() {
  return rowsOf(controlCatalogue);
}

const ControlRow* catalogueRowOf(HWND window) {
  if (window == nullptr) return nullptr;
  for (const ControlRow& row : controlCatalogue)
    if (*row.handle == window) return &row;
  return nullptr;
}

namespace {

const ControlRow* rowWithHandle(HWND* handle) {
  for (const ControlRow& row : controlCatalogue)
    if (row.handle == handle) return &row;
  return nullptr;
}

// The first control of the ring at or after catalogue row `start`, round the end to the start.
HWND* firstInRingFrom(size_t start) {
  for (size_t step = 0; step < controlCount; ++step) {
    const ControlRow& row = controlCatalogue[(start + step) % controlCount];
    if (row.tab == Tab::inRing) return row.handle;
  }
  return nullptr;
}

}  // namespace

HWND* focusSuccessor(HWND* from) {
  if (from == &mainWindow) return firstInRingFrom(0);
  const ControlRow* row = rowWithHandle(from);
  if (row == nullptr || row->tab != Tab::inRing) return nullptr;
  return firstInRingFrom(static_cast<size_t>(row - controlCatalogue) + 1);
}
