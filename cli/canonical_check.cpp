// The comparison of a settings file with the canonical file Save writes for it.
#include "cli/canonical_check.h"

#include <cstdint>
#include <cstring>

#include "cli/option_names.h"
#include "cli/print.h"
#include "settings/settings_format.h"
#include "settings/settings_reader.h"

namespace {

constexpr unsigned char byteOrderMark[] = {0xEF, 0xBB, 0xBF};
constexpr size_t noLine = SIZE_MAX;
// Enough of a dropped line to recognise it.
constexpr size_t excerptBytes = 40;

bool isLineEnd(unsigned char byte) {
  return byte == '\r' || byte == '\n';
}

bool startsWithByteOrderMark(const unsigned char* data, size_t size) {
  return size >= sizeof(byteOrderMark) &&
         std::memcmp(data, byteOrderMark, sizeof(byteOrderMark)) == 0;
}

// One line as the parse sees it: from its first byte up to its first CR or LF. `number` counts
// as a text editor does, blank lines included.
struct Line {
  size_t start;
  size_t end;
  unsigned long number;
};

struct LineEndCounts {
  unsigned long notCrLf;
  unsigned long blankLines;
  bool lastLineOpen;
};

// Walks the lines as the parse does: runs of CR and LF of any length separate them.
class LineWalk {
 public:
  LineWalk(const unsigned char* data, size_t size)
      : data_(data),
        size_(size),
        at_(startsWithByteOrderMark(data, size) ? sizeof(byteOrderMark) : 0) {
    skipLineEnds();
  }

  bool next(Line& line) {
    if (at_ >= size_) return false;
    line.start = at_;
    while (at_ < size_ && !isLineEnd(data_[at_])) ++at_;
    line.end = at_;
    line.number = breaks_ + 1;
    counts_.lastLineOpen = at_ == size_;
    lineSeen_ = true;
    skipLineEnds();
    return true;
  }

  const LineEndCounts& counts() const { return counts_; }

 private:
  // A line end is CR LF, a CR alone or an LF alone. Each one beyond the first of a run, and each
  // one before the first line, makes a blank line.
  void skipLineEnds() {
    unsigned long runBreaks = 0;
    while (at_ < size_ && isLineEnd(data_[at_])) {
      const bool crLf = data_[at_] == '\r' && at_ + 1 < size_ && data_[at_ + 1] == '\n';
      if (!crLf) ++counts_.notCrLf;
      at_ += crLf ? 2 : 1;
      ++runBreaks;
    }
    const unsigned long ending = lineSeen_ && runBreaks > 0 ? 1 : 0;
    counts_.blankLines += runBreaks - ending;
    breaks_ += runBreaks;
  }

  const unsigned char* data_;
  size_t size_;
  size_t at_;
  unsigned long breaks_ = 0;
  bool lineSeen_ = false;
  LineEndCounts counts_{};
};

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

size_t optionIndex(const OptionName* option) {
  return static_cast<size_t>(option - optionNames);
}

// What one check found out about the file, line by line, before anything is reported.
struct FileSurvey {
  size_t lastLineStart[optionCount];
  unsigned long lastLineNumber[optionCount];
};

FileSurvey surveyLines(const unsigned char* data, size_t size) {
  FileSurvey survey{};
  for (size_t& start : survey.lastLineStart) start = noLine;
  LineWalk walk(data, size);
  for (Line line{}; walk.next(line);) {
    const char* key = keyOfLine(data + line.start, size - line.start);
    if (key == nullptr) continue;
    const size_t index = optionIndex(optionOfFileKey(key));
    survey.lastLineStart[index] = line.start;
    survey.lastLineNumber[index] = line.number;
  }
  return survey;
}

class ChangeReport {
 public:
  ChangeReport(const unsigned char* data, size_t size, int32_t refreshCap, FILE* out)
      : data_(data),
        size_(size),
        out_(out),
        shown_(asShown(settingsOfFile(data, size, refreshCap))),
        canonical_(canonicalFile(shown_)),
        survey_(surveyLines(data, size)) {}

  size_t run() {
    if (size_ == canonicalFileBytes && std::memcmp(data_, canonical_.text, size_) == 0) return 0;
    if (startsWithByteOrderMark(data_, size_)) say("the byte-order mark at the start is dropped\n");
    LineWalk walk(data_, size_);
    for (Line line{}; walk.next(line);) reportLine(line);
    reportMissingKeys();
    reportOrder();
    reportLineEnds(walk.counts());
    return found_;
  }

 private:
  // Every finding is one line of its own, indented under the command's heading.
  void beginFinding() {
    std::fputs("  ", out_);
    ++found_;
  }

  void say(const char* text) {
    beginFinding();
    std::fputs(text, out_);
  }

  void sayLine(const Line& line) {
    beginFinding();
    printTo(out_, "line %lu: ", line.number);
  }

