// The window's tables without a window: a handle bound twice, a missing text, a control outside
// the window or away from the reference, a broken focus ring or a control showing the wrong
// field shows here first.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "settings/fields.h"
#include "settings/settings.h"
#include "tests/common/window_reference.h"
#include "ui/controls.h"
#include "ui/focus.h"
#include "ui/main_window.h"

namespace {

// The client area of the 640 x 370 window under Wine (measured): a 3-pixel frame round it and
// a 19-pixel title bar. Classic Windows draws the same frame with an 18-pixel title bar.
constexpr int clientWidthPx = mainWindowWidthPx - 2 * 3;
constexpr int clientHeightPx = mainWindowHeightPx - 2 * 3 - 19;

// A list's height is that of its dropped list, which may reach past the window; its closed field
// is at least as tall as a check box.
constexpr int closedListHeightPx = 20;

struct Box {
  int left, top, right, bottom;
};

bool isList(const ControlRow& row) {
  return row.kind == ControlKind::dropDownList;
}

Box boxOf(const ControlRow& row, int column, int order) {
  const int top = controlY(row, order);
  const int height = isList(row) ? closedListHeightPx : row.height;
  return Box{row.x[column], top, row.x[column] + row.width[column], top + height};
}

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

const ControlRow* catalogueRowOfHandle(HWND* handle) {
  for (const ControlRow& row : controlCatalogue)
    if (row.handle == handle) return &row;
  return nullptr;
}

int indexOf(const ControlRow* row) {
  return static_cast<int>(row - controlCatalogue);
}

TEST(ControlCatalogue, BindsEveryHandleOnce) {
  std::set<HWND*> handles;
  for (const ControlRow& row : controlCatalogue) {
    EXPECT_NE(&mainWindow, row.handle) << "row " << indexOf(&row);
    EXPECT_TRUE(handles.insert(row.handle).second) << "row " << indexOf(&row) << " bound again";
  }
}

// Buttons and boxes carry a text in each language; lists carry none and are filled instead.
TEST(ControlCatalogue, HasBothTextsOrAListToFill) {
  for (const ControlRow& row : controlCatalogue) {
    const int at = indexOf(&row);
    if (isList(row)) {
      EXPECT_EQ(nullptr, row.text[0]) << "row " << at;
      EXPECT_EQ(nullptr, row.text[1]) << "row " << at;
      EXPECT_NE(ListFill::none, row.list) << "row " << at;
      continue;
    }
    EXPECT_EQ(ListFill::none, row.list) << "row " << at;
    for (const char* text : row.text) {
      ASSERT_NE(nullptr, text) << "row " << at;
      EXPECT_NE('\0', text[0]) << "row " << at;
    }
  }
}

TEST(ControlCatalogue, ListEntriesAndTitlesHaveBothTexts) {
  std::vector<const char* const*> entries;
  for (const auto& entry : cornerEntries) entries.push_back(entry);
  for (const auto& entry : clockEntries) entries.push_back(entry);
  for (const auto& entry : fsaaEntries) entries.push_back(entry);
  entries.push_back(windowTitles);
  for (const char* const* pair : entries) {
    EXPECT_NE('\0', pair[0][0]);
    EXPECT_NE('\0', pair[1][0]) << pair[0];
  }
  EXPECT_STRNE(windowTitles[0], windowTitles[1]);
}

// In both languages and all six display orders.
TEST(ControlCatalogue, PutsEveryControlInsideTheClientAreaAndApartFromTheOthers) {
  for (int column = 0; column < 2; ++column) {
    for (int order = 0; order < displayOrderCount; ++order) {
      for (const ControlRow& row : controlCatalogue) {
        const Box box = boxOf(row, column, order);
        const std::string where = "row " + std::to_string(indexOf(&row)) + ", language " +
                                  std::to_string(column) + ", order " + std::to_string(order);
        EXPECT_GE(box.left, 0) << where;
        EXPECT_GE(box.top, 0) << where;
        EXPECT_LE(box.right, clientWidthPx) << where;
        EXPECT_LE(box.bottom, clientHeightPx) << where;
        for (const ControlRow* other = &row + 1; other != std::end(controlCatalogue); ++other)
          EXPECT_FALSE(overlap(box, boxOf(*other, column, order)))
              << where << " overlaps row " << indexOf(other);
      }
    }
  }
}

// The style words of the reference, as the catalogue's kinds.
ControlKind kindOfStyle(unsigned long style) {
  switch (style) {
    case 0x50030300:
      return ControlKind::pushButton;
    case 0x50020300:
      return ControlKind::pushButtonWithoutTabStop;
    case 0x50000003:
      return ControlKind::checkBox;
    default:
      return ControlKind::dropDownList;
  }
}

// The reference's lists, as the catalogue's fills.
ListFill fillOf(ReferenceList list) {
  switch (list) {
    case ReferenceList::corner:
      return ListFill::corner;
    case ReferenceList::clock:
      return ListFill::clock;
    case ReferenceList::memory:
      return ListFill::memory;
    case ReferenceList::refresh:
      return ListFill::refresh;
    case ReferenceList::fsaa:
      return ListFill::fsaa;
    case ReferenceList::none:
      break;
  }
  return ListFill::none;
}

std::string textOf(const char* text) {
  return text != nullptr ? text : "";
}

// Row by row against the reference: kind, place in both languages and every display order,
// size, texts, list, the setting shown and whether Tab visits it.
TEST(ControlCatalogue, MatchesTheWindowsReference) {
  ASSERT_EQ(referenceControlCount, controlCount);
  for (size_t i = 0; i < controlCount; ++i) {
    const ControlRow& row = controlCatalogue[i];
    const ReferenceControl& expected = referenceControls[i];
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(kindOfStyle(expected.style), row.kind);
    for (int column = 0; column < 2; ++column) {
      EXPECT_EQ(expected.x[column], row.x[column]);
      EXPECT_EQ(expected.width[column], row.width[column]);
      EXPECT_EQ(std::string(expected.text[column]), textOf(row.text[column]));
    }
    for (int order = 0; order < displayOrderCount; ++order)
      EXPECT_EQ(referenceY(expected, order), controlY(row, order)) << "order " << order;
    EXPECT_EQ(expected.height, row.height);
    EXPECT_EQ(fillOf(expected.list), row.list);
    EXPECT_EQ(textOf(expected.fileKey),
              row.field != nullptr ? std::string(fieldRowOf(row.field).key) : std::string());
    EXPECT_EQ(expected.inTabRing, row.tab == Tab::inRing);
  }
}

TEST(ControlCatalogue, ListEntriesAndTitlesMatchTheReference) {
  const struct {
    ReferenceList list;
    const char* const (*entries)[2];
    size_t count;
  } lists[] = {
      {ReferenceList::corner, cornerEntries, std::size(cornerEntries)},
      {ReferenceList::clock, clockEntries, std::size(clockEntries)},
      {ReferenceList::fsaa, fsaaEntries, std::size(fsaaEntries)},
  };
  for (const auto& list : lists) {
    ASSERT_EQ(referenceEntryCount(list.list, 0), list.count);
    for (size_t index = 0; index < list.count; ++index)
      for (int column = 0; column < 2; ++column)
        EXPECT_EQ(referenceEntry(list.list, index, column), list.entries[index][column]);
  }
  for (int column = 0; column < 2; ++column)
    EXPECT_STREQ(referenceTitles[column], windowTitles[column]);
}

size_t referenceIndexOfHandle(HWND* handle) {
  const ControlRow* row = catalogueRowOfHandle(handle);
  return row != nullptr ? static_cast<size_t>(row - controlCatalogue) : referenceControlCount;
}

// From each control of the ring Tab goes where the reference says; the order button keeps the
// focus, and focus on the window itself goes to the first control of the ring.
TEST(FocusRing, FollowsTheReference) {
  const size_t first = referenceTabSuccessor(referenceControlCount - 1);
  EXPECT_EQ(controlCatalogue[first].handle, focusSuccessor(&mainWindow));
  for (size_t i = 0; i < controlCount; ++i) {
    SCOPED_TRACE(referenceControls[i].name);
    HWND* next = focusSuccessor(controlCatalogue[i].handle);
    if (!referenceControls[i].inTabRing) {
      EXPECT_EQ(nullptr, next);
      continue;
    }
    EXPECT_EQ(referenceTabSuccessor(i), referenceIndexOfHandle(next));
  }
  EXPECT_EQ(nullptr, focusSuccessor(nullptr));
}

// From the first control, Tab visits every control of the ring once and comes back.
TEST(FocusRing, VisitsEachControlOfTheRingOnceAndCloses) {
  size_t ringSize = 0;
  for (const ReferenceControl& control : referenceControls) ringSize += control.inTabRing ? 1 : 0;
  std::set<HWND*> visited;
  HWND* const first = focusSuccessor(&mainWindow);
  HWND* at = first;
  for (size_t step = 0; step < ringSize; ++step) {
    at = focusSuccessor(at);
    ASSERT_NE(nullptr, at) << "step " << step;
    EXPECT_TRUE(visited.insert(at).second) << "step " << step << " comes back early";
  }
  EXPECT_EQ(first, at) << "the ring does not close";
  EXPECT_EQ(0u, visited.count(&orderButton));
}

// Which field each list edits, known apart from the tables under test.
struct ListField {
  ListFill list;
  int32_t Settings::*field;
};

constexpr ListField listFields[] = {
    {ListFill::corner, &Settings::infoCorner},      {ListFill::clock, &Settings::clockStyle},
    {ListFill::memory, &Settings::textureMemoryMb}, {ListFill::refresh, &Settings::refreshIndex},
    {ListFill::fsaa, &Settings::fsaaIndex},
};

int32_t Settings::*fieldOfList(ListFill list) {
  for (const ListField& pair : listFields)
    if (pair.list == list) return pair.field;
  return nullptr;
}

// A check box shows an on/off field, each list the field of its entries, a push button none;
// every field but the two the buttons change is shown by exactly one control.
TEST(ControlCatalogue, EachValueControlShowsAFieldOfItsKind) {
  for (const ControlRow& row : controlCatalogue) {
    const int at = indexOf(&row);
    if (row.kind == ControlKind::checkBox) {
      ASSERT_NE(nullptr, row.field) << "row " << at;
      EXPECT_EQ(FieldKind::onOff, fieldRowOf(row.field).kind) << "row " << at;
    } else if (isList(row)) {
      EXPECT_EQ(fieldOfList(row.list), row.field) << "row " << at;
    } else {
      EXPECT_EQ(nullptr, row.field) << "row " << at << " is a push button";
    }
  }
  for (const FieldRow& field : fieldRows) {
    const bool changedByAButton =
        field.member == &Settings::language || field.member == &Settings::displayOrder;
    int controls = 0;
    for (const ControlRow& row : controlCatalogue) controls += row.field == field.member;
    EXPECT_EQ(changedByAButton ? 0 : 1, controls) << field.key;
  }
}

// A list of plain choices offers exactly the values the file can hold.
TEST(ControlCatalogue, ChoiceListsOfferEveryStoredValue) {
  const struct {
    int32_t Settings::*field;
    size_t entries;
  } lists[] = {
      {&Settings::infoCorner, std::size(cornerEntries)},
      {&Settings::clockStyle, std::size(clockEntries)},
  };
  for (const auto& list : lists) {
    const FieldRow& row = fieldRowOf(list.field);
    EXPECT_EQ(FieldKind::choice, row.kind) << row.key;
    EXPECT_EQ(static_cast<size_t>(highestStoredValue(row)) + 1, list.entries) << row.key;
  }
}

}  // namespace
