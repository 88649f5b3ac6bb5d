// What a screen reader hears of the editor: each drop-down list asked from this process for its
// name, role and value, the way a screen reader asks (AccessibleObjectFromWindow).
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <memory>

#include "tests/e2e/editor_session.h"
#include "tests/win/accessible_answers.h"

namespace {

struct Release {
  void operator()(IAccessible* object) const { object->Release(); }
};
using Held = std::unique_ptr<IAccessible, Release>;

// The object the list itself gives, as a screen reader gets it; null and a failure if none.
Held askedObject(HWND list) {
  IAccessible* object = nullptr;
  const HRESULT result = AccessibleObjectFromWindow(list, OBJID_CLIENT, IID_IAccessible,
                                                    reinterpret_cast<void**>(&object));
  if (result != S_OK)
    ADD_FAILURE() << "AccessibleObjectFromWindow answers 0x" << std::hex << result;
  return Held(object);
}

// The system's own object for the list, made in this process.
Held standardObject(HWND list) {
  IAccessible* object = nullptr;
  CreateStdAccessibleObject(list, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object));
  return Held(object);
}

class ScreenReaderTest : public EditorTest {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }

  // Each list's name is its caption in `language`; its role and value are the system's.
  void expectListsNamed(int language) const {
    // The caption beside each list is what a person reads as its name.
    for (const ReferenceCaption& caption : referenceCaptions) {
      if (caption.labels == nullptr) continue;
      SCOPED_TRACE(caption.text[language]);
      const HWND handle = control(referenceIndexOf(caption.labels));
      const Held asked = askedObject(handle);
      const Held standard = standardObject(handle);
      ASSERT_TRUE(asked && standard);
      EXPECT_EQ((Answer{S_OK, caption.text[language]}), nameOf(asked.get()));
      EXPECT_EQ(roleOf(standard.get()), roleOf(asked.get()));
      EXPECT_EQ(valueOf(standard.get()), valueOf(asked.get()));
    }
  }

  void switchLanguageTo(const char* title) const {
    clickButton(kLanguageButton);
    ASSERT_TRUE(waitUntil([&] {
      return windowText(window_) == title && controls().size() == kControlCount;
    })) << "the language did not change";
    waitForTheRebuildsEnd();
  }

  void stepTheOrder() const {
    const LONG clockTop = rectInClient(control(kClockCombo), window_).top;
    clickButton(kOrderButton);
    ASSERT_TRUE(waitUntil([&] {
      return controls().size() == kControlCount &&
             rectInClient(control(kClockCombo), window_).top != clockTop;
    })) << "the order did not change";
    waitForTheRebuildsEnd();
  }

  // The lists are asked once the click is handled: while the editor still builds, the children's
  // order is not yet that of their creation, and a child's index may name a window about to go.
  void waitForTheRebuildsEnd() const {
    SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, nullptr);
  }
};

TEST_F(ScreenReaderTest, EachListIsNamedByItsCaptionThroughLanguageAndOrderChanges) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  ASSERT_NO_FATAL_FAILURE(expectListsNamed(0));
  ASSERT_NO_FATAL_FAILURE(switchLanguageTo(kEnglishTitle));
  ASSERT_NO_FATAL_FAILURE(expectListsNamed(1));

  ASSERT_NO_FATAL_FAILURE(stepTheOrder());
  ASSERT_NO_FATAL_FAILURE(expectListsNamed(1));

  ASSERT_NO_FATAL_FAILURE(switchLanguageTo(kGermanTitle));
  expectListsNamed(0);
}

// A screen reader may hold a list's object after a rebuild has destroyed the list; asking it
// then, and letting it go, must not harm the editor.
TEST_F(ScreenReaderTest, AnObjectHeldPastItsListStillAnswersAndGoes) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  const HWND list = control(kMemoryCombo);
  Held held = askedObject(list);
  ASSERT_TRUE(held);
  ASSERT_NO_FATAL_FAILURE(switchLanguageTo(kEnglishTitle));
  ASSERT_FALSE(IsWindow(list));

  const Answer name = nameOf(held.get());
  const ReferenceCaption& caption = *referenceCaptionOf("memoryCombo");
  EXPECT_NE(caption.text[0], name.text) << "the gone list still speaks as if it were there";
  EXPECT_NE(caption.text[1], name.text);
  held.reset();
  EXPECT_TRUE(editor_->running());
  const Held renewed = askedObject(control(kMemoryCombo));
  ASSERT_TRUE(renewed);
  EXPECT_EQ((Answer{S_OK, "MB texture-memory"}), nameOf(renewed.get()));
}

}  // namespace
