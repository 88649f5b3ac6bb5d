// The settings record's storage, defaults and display-order lookup.
#include "settings/settings.h"

Settings settings;
int32_t refreshStepCount;

int32_t orderRowY(OrderItem item) {
  const int32_t code = orderCodes[settings.displayOrder];
  return rowY[(code >> static_cast<int>(item)) & 3];
}

Settings defaultSettings(int32_t language) {
  Settings record{};
  record.textureMemoryMb = 16;
  record.palettedTexture = 1;
  record.sharedTexturePalette = 1;
  record.packedPixels = 1;
  record.showFramerate = 1;
  record.textureVideos = 1;
  record.language = language;
  return record;
}

void applyDefaults() {
  settings = defaultSettings(settings.language);
}
