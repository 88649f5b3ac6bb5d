// The change list of check against the plain comparison of bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include "cli/canonical_check.h"
#include "cli/option_names.h"
#include "settings/refresh_rates.h"
#include "settings/settings.h"
#include "settings/settings_format.h"
#include "settings/settings_reader.h"
#include "tests/common/expected_file.h"

namespace {

size_t changesIn(const std::string& bytes) {
  std::FILE* sink = std::fopen("/dev/null", "w");
  const size_t changes = listChanges(reinterpret_cast<const unsigned char*>(bytes.data()),
                                     bytes.size(), highestRefreshStepCount, sink);
  std::fclose(sink);
  return changes;
}

bool canonical(const std::string& bytes) {
  return isCanonical(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                     highestRefreshStepCount);
}

// The whole file Save writes for these bytes: the record the editor reads from them, shown.
std::string savedFor(const std::string& bytes) {
  const Settings read = settingsOfFile(reinterpret_cast<const unsigned char*>(bytes.data()),
                                       bytes.size(), highestRefreshStepCount, 0);
  return canonicalFile(asShown(read)).text;
}

// One random edit of the kinds a hand or another program makes: a byte changed, dropped or
// added, a line dropped, doubled or moved, a blank line added, the end cut off, a byte-order
// mark put in front as an editor saving UTF-8 may do.
std::string edited(std::string text, std::mt19937& random) {
  static const std::string bytes = std::string("0123456789:;\r\n \xEF\xBB\xBF") + "FSAMxz";
  const auto pick = [&](size_t count) { return static_cast<size_t>(random() % (count + 1)); };
  const size_t at = pick(text.size());
  const size_t lineStart = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
  const size_t lineEnd =
      text.find('\n', at) == std::string::npos ? text.size() : text.find('\n', at) + 1;
  const std::string line = text.substr(lineStart, lineEnd - lineStart);
  switch (random() % 9) {
    case 0:
      if (at < text.size()) text[at] = bytes[pick(bytes.size() - 1)];
      break;
    case 1:
      if (at < text.size()) text.erase(at, 1);
      break;
    case 2:
      text.insert(at, 1, bytes[pick(bytes.size() - 1)]);
      break;
    case 3:
      text.erase(lineStart, line.size());
      break;
    case 4:
      text.insert(lineStart, line);
      break;
    case 5:
      text.erase(lineStart, line.size());
      text.insert(pick(text.size()), line);
      break;
    case 6:
      text.insert(lineStart, "\r\n");
      break;
    case 7:
      text.resize(text.size() - std::min(text.size(), pick(4)));
      break;
    default:
      text.insert(0, "\xEF\xBB\xBF");
      break;
  }
  return text;
}

// Nothing listed exactly when Save would write the same bytes, all of them: every kind of change
// is found, and isCanonical says the same.
TEST(ListChanges, NamesSomethingWheneverSaveWouldChangeTheFile) {
  Settings record = defaultSettings(0);
  record.textureMemoryMb = 64;
  record.fsaaIndex = 2;
  record.windowed = 1;
  const std::string starts[] = {canonicalFile(defaultSettings(0)).text, canonicalFile(record).text};
  std::mt19937 random(20240611);
  size_t canonicalSeen = 0;
  size_t changedSeen = 0;
  for (const std::string& start : starts) {
    std::string text = start;
    for (int round = 0; round < 20000; ++round) {
      text = round % 8 == 0 ? start : edited(text, random);
      const bool isCanonicalFile = text == savedFor(text);
      ASSERT_EQ(isCanonicalFile, canonical(text)) << "round " << round << ":\n" << text;
      ASSERT_EQ(isCanonicalFile, changesIn(text) == 0) << "round " << round << ":\n" << text;
      (isCanonicalFile ? canonicalSeen : changedSeen) += 1;
    }
  }
  EXPECT_GT(canonicalSeen, 100u);
  EXPECT_GT(changedSeen, 10000u);
}

// Bytes after the canonical lines are dropped by Save, so the file is not as Save writes it.
TEST(ListChanges, AnythingAfterTheCanonicalLinesIsAChange) {
  const std::string saved = canonicalFile(defaultSettings(0)).text;
  for (const char* after : {"STATS:1\r\n", "; a comment", "\r\n", "x"}) {
    SCOPED_TRACE(after);
    EXPECT_FALSE(canonical(saved + after));
    EXPECT_GT(changesIn(saved + after), 0u);
  }
}

TEST(ListChanges, AMissingOrEmptyFileMissesEveryLine) {
  EXPECT_EQ(canonicalLineCount(), changesIn(""));
  EXPECT_EQ(0u, changesIn(canonicalFile(defaultSettings(1)).text));
}

}  // namespace
