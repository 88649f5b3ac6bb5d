// The one settings record, its defaults and the display-order tables.
#pragma once

#include <cstdint>

struct Settings {
  int32_t textureMemoryMb;
  int32_t palettedTexture;
  int32_t sharedTexturePalette;
  int32_t packedPixels;
  int32_t infoCorner;
  int32_t showFramerate;
  int32_t clockStyle;
  int32_t showTextureMass;
  int32_t displayOrder;
  int32_t windowed;
  int32_t centred;
  int32_t captureMouse;
  int32_t windowExtras;
  int32_t desktopResolution;
  int32_t fsaaIndex;
  int32_t refreshIndex;
  int32_t directXVideos;
  int32_t textureVideos;
  int32_t fixedGamma;
  int32_t language;
};

extern Settings settings;

// Entries after "auto" in the refresh list; entry n stands for 55 + 5n Hz. Set once by the
// display probe before the file is read, since it caps the stored refresh choice.
extern int32_t refreshStepCount;

// The file the editor reads and writes, in the working directory.
inline constexpr char settingsFileName[] = "quenlix.ini";

// Texture memory: the file may ask for as little as 2 MB, the memory list offers 8 MB upwards.
inline constexpr int32_t lowestFileMemoryMb = 2;
inline constexpr int32_t lowestListedMemoryMb = 8;
inline constexpr int32_t highestMemoryMb = 108;

// Each code holds three row numbers (1-3): frame rate in bits 8-11, clock in bits 4-7,
// texture amount in bits 0-3.
inline constexpr int32_t orderCodes[6] = {0x123, 0x132, 0x321, 0x231, 0x312, 0x213};
inline constexpr int32_t rowY[4] = {0, 60, 85, 110};
inline constexpr int32_t displayOrderCount = 6;

// The shift that selects an item's row number within an order code.
enum class OrderItem : int { framerate = 8, clock = 4, textureMass = 0 };

// The y of an item's row under a display order (0-5).
int32_t orderRowY(int32_t order, OrderItem item);

// Every field at its default but language, which belongs to the file and the user.
Settings defaultSettings(int32_t language);

// The record becomes defaultSettings(settings.language).
void applyDefaults();
