// Value digits of the written settings file.
#include "settings/settings_format.h"

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
