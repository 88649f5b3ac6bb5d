// The captions without a window: each drop-down list is labelled by one caption, the one a person
// reads beside it, since that caption is also the name a screen reader speaks for the list.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/settings.h"
#include "tests/common/window_reference.h"
#include "ui/captions.h"
#include "ui/controls.h"

namespace {

const ControlRow* catalogueRowOf(HWND* handle) {
  for (const ControlRow& row : controlCatalogue)
    if (row.handle == handle) return &row;
  return nullptr;
}

std::string nameOfHandle(HWND* handle) {
  const ControlRow* row = catalogueRowOf(handle);
  return row != nullptr ? referenceControls[row - controlCatalogue].name : "";
}

// Caption by caption against the reference: place, texts, and the control each labels.
TEST(Captions, MatchTheWindowsReference) {
  const Caption* caption = allCaptions().begin();
  for (const ReferenceCaption& expected : referenceCaptions) {
    ASSERT_NE(allCaptions().end(), caption) << "no caption " << expected.text[0];
    SCOPED_TRACE(expected.text[0]);
    EXPECT_EQ(expected.x, caption->x);
    EXPECT_EQ(expected.y, captionY(*caption, 0));
    for (int column = 0; column < 2; ++column)
      EXPECT_EQ(std::string(expected.text[column]), caption->text[column]);
    EXPECT_EQ(expected.labels != nullptr ? expected.labels : "",
              caption->labels != nullptr ? nameOfHandle(caption->labels) : "");
    ++caption;
  }
  EXPECT_EQ(allCaptions().end(), caption) << "a caption the reference does not have";
}

TEST(Captions, HaveBothTexts) {
  for (const Caption& caption : allCaptions()) {
    for (const char* text : caption.text) {
      ASSERT_NE(nullptr, text);
      EXPECT_NE('\0', text[0]) << caption.text[0];
    }
  }
}

TEST(Captions, LabelEveryListOnceAndNothingElse) {
  std::set<HWND*> labelled;
  for (const Caption& caption : allCaptions()) {
    if (caption.labels == nullptr) continue;
    const ControlRow* row = catalogueRowOf(caption.labels);
    ASSERT_NE(nullptr, row) << caption.text[0] << " labels no control";
    EXPECT_EQ(ControlKind::dropDownList, row->kind) << caption.text[0];
    EXPECT_TRUE(labelled.insert(caption.labels).second) << caption.text[0] << " labels again";
  }
  for (const ControlRow& row : controlCatalogue)
    EXPECT_EQ(row.kind == ControlKind::dropDownList, labelled.count(row.handle) == 1)
        << "catalogue row at x " << row.x[0] << ", y " << row.y;
}

// Beside: the caption begins within 10 pixels right of the list's closed field and its top lies
// within that field's 20 rows, in both languages and all six display orders. A caption bound to
// another list stands far from it.
TEST(Captions, StandBesideTheListTheyLabel) {
  constexpr int closedListHeightPx = 20;
  for (const Caption& caption : allCaptions()) {
    if (caption.labels == nullptr) continue;
    const ControlRow* row = catalogueRowOf(caption.labels);
    ASSERT_NE(nullptr, row);
    for (int column = 0; column < 2; ++column) {
      for (int order = 0; order < displayOrderCount; ++order) {
        const std::string where =
            std::string(caption.text[column]) + ", order " + std::to_string(order);
        const int gap = caption.x - (row->x[column] + row->width[column]);
        EXPECT_GE(gap, 0) << where;
        EXPECT_LE(gap, 10) << where;
        const int below = captionY(caption, order) - controlY(*row, order);
        EXPECT_GE(below, 0) << where;
        EXPECT_LT(below, closedListHeightPx) << where;
      }
    }
  }
}

}  // namespace
