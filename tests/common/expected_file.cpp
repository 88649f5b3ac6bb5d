// The canonical settings file as the tests expect it, written out apart from the formatter.
#include "tests/common/expected_file.h"

#include <iterator>
#include <utility>

namespace {

// The lines in order, with the values written for the defaults.
const std::pair<const char*, const char*> defaultLines[] = {
    {"MEM:",                           "016"},
    {"GL_EXT_paletted_texture:",       "1"  },
    {"ZENTRIERT:",                     "0"  },
    {"VERSTELLBAR:",                   "0"  },
    {"REFRESH:",                       "00" },
    {"DESKTOPRES:",                    "0"  },
    {"FSAA:",                          "0"  },
    {"MAUSGRENZEN:",                   "0"  },
    {"GL_EXT_shared_texture_palette:", "1"  },
    {"GL_EXT_packed_pixels:",          "1"  },
    {"WINDOWED:",                      "0"  },
    {"DIRECTXVIDEOS:",                 "0"  },
    {"TEXTURVIDEOS:",                  "1"  },
    {"FESTESGAMMA:",                   "0"  },
    {"FPS:",                           "0"  },
    {"ANZEIGEFOLGE:",                  "0"  },
    {"FRAMERATE:",                     "1"  },
    {"UHRZEIT:",                       "0"  },
    {"STATS:",                         "0"  },
    {"SPRACHE:",                       "0"  },
};

}  // namespace

std::string canonicalSettingsFile(const std::map<std::string, std::string>& changed) {
  std::string file;
  for (const auto& line : defaultLines) {
    const auto change = changed.find(line.first);
    file +=
        std::string(line.first) + (change != changed.end() ? change->second : line.second) + "\r\n";
  }
  return file;
}

size_t canonicalLineCount() {
  return std::size(defaultLines);
}

size_t canonicalLineNumberOf(const std::string& key) {
  size_t number = 1;
  while (number <= std::size(defaultLines) && key != defaultLines[number - 1].first) ++number;
  return number;
}
