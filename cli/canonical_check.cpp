// The comparison of a settings file with the canonical file Save writes for it.
#include "cli/canonical_check.h"

#include <cstdint>
#include <cstring>

#include "cli/option_names.h"
#include "cli/print.h"
#include "settings/fields.h"
#include "settings/file_lines.h"
#include "settings/settings_format.h"
#include "settings/settings_reader.h"

namespace {

constexpr size_t noLine = SIZE_MAX;
// Enough of a dropped line to recognise it.
constexpr size_t excerptBytes = 40;

// The file that Save writes for these bytes.
CanonicalFile canonicalFor(const unsigned char* data, size_t size, int32_t refreshCap) {
  return canonicalFile(asShown(settingsOfFile(data, size, refreshCap, 0)));
}

bool equalsCanonical(const unsigned char* data, size_t size, const CanonicalFile& canonical) {
  return size == canonicalFileBytes && std::memcmp(data, canonical.text, size) == 0;
}

// Where the canonical file holds a key's line, CR LF left out.
struct CanonicalLine {
  size_t offset;
  size_t length;
};

CanonicalLine canonicalLineOf(const CanonicalFile& file, const char* key) {
  const size_t keyLength = std::strlen(key);
  size_t at = 0;
  while (std::strncmp(file.text + at, key, keyLength) != 0)
    at = static_cast<size_t>(std::strchr(file.text + at, '\n') - file.text) + 1;
  const size_t end = static_cast<size_t>(std::strchr(file.text + at, '\r') - file.text);
  return {at, end - at};
}

// Bytes in quotes, those a terminal cannot show as \xNN, cut after excerptBytes.
void printQuoted(FILE* out, const unsigned char* bytes, size_t length) {
  std::fputc('"', out);
  const size_t shown = length < excerptBytes ? length : excerptBytes;
  for (size_t i = 0; i < shown; ++i) {
    if (bytes[i] < 0x20 || bytes[i] > 0x7E || bytes[i] == '"' || bytes[i] == '\\')
      printTo(out, "\\x%02X", static_cast<unsigned>(bytes[i]));
    else
      std::fputc(bytes[i], out);
  }
  std::fputs(shown < length ? "\"..." : "\"", out);
}

void printQuoted(FILE* out, const CanonicalFile& file, const CanonicalLine& line) {
  printQuoted(out, reinterpret_cast<const unsigned char*>(file.text + line.offset), line.length);
}

// The key a line begins with, and the option whose field it sets; both null for no setting.
struct LineKey {
  const char* key;
  const OptionName* option;
};

LineKey keyOf(const unsigned char* data, size_t size, const FileLine& line) {
  const char* key = keyOfLine(data + line.start, size - line.start);
  return {key, key != nullptr ? optionOfFileKey(key) : nullptr};
}

size_t fieldIndex(const OptionName& option) {
  return static_cast<size_t>(option.field - fieldRows);
}

// The file as one check sees it: its bytes, what Save makes of them, and where each field's
// last line stands (the line Save keeps).
struct Check {
  const unsigned char* data;
  size_t size;
  FILE* out;
  Settings shown;
  CanonicalFile canonical;
  size_t lastLineStart[fieldCount];
  unsigned long lastLineNumber[fieldCount];
  size_t found;
};

void surveyLines(Check& check) {
  for (size_t& start : check.lastLineStart) start = noLine;
  LineWalk walk = startLineWalk(check.data, check.size);
  for (FileLine line{}; nextLine(walk, line);) {
    const LineKey found = keyOf(check.data, check.size, line);
    if (found.option == nullptr) continue;
    check.lastLineStart[fieldIndex(*found.option)] = line.start;
    check.lastLineNumber[fieldIndex(*found.option)] = line.number;
  }
}

// Every finding is one line of its own, indented under the command's heading.
void beginFinding(Check& check) {
  std::fputs("  ", check.out);
  ++check.found;
}

void say(Check& check, const char* text) {
  beginFinding(check);
  std::fputs(text, check.out);
}

void sayLine(Check& check, const FileLine& line) {
  beginFinding(check);
  printTo(check.out, "line %lu: ", line.number);
}

// "texture-memory 108": the option's value as the editor will show it.
void printShown(const Check& check, const OptionName& option) {
  char value[valueTextSize];
  formatValue(option, check.shown.*option.field->member, value);
  printTo(check.out, "%s %s", option.name, value);
}

void reportDropped(Check& check, const FileLine& line) {
  sayLine(check, line);
  std::fputs("no setting, dropped: ", check.out);
  printQuoted(check.out, check.data + line.start, line.end - line.start);
  std::fputc('\n', check.out);
}

// The key and value as the file has them, against the line Save writes for them.
void reportRewrittenValue(Check& check, const FileLine& line, const OptionName& option,
                          const CanonicalLine& written, size_t end) {
  const size_t length = end - line.start;
  if (length == written.length &&
      std::memcmp(check.data + line.start, check.canonical.text + written.offset, length) == 0)
    return;
  sayLine(check, line);
  printQuoted(check.out, check.data + line.start, length);
  std::fputs(" becomes ", check.out);
  printQuoted(check.out, check.canonical, written);
  std::fputs(" (", check.out);
  printShown(check, option);
  std::fputs(")\n", check.out);
}

void reportTextAfterValue(Check& check, const FileLine& line, size_t valueEnd) {
  sayLine(check, line);
  std::fputs("text after the value is dropped: ", check.out);
  printQuoted(check.out, check.data + valueEnd, line.end - valueEnd);
  std::fputc('\n', check.out);
}

void reportKeptLine(Check& check, const FileLine& line, const LineKey& found) {
  const OptionName& option = *found.option;
  const CanonicalLine written = canonicalLineOf(check.canonical, option.field->key);
  const size_t valueWidth = written.length - std::strlen(option.field->key);
  const size_t valueEnd = line.start + std::strlen(found.key) + valueWidth;
  reportRewrittenValue(check, line, option, written, valueEnd < line.end ? valueEnd : line.end);
  if (valueEnd < line.end) reportTextAfterValue(check, line, valueEnd);
}

// The first kept line that comes before a line Save writes ahead of it; reported after the
// missing keys, as a reader looks at the order last.
struct OutOfPlace {
  bool seen;
  FileLine line;
  const char* key;
};

// Each line in turn: dropped, set again later, or kept and compared; the order of the kept lines
// is noted on the way.
OutOfPlace reportLines(Check& check, LineEndCounts& lineEnds) {
  OutOfPlace outOfPlace{};
  size_t previousOffset = 0;
  LineWalk walk = startLineWalk(check.data, check.size);
  for (FileLine line{}; nextLine(walk, line);) {
    const LineKey found = keyOf(check.data, check.size, line);
    if (found.option == nullptr) {
      reportDropped(check, line);
      continue;
    }
    const size_t index = fieldIndex(*found.option);
    if (check.lastLineStart[index] != line.start) {
      sayLine(check, line);
      printTo(check.out, "%s is set again on line %lu, this line is dropped\n", found.key,
              check.lastLineNumber[index]);
      continue;
    }
    reportKeptLine(check, line, found);
    const size_t offset = canonicalLineOf(check.canonical, found.option->field->key).offset;
    if (offset < previousOffset && !outOfPlace.seen) outOfPlace = OutOfPlace{true, line, found.key};
    previousOffset = offset;
  }
  lineEnds = walk.counts;
  return outOfPlace;
}

void reportMissingKeys(Check& check) {
  for (const OptionName& option : allOptions()) {
    if (check.lastLineStart[fieldIndex(option)] != noLine) continue;
    beginFinding(check);
    printQuoted(check.out, check.canonical, canonicalLineOf(check.canonical, option.field->key));
    std::fputs(" is added (", check.out);
    printShown(check, option);
    std::fputs(", the default)\n", check.out);
  }
}

void reportOrder(Check& check, const OutOfPlace& outOfPlace) {
  if (!outOfPlace.seen) return;
  sayLine(check, outOfPlace.line);
  printTo(check.out, "%s is out of place; Save writes the lines in its own order\n",
          outOfPlace.key);
}

void reportLineEnds(Check& check, const LineEndCounts& counts) {
  if (counts.notCrLf > 0) {
    beginFinding(check);
    printTo(check.out, "line ends other than CR LF: %lu; Save ends every line with CR LF\n",
            counts.notCrLf);
  }
  if (counts.blankLines > 0) {
    beginFinding(check);
    printTo(check.out, "blank lines dropped: %lu\n", counts.blankLines);
  }
  if (counts.lastLineOpen) say(check, "the last line gets the line end it lacks\n");
}

}  // namespace

bool isCanonical(const unsigned char* data, size_t size, int32_t refreshCap) {
  return equalsCanonical(data, size, canonicalFor(data, size, refreshCap));
}

size_t listChanges(const unsigned char* data, size_t size, int32_t refreshCap, FILE* out) {
  Check check{};
  check.data = data;
  check.size = size;
  check.out = out;
  check.shown = asShown(settingsOfFile(data, size, refreshCap, 0));
  check.canonical = canonicalFile(check.shown);
  if (equalsCanonical(data, size, check.canonical)) return 0;
  surveyLines(check);
  if (startsWithByteOrderMark(data, size))
    say(check, "the byte-order mark at the start is dropped\n");
  LineEndCounts lineEnds{};
  const OutOfPlace outOfPlace = reportLines(check, lineEnds);
  reportMissingKeys(check);
  reportOrder(check, outOfPlace);
  reportLineEnds(check, lineEnds);
  return check.found;
}
