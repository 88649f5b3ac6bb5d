// The texts shipped for Windows users read well in Notepad and an 80-column console: plain
// ASCII lines of at most 80 columns, with none of Markdown's marks, which Notepad would show
// as they are.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr size_t widestLine = 80;

bool tooWide(const std::string& line) {
  return line.size() > widestLine;
}

// Other bytes depend on the code page Notepad guesses; a tab on its tab stops.
bool notPrintableAscii(const std::string& line) {
  for (char c : line)
    if (c < 0x20 || c > 0x7E) return true;
  return false;
}

std::string trimmedLeft(const std::string& line) {
  const size_t first = line.find_first_not_of(' ');
  return first == std::string::npos ? "" : line.substr(first);
}

bool hashHeading(const std::string& line) {
  return trimmedLeft(line).rfind("#", 0) == 0;
}

bool backtick(const std::string& line) {
  return line.find('`') != std::string::npos;
}

bool tildeFence(const std::string& line) {
  return trimmedLeft(line).rfind("~~~", 0) == 0;
}

bool pipeTableRow(const std::string& line) {
  return trimmedLeft(line).rfind("|", 0) == 0;
}

bool strongEmphasis(const std::string& line) {
  return line.find("**") != std::string::npos || line.find("__") != std::string::npos;
}

struct Rule {
  const char* broken;
  bool (*breaks)(const std::string& line);
};

constexpr Rule rules[] = {
    {"over 80 columns", tooWide},          {"not printable ASCII", notPrintableAscii},
    {"a # heading", hashHeading},          {"a backtick (code or fence)", backtick},
    {"a ~~~ fence", tildeFence},           {"a pipe table row", pipeTableRow},
    {"** or __ emphasis", strongEmphasis},
};

// Each broken line breaks exactly the rule named, so the check cannot pass by matching nothing
// (or everything).
struct BrokenLine {
  const char* line;
  const char* broken;
};

const BrokenLine brokenLines[] = {
    {"An eighty-one column line: ......................................................",
     "over 80 columns"},
    {"caf\xc3\xa9", "not printable ASCII"},
    {"\tindented with a tab", "not printable ASCII"},
    {"## Keys", "a # heading"},
    {"set `fsaa=4x` here", "a backtick (code or fence)"},
    {"```", "a backtick (code or fence)"},
    {"  ~~~ text", "a ~~~ fence"},
    {"| Key | Positions |", "a pipe table row"},
    {"a **bold** word", "** or __ emphasis"},
};

std::vector<std::string> brokenRules(const std::string& line) {
  std::vector<std::string> broken;
  for (const Rule& rule : rules)
    if (rule.breaks(line)) broken.push_back(rule.broken);
  return broken;
}

TEST(PlainTextRules, EachBrokenLineBreaksExactlyItsRule) {
  for (const BrokenLine& example : brokenLines)
    EXPECT_EQ(std::vector<std::string>{example.broken}, brokenRules(example.line)) << example.line;
  EXPECT_TRUE(brokenRules("  MEM:                            3          0-9 each").empty());
  EXPECT_TRUE(brokenRules("- The file is read-only (\"Access is denied\").").empty());
}

struct ShippedFile {
  const char* name;
  const char* path;
};

// The zip's README.txt, and settings-file.txt, which README.md links to as well.
const ShippedFile shippedFiles[] = {
    {"ReadMe", "docs/README.txt"},
    {"SettingsFile", "docs/settings-file.txt"},
};

class ShippedText : public testing::TestWithParam<ShippedFile> {};

TEST_P(ShippedText, IsPlainTextOfAtMost80Columns) {
  const std::string path = std::string(MORVANE_SOURCE_DIR) + "/" + GetParam().path;
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << path;
  std::string line;
  int number = 0;
  while (std::getline(file, line)) {
    ++number;
    for (const std::string& broken : brokenRules(line))
      ADD_FAILURE() << GetParam().path << ":" << number << ": " << broken << ": " << line;
  }
  EXPECT_GT(number, 20) << "the text is missing";
}

std::string shippedFileName(const testing::TestParamInfo<ShippedFile>& file) {
  return file.param.name;
}

INSTANTIATE_TEST_SUITE_P(Docs, ShippedText, testing::ValuesIn(shippedFiles), shippedFileName);

}  // namespace
