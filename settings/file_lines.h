// The settings file's lines as every reader of it sees them: an optional byte-order mark, then
// lines separated by runs of CR and LF of any mix and length.
#pragma once

#include <cstddef>

// One line: from its first byte up to its first CR or LF. `number` counts as a text editor does,
// blank lines included.
struct FileLine {
  size_t start;
  size_t end;
  unsigned long number;
};

// The line ends passed so far: how many are not CR LF, how many blank lines they made, and
// whether the last line had none.
struct LineEndCounts {
  unsigned long notCrLf;
  unsigned long blankLines;
  bool lastLineOpen;
};

// Where a walk over the lines stands.
struct LineWalk {
  const unsigned char* data;
  size_t size;
  size_t at;
  unsigned long lineEnds;
  bool lineSeen;
  LineEndCounts counts;
};

// Notepad and other editors may put a UTF-8 byte-order mark at the start of a file.
bool startsWithByteOrderMark(const unsigned char* data, size_t size);

// A walk from the first line: past the byte-order mark and any line ends before it.
LineWalk startLineWalk(const unsigned char* data, size_t size);

// The next line and the line ends after it; false when no line is left.
bool nextLine(LineWalk& walk, FileLine& line);
