// What follows from the window's reference without a window: rows, list entries, the Tab ring.
#include "tests/common/window_reference.h"

#include <cstdio>

namespace {

// German / English
constexpr const char* cornerTexts[][2] = {
    {"keine",        "no"         },
    {"links oben",   "upper left" },
    {"rechts oben",  "upper right"},
    {"links unten",  "lower left" },
    {"rechts unten", "lower right"},
};
constexpr const char* clockTexts[][2] = {
    {"keine",       "no"          },
    {"digitale",    "digital"     },
    {"kl. analoge", "sm. analogue"},
    {"gr. analoge", "gr. analogue"},
};
constexpr const char* fsaaTexts[][2] = {
    {"kein", "no"},
    {"2x",   "2x"},
    {"4x",   "4x"},
    {"6x",   "6x"},
    {"8x",   "8x"},
};

constexpr int lowestMemoryMb = 8;
constexpr int highestMemoryMb = 108;

// Three characters, blanks before the digits: "  8", " 60", "100".
void threeWide(int number, ReferenceEntryText& text) {
  std::snprintf(text, sizeof text, "%3d", number);
}

void copy(const char* from, ReferenceEntryText& text) {
  std::snprintf(text, sizeof text, "%s", from);
}

}  // namespace

int referenceY(const ReferenceControl& control, int order) {
  const OrderRowsY& rows = referenceOrderRows[order];
  switch (control.orderRow) {
    case OrderRow::framerate:
      return rows.framerate;
    case OrderRow::clock:
      return rows.clockList;
    case OrderRow::textureMass:
      return rows.textureMass;
    case OrderRow::none:
      break;
  }
  return control.y;
}

size_t referenceEntryCount(ReferenceList list, int refreshSteps) {
  switch (list) {
    case ReferenceList::corner:
      return std::size(cornerTexts);
    case ReferenceList::clock:
      return std::size(clockTexts);
    case ReferenceList::fsaa:
      return std::size(fsaaTexts);
    case ReferenceList::memory:
      return highestMemoryMb - lowestMemoryMb + 1;
    case ReferenceList::refresh:
      return 1 + static_cast<size_t>(refreshSteps);
    case ReferenceList::none:
      break;
  }
  return 0;
}

void referenceEntryInto(ReferenceList list, size_t index, int column, ReferenceEntryText& text) {
  text[0] = '\0';
  switch (list) {
    case ReferenceList::corner:
      return copy(cornerTexts[index][column], text);
    case ReferenceList::clock:
      return copy(clockTexts[index][column], text);
    case ReferenceList::fsaa:
      return copy(fsaaTexts[index][column], text);
    case ReferenceList::memory:
      return threeWide(lowestMemoryMb + static_cast<int>(index), text);
    case ReferenceList::refresh:
      return index == 0 ? copy("auto", text) : threeWide(55 + 5 * static_cast<int>(index), text);
    case ReferenceList::none:
      break;
  }
}

size_t referenceTabSuccessor(size_t index) {
  size_t next = index;
  do next = (next + 1) % referenceControlCount;
  while (!referenceControls[next].inTabRing);
  return next;
}

std::vector<size_t> referenceTabCycleFrom(size_t from) {
  std::vector<size_t> cycle;
  size_t at = from;
  do {
    at = referenceTabSuccessor(at);
    cycle.push_back(at);
  } while (at != from);
  return cycle;
}
