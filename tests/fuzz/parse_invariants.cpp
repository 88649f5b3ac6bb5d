// Invariants of the settings record after any parse.
#include "tests/fuzz/parse_invariants.h"

#include <memory>
#include <string>

#include "app/refresh_probe.h"
#include "settings/settings.h"
#include "settings/settings_reader.h"

namespace {

// field, lowest, highest (-1 as highest means "refreshStepCount")
struct Bound {
  const char* name;
  int32_t Settings::*field;
  int32_t lowest;
  int32_t highest;
};

constexpr int32_t upToRefreshSteps = -1;

constexpr Bound bounds[] = {
    {"textureMemoryMb",      &Settings::textureMemoryMb,      2, 108             },
    {"palettedTexture",      &Settings::palettedTexture,      0, 9               },
    {"sharedTexturePalette", &Settings::sharedTexturePalette, 0, 9               },
    {"packedPixels",         &Settings::packedPixels,         0, 9               },
    {"infoCorner",           &Settings::infoCorner,           0, 4               },
    {"showFramerate",        &Settings::showFramerate,        0, 4               },
    {"clockStyle",           &Settings::clockStyle,           0, 3               },
    {"showTextureMass",      &Settings::showTextureMass,      0, 9               },
    {"displayOrder",         &Settings::displayOrder,         0, 5               },
    {"windowed",             &Settings::windowed,             0, 9               },
    {"centred",              &Settings::centred,              0, 9               },
    {"captureMouse",         &Settings::captureMouse,         0, 9               },
    {"windowExtras",         &Settings::windowExtras,         0, 9               },
    {"desktopResolution",    &Settings::desktopResolution,    0, 9               },
    {"fsaaIndex",            &Settings::fsaaIndex,            0, 4               },
    {"refreshIndex",         &Settings::refreshIndex,         0, upToRefreshSteps},
    {"directXVideos",        &Settings::directXVideos,        0, 9               },
    {"textureVideos",        &Settings::textureVideos,        0, 9               },
    {"fixedGamma",           &Settings::fixedGamma,           0, 9               },
    {"language",             &Settings::language,             0, 9               },
};

constexpr int32_t probedStepCounts[] = {0, 4, 29, highestRefreshStepCount};

std::string brokenBound() {
  for (const Bound& bound : bounds) {
    const int32_t highest = bound.highest == upToRefreshSteps ? refreshStepCount : bound.highest;
    const int32_t value = settings.*bound.field;
    if (value < bound.lowest || value > highest)
      return std::string(bound.name) + " = " + std::to_string(value) + " with refreshStepCount " +
             std::to_string(refreshStepCount);
  }
  return "";
}

}  // namespace

std::string parseAndCheckInvariants(const uint8_t* data, size_t size) {
  std::unique_ptr<unsigned char[]> copy(size == 0 ? nullptr : new unsigned char[size]);
  for (size_t i = 0; i < size; ++i) copy[i] = data[i];
  for (const int32_t steps : probedStepCounts) {
    refreshStepCount = steps;
    settings.language = 0;
    applyDefaults();
    readSettingsFrom(copy.get(), size);
    const std::string broken = brokenBound();
    if (!broken.empty()) return broken;
  }
  return "";
}
