// Invariants of the settings record after any parse, and of the canonical file made from it.
#include "tests/fuzz/parse_invariants.h"

#include <cstring>
#include <memory>
#include <string>

#include "settings/refresh_rates.h"
#include "settings/fields.h"
#include "settings/settings.h"
#include "settings/settings_format.h"
#include "settings/settings_reader.h"

namespace {

// field, lowest, highest (-1 as highest means "the refresh cap"); written out here, apart from
// the field table, so a slip in either shows
struct Bound {
  const char* name;
  int32_t Settings::*field;
  int32_t lowest;
  int32_t highest;
};

constexpr int32_t upToRefreshCap = -1;

constexpr Bound bounds[] = {
    {"textureMemoryMb",      &Settings::textureMemoryMb,      2, 108           },
    {"palettedTexture",      &Settings::palettedTexture,      0, 9             },
    {"sharedTexturePalette", &Settings::sharedTexturePalette, 0, 9             },
    {"packedPixels",         &Settings::packedPixels,         0, 9             },
    {"infoCorner",           &Settings::infoCorner,           0, 4             },
    {"showFramerate",        &Settings::showFramerate,        0, 4             },
    {"clockStyle",           &Settings::clockStyle,           0, 3             },
    {"showTextureMass",      &Settings::showTextureMass,      0, 9             },
    {"displayOrder",         &Settings::displayOrder,         0, 5             },
    {"windowed",             &Settings::windowed,             0, 9             },
    {"centred",              &Settings::centred,              0, 9             },
    {"captureMouse",         &Settings::captureMouse,         0, 9             },
    {"windowExtras",         &Settings::windowExtras,         0, 9             },
    {"desktopResolution",    &Settings::desktopResolution,    0, 9             },
    {"fsaaIndex",            &Settings::fsaaIndex,            0, 4             },
    {"refreshIndex",         &Settings::refreshIndex,         0, upToRefreshCap},
    {"directXVideos",        &Settings::directXVideos,        0, 9             },
    {"textureVideos",        &Settings::textureVideos,        0, 9             },
    {"fixedGamma",           &Settings::fixedGamma,           0, 9             },
    {"language",             &Settings::language,             0, 9             },
};

constexpr int32_t probedRefreshCaps[] = {0, 4, 29, highestRefreshStepCount};

std::string describe(const Bound& bound, int32_t value, int32_t refreshCap) {
  return std::string(bound.name) + " = " + std::to_string(value) + " with refresh cap " +
         std::to_string(refreshCap);
}

std::string brokenBound(const Settings& record, int32_t refreshCap) {
  for (const Bound& bound : bounds) {
    const int32_t highest = bound.highest == upToRefreshCap ? refreshCap : bound.highest;
    const int32_t value = record.*bound.field;
    if (value < bound.lowest || value > highest) return describe(bound, value, refreshCap);
  }
  return "";
}

Settings parse(const unsigned char* data, size_t size, int32_t refreshCap) {
  return settingsOfFile(data, size, refreshCap, 0);
}

// Save's file for the record, read back, gives the record as the window shows it, and saving
// that again gives the same bytes.
std::string brokenRoundTrip(const Settings& record, int32_t refreshCap) {
  const CanonicalFile saved = canonicalFile(record);
  const auto* bytes = reinterpret_cast<const unsigned char*>(saved.text);
  if (std::strlen(saved.text) != canonicalFileBytes) return "the canonical file is not its size";
  const Settings reread = parse(bytes, canonicalFileBytes, refreshCap);
  const Settings shown = asShown(record);
  for (const Bound& bound : bounds) {
    if (reread.*bound.field != shown.*bound.field)
      return "round trip: " + describe(bound, reread.*bound.field, refreshCap) + ", shown " +
             std::to_string(shown.*bound.field);
  }
  if (std::memcmp(canonicalFile(reread).text, saved.text, canonicalFileBytes) != 0)
    return "saving the reread record changes the file";
  return "";
}

}  // namespace

std::string parseAndCheckInvariants(const uint8_t* data, size_t size) {
  std::unique_ptr<unsigned char[]> copy(size == 0 ? nullptr : new unsigned char[size]);
  for (size_t i = 0; i < size; ++i) copy[i] = data[i];
  for (const int32_t refreshCap : probedRefreshCaps) {
    const Settings record = parse(copy.get(), size, refreshCap);
    std::string broken = brokenBound(record, refreshCap);
    if (broken.empty()) broken = brokenRoundTrip(record, refreshCap);
    if (!broken.empty()) return broken;
  }
  return "";
}
