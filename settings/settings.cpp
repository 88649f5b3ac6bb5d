// The settings record's storage, defaults and display-order lookup.
#include "settings/settings.h"

Settings settings;

int32_t orderRowY(OrderItem item) {
  const int32_t code = orderCodes[settings.displayOrder];
  return rowY[(code >> static_cast<int>(item)) & 3];
}

void applyDefaults() {
  const int32_t keptLanguage = settings.language;
  settings = Settings{};
  settings.textureMemoryMb = 16;
  settings.palettedTexture = 1;
  settings.sharedTexturePalette = 1;
  settings.packedPixels = 1;
  settings.showFramerate = 1;
  settings.textureVideos = 1;
  settings.language = keptLanguage;
}
