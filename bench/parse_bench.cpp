// The settings parse against a plain memchr line count over the same 64 MiB of realistic
// settings lines, alternating the two.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/records.h"
#include "settings/settings.h"
#include "settings/settings_reader.h"

namespace {

constexpr size_t kTextBytes = size_t{64} << 20;
constexpr int32_t kRefreshCap = 9;

// key, how many value digits follow it
struct KeyLine {
  const char* key;
  int digits;
};

constexpr KeyLine keyLines[] = {
    {"VERSTELLBAR:",                   1},
    {"TEXTURVIDEOS:",                  1},
    {"REFRESH:",                       2},
    {"DESKTOPRES:",                    1},
    {"FSAA:",                          1},
    {"8BITTEXTURE:",                   1},
    {"FESTESGAMMA:",                   1},
    {"DIRECTXVIDEOS:",                 1},
    {"ANZEIGEFOLGE:",                  1},
    {"UHRZEIT:",                       1},
    {"MAUSGRENZEN:",                   1},
    {"ZENTRIERT:",                     1},
    {"GL_EXT_palettized_textures:",    1},
    {"GL_EXT_paletted_texture:",       1},
    {"GL_EXT_shared_texture_palette:", 1},
    {"GL_EXT_packed_pixels:",          1},
    {"WINDOWED:",                      1},
    {"MEM:",                           3},
    {"FPS:",                           1},
    {"FRAMERATE:",                     1},
    {"STATS:",                         1},
    {"SPRACHE:",                       1},
};

// What else such files hold: comments, blank lines, other programs' settings, keys in the
// wrong case or after blanks, which the parse passes over.
constexpr const char* otherLines[] = {
    "; Morvane graphics layer settings",
    "# written by the setup program",
    "",
    "[Display]",
    "Resolution=1024x768",
    "Gamma=1.20",
    "LastRun=2003-11-02 21:14",
    "mem:032",
    "  FPS:2",
    "SoundDevice=Primary Sound Driver",
};

// Four lines in five carry a setting; now and then text follows the value on its line.
std::string realisticLines(size_t bytes) {
  std::minstd_rand random(12);
  std::string text;
  text.reserve(bytes + 64);
  while (text.size() < bytes) {
    if (random() % 5 == 0) {
      text += otherLines[random() % (sizeof(otherLines) / sizeof(otherLines[0]))];
    } else {
      const KeyLine& line = keyLines[random() % (sizeof(keyLines) / sizeof(keyLines[0]))];
      text += line.key;
      for (int digit = 0; digit < line.digits; ++digit)
        text += static_cast<char>('0' + random() % 10);
      if (random() % 8 == 0) text += "  ; changed by hand";
    }
    text += "\r\n";
  }
  return text;
}

size_t countLines(const unsigned char* data, size_t size) {
  size_t lines = 0;
  const unsigned char* end = data + size;
  for (const unsigned char* at = data;
       (at = static_cast<const unsigned char*>(std::memchr(at, '\n', end - at))) != nullptr; ++at)
    ++lines;
  return lines;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// The result of every round must equal the first one's: the same bytes give the same answer.
struct Round {
  double parseMs;
  double countMs;
  bool sameResults;
};

Round runRound(const unsigned char* data, size_t size, bool parseFirst, const Settings& expected,
               size_t expectedLines) {
  Round round{};
  Settings record{};
  size_t lines = 0;
  for (int turn = 0; turn < 2; ++turn) {
    const auto start = std::chrono::steady_clock::now();
    if ((turn == 0) == parseFirst) {
      record = settingsOfFile(data, size, kRefreshCap, 0);
      round.parseMs = millisecondsSince(start);
    } else {
      lines = countLines(data, size);
      round.countMs = millisecondsSince(start);
    }
  }
  round.sameResults =
      lines == expectedLines && std::memcmp(&record, &expected, sizeof(Settings)) == 0;
  return round;
}

// "rate KEY EDITOR-BEST EDITOR-MEDIAN FLOOR-BEST FLOOR-MEDIAN", in GB/s.
void printRates(const char* key, size_t bytes, const std::vector<double>& editorMs,
                const std::vector<double>& floorMs) {
  const Spread editor = spreadOf(editorMs);
  const Spread floor = spreadOf(floorMs);
  const double gigabytes = static_cast<double>(bytes) / 1e9;
  std::printf("rate %s %.2f %.2f %.2f %.2f\n", key, gigabytes / (editor.min / 1000),
              gigabytes / (editor.median / 1000), gigabytes / (floor.min / 1000),
              gigabytes / (floor.median / 1000));
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 40;
  const std::string text = realisticLines(kTextBytes);
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());

  const Settings expected = settingsOfFile(data, text.size(), kRefreshCap, 0);
  const size_t expectedLines = countLines(data, text.size());

  std::vector<double> parseMs, countMs;
  for (int i = 0; i < rounds; ++i) {
    const Round round = runRound(data, text.size(), i % 2 == 0, expected, expectedLines);
    if (!round.sameResults) {
      std::fprintf(stderr, "round %d gave another result than the first\n", i);
      return 1;
    }
    parseMs.push_back(round.parseMs);
    countMs.push_back(round.countMs);
  }
  printTimes("parse", parseMs, countMs);
  printRates("parse", text.size(), parseMs, countMs);
  return 0;
}
