// The walk over the settings file's lines.
#include "settings/file_lines.h"

#include <cstring>

namespace {

constexpr unsigned char byteOrderMark[] = {0xEF, 0xBB, 0xBF};

bool isLineEnd(unsigned char byte) {
  return byte == '\r' || byte == '\n';
}

// A line end is CR LF, a CR alone or an LF alone. Each one beyond the first of a run, and each
// one before the first line, makes a blank line.
void passLineEnds(LineWalk& walk) {
  unsigned long runLength = 0;
  while (walk.at < walk.size && isLineEnd(walk.data[walk.at])) {
    const bool crLf =
        walk.data[walk.at] == '\r' && walk.at + 1 < walk.size && walk.data[walk.at + 1] == '\n';
    if (!crLf) ++walk.counts.notCrLf;
    walk.at += crLf ? 2 : 1;
    ++runLength;
  }
  const unsigned long ending = walk.lineSeen && runLength > 0 ? 1 : 0;
  walk.counts.blankLines += runLength - ending;
  walk.lineEnds += runLength;
}

}  // namespace

bool startsWithByteOrderMark(const unsigned char* data, size_t size) {
  return data != nullptr && size >= sizeof byteOrderMark &&
         std::memcmp(data, byteOrderMark, sizeof byteOrderMark) == 0;
}

LineWalk startLineWalk(const unsigned char* data, size_t size) {
  LineWalk walk{data, data != nullptr ? size : 0, 0, 0, false, {}};
  if (startsWithByteOrderMark(data, size)) walk.at = sizeof byteOrderMark;
  passLineEnds(walk);
  return walk;
}

bool nextLine(LineWalk& walk, FileLine& line) {
  if (walk.at >= walk.size) return false;
  line.start = walk.at;
  while (walk.at < walk.size && !isLineEnd(walk.data[walk.at])) ++walk.at;
  line.end = walk.at;
  line.number = walk.lineEnds + 1;
  walk.counts.lastLineOpen = walk.at == walk.size;
  walk.lineSeen = true;
  passLineEnds(walk);
  return true;
}
