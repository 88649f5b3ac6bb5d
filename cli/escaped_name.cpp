// Control bytes in names, escaped for messages.
#include "cli/escaped_name.h"

namespace {

// The escape's letter for the control bytes that have one.
struct NamedControl {
  char byte;
  char letter;
};
constexpr NamedControl namedControls[] = {
    {'\n', 'n'},
    {'\r', 'r'},
    {'\t', 't'},
};

bool isControl(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F;
}

// The escape for one control byte, NUL-terminated, in `out`.
void escapeOf(unsigned char byte, char (&out)[5]) {
  for (const NamedControl& named : namedControls)
    if (named.byte == static_cast<char>(byte)) {
      out[0] = '\\';
      out[1] = named.letter;
      out[2] = '\0';
      return;
    }
  constexpr char digits[] = "0123456789abcdef";
  out[0] = '\\';
  out[1] = 'x';
  out[2] = digits[byte >> 4];
  out[3] = digits[byte & 0xF];
  out[4] = '\0';
}

}  // namespace

EscapedName escapedName(const char* name) {
  size_t length = 0;
  while (name[length] != '\0') ++length;
  return escapedName(name, length);
}

EscapedName escapedName(const char* text, size_t textLength) {
  EscapedName shown{};
  constexpr size_t room = sizeof shown.text - 1;
  size_t length = 0;
  for (const char* at = text; at < text + textLength; ++at) {
    char piece[5] = {*at, '\0'};
    if (isControl(static_cast<unsigned char>(*at)))
      escapeOf(static_cast<unsigned char>(*at), piece);
    size_t pieceLength = 0;
    while (piece[pieceLength] != '\0') ++pieceLength;
    if (length + pieceLength > room) break;
    for (size_t i = 0; i < pieceLength; ++i) shown.text[length++] = piece[i];
  }
  shown.text[length] = '\0';
  return shown;
}