  // "texture-memory 108": the option's value as the editor will show it.
  void printShown(const OptionName& option) {
    char value[valueTextSize];
    formatValue(option, shown_.*option.field, value);
    printTo(out_, "%s %s", option.name, value);
  }

  void reportLine(const Line& line) {
    const char* key = keyOfLine(data_ + line.start, size_ - line.start);
    if (key == nullptr) {
      sayLine(line);
      std::fputs("no setting, dropped: ", out_);
      printQuoted(out_, data_ + line.start, line.end - line.start);
      std::fputc('\n', out_);
      return;
    }
    const OptionName& option = *optionOfFileKey(key);
    const size_t index = optionIndex(&option);
    if (survey_.lastLineStart[index] != line.start) {
      sayLine(line);
      printTo(out_, "%s is set again on line %lu, this line is dropped\n", key,
              survey_.lastLineNumber[index]);
      return;
    }
    const CanonicalLine written = canonicalLineOf(canonical_, option.fileKey);
    const size_t valueWidth = written.length - std::strlen(option.fileKey);
    const size_t valueEnd = line.start + std::strlen(key) + valueWidth;
    reportRewrittenValue(line, option, written, valueEnd < line.end ? valueEnd : line.end);
    if (valueEnd < line.end) reportTextAfterValue(line, valueEnd);
  }

  // The key and value as the file has them, against the line Save writes for them.
  void reportRewrittenValue(const Line& line, const OptionName& option,
                            const CanonicalLine& written, size_t end) {
    const size_t length = end - line.start;
    if (length == written.length &&
        std::memcmp(data_ + line.start, canonical_.text + written.offset, length) == 0)
      return;
    sayLine(line);
    printQuoted(out_, data_ + line.start, length);
    std::fputs(" becomes ", out_);
    printQuoted(out_, reinterpret_cast<const unsigned char*>(canonical_.text + written.offset),
                written.length);
    std::fputs(" (", out_);
    printShown(option);
    std::fputs(")\n", out_);
  }

  void reportTextAfterValue(const Line& line, size_t valueEnd) {
    sayLine(line);
    std::fputs("text after the value is dropped: ", out_);
    printQuoted(out_, data_ + valueEnd, line.end - valueEnd);
    std::fputc('\n', out_);
  }

  void reportMissingKeys() {
    for (const OptionName& option : optionNames) {
      if (survey_.lastLineStart[optionIndex(&option)] != noLine) continue;
      const CanonicalLine written = canonicalLineOf(canonical_, option.fileKey);
      beginFinding();
      printQuoted(out_, reinterpret_cast<const unsigned char*>(canonical_.text + written.offset),
                  written.length);
      std::fputs(" is added (", out_);
      printShown(option);
      std::fputs(", the default)\n", out_);
    }
  }

  // The lines that stay, taken in the file's order, must follow Save's order.
  void reportOrder() {
    size_t previousOffset = 0;
    LineWalk walk(data_, size_);
    for (Line line{}; walk.next(line);) {
      const char* key = keyOfLine(data_ + line.start, size_ - line.start);
      if (key == nullptr) continue;
      const OptionName& option = *optionOfFileKey(key);
      if (survey_.lastLineStart[optionIndex(&option)] != line.start) continue;
      const size_t offset = canonicalLineOf(canonical_, option.fileKey).offset;
      if (offset < previousOffset) {
        sayLine(line);
        printTo(out_, "%s is out of place; Save writes the lines in its own order\n", key);
        return;
      }
      previousOffset = offset;
    }
  }

  void reportLineEnds(const LineEndCounts& counts) {
    if (counts.notCrLf > 0) {
      beginFinding();
      printTo(out_, "line ends other than CR LF: %lu; Save ends every line with CR LF\n",
              counts.notCrLf);
    }
    if (counts.blankLines > 0) {
      beginFinding();
      printTo(out_, "blank lines dropped: %lu\n", counts.blankLines);
    }
    if (counts.lastLineOpen) say("the last line gets the line end it lacks\n");
  }

  const unsigned char* data_;
  size_t size_;
  FILE* out_;
  Settings shown_;
  CanonicalFile canonical_;
  FileSurvey survey_;
  size_t found_ = 0;
};

}  // namespace

Settings settingsOfFile(const unsigned char* data, size_t size, int32_t refreshCap) {
  Settings record = defaultSettings(0);
  parseSettings(data, size, refreshCap, record);
  return record;
}

bool isCanonical(const unsigned char* data, size_t size, int32_t refreshCap) {
  const CanonicalFile canonical = canonicalFile(asShown(settingsOfFile(data, size, refreshCap)));
  return size == canonicalFileBytes && std::memcmp(data, canonical.text, size) == 0;
}

size_t listChanges(const unsigned char* data, size_t size, int32_t refreshCap, FILE* out) {
  return ChangeReport(data, size, refreshCap, out).run();
}
