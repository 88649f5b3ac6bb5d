// The window's tables without a window: a handle bound twice, a missing text, a control outside
// the window, a broken focus ring or a control paired with the wrong field shows here first.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "settings/fields.h"
#include "settings/settings.h"
#include "tests/common/record_fields.h"
#include "ui/controls.h"
#include "ui/exchange.h"
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

const ControlRow* catalogueRowOf(HWND* handle) {
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

const FocusStep* stepFrom(HWND* handle) {
  for (const FocusStep& step : focusSteps)
    if (step.from == handle) return &step;
  return nullptr;
}

// From the first control, Tab visits 21 distinct controls (all but the order button) and comes
// back; focus on the window itself goes to the first control.
TEST(FocusRing, VisitsTwentyOneDistinctControlsAndCloses) {
  std::set<HWND*> froms;
  for (const FocusStep& step : focusSteps)
    EXPECT_TRUE(froms.insert(step.from).second) << "a control has two steps";
  const FocusStep* fromWindow = stepFrom(&mainWindow);
  ASSERT_NE(nullptr, fromWindow);
  EXPECT_EQ(&cornerCombo, fromWindow->to);

  std::set<HWND*> visited;
  HWND* at = &cornerCombo;
  for (int step = 0; step < controlCount - 1; ++step) {
    const FocusStep* next = stepFrom(at);
    ASSERT_NE(nullptr, next) << "no step from catalogue row " << indexOf(catalogueRowOf(at));
    ASSERT_NE(nullptr, catalogueRowOf(next->to)) << "step " << step << " leaves the controls";
    EXPECT_TRUE(visited.insert(next->to).second) << "step " << step << " comes back early";
    at = next->to;
  }
  EXPECT_EQ(&cornerCombo, at) << "the ring does not close after 21 steps";
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

// A check box edits an on/off field, each list the field of its entries; every value control and
// every field but the two the buttons change are in exactly one pair.
TEST(ExchangePairs, JoinEachValueControlToTheFieldOfItsKind) {
  std::set<HWND*> controls;
  for (const ExchangePair& pair : exchangePairs) {
    const ControlRow* row = catalogueRowOf(pair.control);
    ASSERT_NE(nullptr, row);
    const int at = indexOf(row);
    EXPECT_TRUE(controls.insert(pair.control).second) << "row " << at << " paired twice";
    const bool onOff = fieldRowOf(pair.field).kind == FieldKind::onOff;
    if (row->kind == ControlKind::checkBox)
      EXPECT_TRUE(onOff) << "row " << at;
    else if (isList(*row))
      EXPECT_EQ(fieldOfList(row->list), pair.field) << "row " << at;
    else
      ADD_FAILURE() << "row " << at << " is a push button";
  }
  for (const ControlRow& row : controlCatalogue)
    EXPECT_EQ(row.kind == ControlKind::checkBox || isList(row), controls.count(row.handle) == 1)
        << "row " << indexOf(&row);
  for (size_t i = 0; i < recordFieldCount; ++i) {
    const bool changedByAButton = everyRecordField[i] == &Settings::language ||
                                  everyRecordField[i] == &Settings::displayOrder;
    int pairs = 0;
    for (const ExchangePair& pair : exchangePairs) pairs += pair.field == everyRecordField[i];
    EXPECT_EQ(changedByAButton ? 0 : 1, pairs) << "field #" << i;
  }
}

// A list of plain choices offers exactly the values the file can hold.
TEST(ExchangePairs, ChoiceListsOfferEveryStoredValue) {
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
