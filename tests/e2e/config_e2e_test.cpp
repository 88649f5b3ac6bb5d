// morvane-config against the editor: the same choices give the same bytes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/e2e/editor_session.h"
#include "tests/win/console_run.h"

namespace {

// The editor saves after clicks of every kind (check boxes, the order, the language); the
// command line makes the same choices on a copy of the file the editor started with.
TEST_F(EditorTest, CommandLineSetWritesWhatSaveWrites) {
  ASSERT_NO_FATAL_FAILURE(start(kPreparedSettings));
  ASSERT_NO_FATAL_FAILURE(clickCheck(kWindowedCheck, BST_UNCHECKED));
  ASSERT_NO_FATAL_FAILURE(clickCheck(kCentredCheck, BST_CHECKED));
  clickButton(kOrderButton);
  ASSERT_TRUE(waitUntil([&] {
    return controls().size() == kControlCount &&
           rectInClient(control(kClockCombo), window_).top == 107;
  })) << "the order did not change";
  clickButton(kLanguageButton);
  ASSERT_TRUE(waitUntil([&] { return windowText(window_) == kEnglishTitle; }))
      << "the language did not change";
  const std::string saved = saveAndRead();
  ASSERT_EQ(canonicalSettingsFile().size(), saved.size()) << "Save wrote nothing";

  writeWholeFile(directory_.file("other.ini"), kPreparedSettings);
  const ConsoleOutcome set =
      runConsoleProgram(configPath(),
                        {"set", "--file", "other.ini", "windowed=off", "centred=on",
                         "display-order=framerate,texture-mass,clock", "language=en"},
                        directory_.path());
  ASSERT_TRUE(set.started) << "cannot start " << configPath();
  EXPECT_EQ(0u, set.exitCode) << set.err;
  EXPECT_EQ(saved, readWholeFile(directory_.file("other.ini")));
  EXPECT_EQ(
      preparedAsSaved({
          {"WINDOWED:",     "0"},
          {"ZENTRIERT:",    "1"},
          {"ANZEIGEFOLGE:", "1"},
          {"SPRACHE:",      "1"}
  }),
      readWholeFile(directory_.file("other.ini")));
}

}  // namespace
