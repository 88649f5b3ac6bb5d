// The canonical file: the field table walked in Save's order.
#include "settings/settings_format.h"

#include <cstdint>

#include "settings/fields.h"

namespace {

// The number Save writes: the value as the window shows it, FSAA doubled.
int32_t numberWritten(const FieldRow& row, int32_t value) {
  const int32_t shown = shownValue(row, value);
  if (row.kind != FieldKind::doubledChoice || shown < 0) return shown;
  // Out of range either way (zeros or nines); only doubling it must not overflow.
  return shown > INT32_MAX / 2 ? INT32_MAX : 2 * shown;
}

char* append(char* out, const char* text) {
  while (*text != '\0') *out++ = *text++;
  return out;
}

}  // namespace

CanonicalFile canonicalFile(const Settings& record) {
  CanonicalFile file{};
  char* out = file.text;
  for (const FieldRow& row : fieldRows) {
    const int width = static_cast<int>(digitCountOf(row));
    out = append(out, row.key);
    formatDigits(numberWritten(row, record.*row.member), width, out);
    out = append(out + width, canonicalLineEnd);
  }
  return file;
}

void formatDigits(int32_t number, int width, char* out) {
  int32_t largest = 1;
  for (int i = 0; i < width; ++i) largest *= 10;
  --largest;
  int32_t value = number < 0 ? 0 : (number > largest ? largest : number);
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}
