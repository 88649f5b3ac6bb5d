// The table of morvane-config command lines: what each prints, answers and leaves on disk.
#include "tests/cli/cli_cases.h"

#include <algorithm>
#include <iterator>
#include <cctype>
#include <map>
#include <sstream>
#include <utility>

#include "tests/common/expected_file.h"

namespace {

constexpr char kFile[] = "quenlix.ini";
// A file that Save did not write, with values off their defaults.
const std::string kHandWritten = "MEM:050\r\nSTATS:1\r\n";

Entry file(const std::string& bytes, const std::string& name = kFile) {
  return {name, bytes, false};
}

Entry directory(const std::string& name = kFile) {
  return {name, "", true};
}

CliCase makeCase(std::string name, std::vector<Entry> before, std::vector<Run> runs,
                 std::vector<Entry> after) {
  return {std::move(name), std::move(before), std::move(runs), std::move(after)};
}

std::string canonical(const std::map<std::string, std::string>& changed = {}) {
  return canonicalSettingsFile(changed);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string withLfOnly(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

// What show prints for a stored refresh step on the display under test, and the part of the
// line it adds on stderr ("" for none): without a display the stored rate is shown, with a
// note that the editor may lower it.
std::string shownRate(const OfferedDisplay& display, int step) {
  const int shown = std::min(step, static_cast<int>(display.refreshSteps));
  return shown == 0 ? "refresh auto" : "refresh " + std::to_string(55 + 5 * shown);
}

std::string rateNote(const OfferedDisplay& display, int step) {
  if (display.probed || step == 0) return "";
  return "refresh " + std::to_string(55 + 5 * step) + " Hz: the editor may lower it";
}

std::string twoDigits(int number) {
  return std::string(1, static_cast<char>('0' + number / 10)) +
         static_cast<char>('0' + number % 10);
}

// "line N" for the canonical file's line of `key`, or for the line numbered `number`.
std::string lineNamed(size_t number) {
  return "line " + std::to_string(number);
}

std::string lineOf(const std::string& key) {
  return lineNamed(canonicalLineNumberOf(key));
}

// What check says of a file Save wrote with this refresh step and the rest canonical.
Run checkOfStoredRate(const OfferedDisplay& display, int step) {
  if (step <= display.refreshSteps) return {{"check"}, 0, {"quenlix.ini: as Save writes it"}, ""};
  const int shown = static_cast<int>(display.refreshSteps);
  return {{"check"},
          1,
          {lineOf("REFRESH:") + ": \"REFRESH:" + twoDigits(step) +
           "\" becomes \"REFRESH:" + twoDigits(shown) + "\" (" + shownRate(display, shown) + ")"},
          ""};
}

// A good value for every name, off its default, in the spellings a person may use: the line
// it changes in a file of defaults and the line show then prints.
struct GoodValue {
  const char* assignment;
  const char* key;
  const char* digits;
  const char* shown;
};

// clang-format off
const GoodValue kGoodValues[] = {
    {"info-corner=upper-right",                       "FPS:",                           "2",   "info-corner upper-right"},
    {"FPS=Lower-Right",                               "FPS:",                           "4",   "info-corner lower-right"},
    {"display-order=clock,framerate,texture-mass",    "ANZEIGEFOLGE:",                  "5",   "display-order clock,framerate,texture-mass"},
    {"display-order=texture-mass,clock,framerate",    "ANZEIGEFOLGE:",                  "2",   "display-order texture-mass,clock,framerate"},
    {"framerate=off",                                 "FRAMERATE:",                     "0",   "framerate off"},
    {"clock=digital",                                 "UHRZEIT:",                       "1",   "clock digital"},
    {"clock=small-analogue",                          "UHRZEIT:",                       "2",   "clock small-analogue"},
    {"texture-mass=yes",                              "STATS:",                         "1",   "texture-mass on"},
    {"texture-memory=64",                             "MEM:",                           "064", "texture-memory 64"},
    {"texture-memory=8",                              "MEM:",                           "008", "texture-memory 8"},
    {"MEM:=108",                                      "MEM:",                           "108", "texture-memory 108"},
    {"paletted-texture=false",                        "GL_EXT_paletted_texture:",       "0",   "paletted-texture off"},
    {"8BITTEXTURE=0",                                 "GL_EXT_paletted_texture:",       "0",   "paletted-texture off"},
    {"shared-texture-palette=0",                      "GL_EXT_shared_texture_palette:", "0",   "shared-texture-palette off"},
    {"packed-pixels=NO",                              "GL_EXT_packed_pixels:",          "0",   "packed-pixels off"},
    {"directx-videos=on",                             "DIRECTXVIDEOS:",                 "1",   "directx-videos on"},
    {"texture-videos=off",                            "TEXTURVIDEOS:",                  "0",   "texture-videos off"},
    {"fixed-gamma=true",                              "FESTESGAMMA:",                   "1",   "fixed-gamma on"},
    {"windowed=1",                                    "WINDOWED:",                      "1",   "windowed on"},
    {"centred=On",                                    "ZENTRIERT:",                     "1",   "centred on"},
    {"capture-mouse=yes",                             "MAUSGRENZEN:",                   "1",   "capture-mouse on"},
    {"window-extras=on",                              "VERSTELLBAR:",                   "1",   "window-extras on"},
    {"desktop-resolution=on",                         "DESKTOPRES:",                    "1",   "desktop-resolution on"},
    {"fsaa=2x",                                       "FSAA:",                          "2",   "fsaa 2x"},
    {"fsaa=8x",                                       "FSAA:",                          "8",   "fsaa 8x"},
    {"language=en",                                   "SPRACHE:",                       "1",   "language en"},
    {"sprache=EN",                                    "SPRACHE:",                       "1",   "language en"},
};

// A bad value for every name and the end of the message that rejects it: the option and the
// value, and where the values are listed.
const std::pair<const char*, const char*> kBadValues[] = {
    {"info-corner=top",                 "info-corner cannot be 'top'; see --help"},
    {"display-order=clock,clock,clock", "display-order cannot be 'clock,clock,clock'; see --help"},
    {"framerate=2",                     "framerate cannot be '2'; see --help"},
    {"clock=analogue",                  "clock cannot be 'analogue'; see --help"},
    {"texture-mass=",                   "texture-mass cannot be ''; see --help"},
    {"texture-memory=7",                "texture-memory cannot be '7'; see --help"},
    {"texture-memory=109",              "texture-memory cannot be '109'; see --help"},
    {"MEM=64MB",                        "texture-memory cannot be '64MB'; see --help"},
    {"paletted-texture=enabled",        "paletted-texture cannot be 'enabled'; see --help"},
    {"shared-texture-palette=-1",       "shared-texture-palette cannot be '-1'; see --help"},
    {"packed-pixels=o",                 "packed-pixels cannot be 'o'; see --help"},
    {"directx-videos=onn",              "directx-videos cannot be 'onn'; see --help"},
    {"texture-videos=10",               "texture-videos cannot be '10'; see --help"},
    {"fixed-gamma=tru",                 "fixed-gamma cannot be 'tru'; see --help"},
    {"refresh=61",                      "refresh cannot be '61'; see --help"},
    {"refresh=205",                     "refresh cannot be '205'; see --help"},
    {"refresh=995",                     "refresh cannot be '995'; see --help"},
    {"refresh=55",                      "refresh cannot be '55'; see --help"},
    {"refresh=1000",                    "refresh cannot be '1000'; see --help"},
    {"windowed=y",                      "windowed cannot be 'y'; see --help"},
    {"centred=center",                  "centred cannot be 'center'; see --help"},
    {"capture-mouse=",                  "capture-mouse cannot be ''; see --help"},
    {"window-extras=2",                 "window-extras cannot be '2'; see --help"},
    {"desktop-resolution=native",       "desktop-resolution cannot be 'native'; see --help"},
    {"fsaa=3x",                         "fsaa cannot be '3x'; see --help"},
    {"fsaa=16x",                        "fsaa cannot be '16x'; see --help"},
    {"language=fr",                     "language cannot be 'fr'; see --help"},
};
// clang-format on

// The cases are written by hand: the formatter would scatter their nested lists.
// clang-format off

// Each good value set in an empty directory, then shown: all of them, or the first alone.
void addGoodValues(std::vector<CliCase>& cases, const OfferedDisplay& display, CaseSet set) {
  const size_t values = set == CaseSet::everything ? std::size(kGoodValues) : 1;
  for (const GoodValue& value : std::vector<GoodValue>(kGoodValues, kGoodValues + values))
    cases.push_back(makeCase(std::string("set ") + value.assignment,
        {},
        {{{"set", value.assignment}, 0, {}, ""},
         {{"show"}, 0, {value.shown}, ""}},
        {file(canonical({{value.key, value.digits}}))}));
  // set writes the rate asked for; show predicts what the editor makes of it here.
  for (const int rateHz : {60, 200}) {
    const int step = (rateHz - 55) / 5;
    cases.push_back(makeCase("set refresh=" + std::to_string(rateHz),
        {},
        {{{"set", "refresh=" + std::to_string(rateHz)}, 0, {}, ""},
         {{"show"}, 0, {shownRate(display, step)}, rateNote(display, step)},
         checkOfStoredRate(display, step)},
        {file(canonical({{"REFRESH:", twoDigits(step)}}))}));
  }
}

// Each bad value refused, the file as it was: all of them, or the first alone.
void addBadValues(std::vector<CliCase>& cases, CaseSet set) {
  const size_t values = set == CaseSet::everything ? std::size(kBadValues) : 1;
  for (const auto& value : std::vector<std::pair<const char*, const char*>>(kBadValues, kBadValues + values))
    cases.push_back(makeCase(std::string("reject ") + value.first,
        {file(kHandWritten)},
        {{{"set", value.first}, 2, {}, std::string("set: ") + value.second}},
        {file(kHandWritten)}));
}

// Command lines that are wrong as a whole: nothing is read or written.
void addUsageErrors(std::vector<CliCase>& cases) {
  const std::pair<std::vector<std::string>, std::string> wrong[] = {
      {{},                                   "no command given"},
      {{"frobnicate"},                       "unknown command 'frobnicate'"},
      {{"set"},                              "set: no NAME=VALUE given"},
      {{"set", "windowed"},                  "set: 'windowed' has no '=': give NAME=VALUE"},
      {{"set", "speed=fast"},                "set: unknown name 'speed'"},
      {{"set", "=on"},                       "set: unknown name ''"},
      {{"set", "--file"},                    "set: --file needs a FILE"},
      {{"set", "--force", "fsaa=4x"},        "set: unknown option '--force'"},
      {{"set", "fsaa=4x", "windowed=maybe"}, "set: windowed cannot be 'maybe'"},
      {{"set", "windowed=maybe", "fsaa=4x"}, "set: windowed cannot be 'maybe'"},
      {{"set", "fsaa=4x", "bogus"},          "set: 'bogus' has no '='"},
      {{"show", "a.ini", "b.ini"},           "show: more than one FILE: 'b.ini'"},
      {{"show", "--yaml"},                   "show: unknown option '--yaml'"},
      {{"reset", "--all"},                   "reset: unknown option '--all'"},
      {{"check", "a.ini", "b.ini"},          "check: more than one FILE: 'b.ini'"},
      // A word that begins with "-" is an option or an error, never a file or an assignment.
      {{"show", "-json"},                    "show: unknown option '-json'"},
      {{"check", "-"},                       "check: unknown option '-'"},
      {{"reset", "-x", "other.ini"},         "reset: unknown option '-x'"},
      {{"set", "-f", "x.ini", "fsaa=4x"},    "set: unknown option '-f'"},
      {{"show", "--json=yes"},               "show: unknown option '--json=yes'"},
      {{"reset", "--file", "other.ini"},     "reset: unknown option '--file'"},
      {{"set", "--file", "a.ini", "--file=b.ini", "fsaa=4x"}, "set: --file given more than once"},
      {{"set", "--file=a.ini", "fsaa=4x", "--file", "a.ini"}, "set: --file given more than once"},
      {{"set", "--", "--file=a.ini"},        "set: unknown name '--file'"},
      // Control bytes in what the user typed come back escaped, on the one line.
      {{"set", "fs\naa=4x"},                "set: unknown name 'fs\\naa'"},
      {{"set", "fsaa=4\tx\x1b"},           "set: fsaa cannot be '4\\tx\\x1b'"},
      {{"frob\rnicate"},                    "unknown command 'frob\\rnicate'"},
  };
  for (const auto& line : wrong) {
    std::string name = "usage";
    for (const std::string& argument : line.first) name += " " + argument;
    cases.push_back(makeCase(name,
        {file(kHandWritten)},
        {{line.first, 2, {}, line.second}},
        {file(kHandWritten)}));
  }
}

void addHelpAndVersion(std::vector<CliCase>& cases) {
  cases.push_back(makeCase("help lists every name, its file key and its values",
      {},
      {{{"--help"}, 0,
        {"info-corner FPS:",
         "display-order ANZEIGEFOLGE:",
         "framerate FRAMERATE:",
         "clock UHRZEIT:",
         "texture-mass STATS:",
         "texture-memory MEM:",
         "paletted-texture GL_EXT_paletted_texture:",
         "shared-texture-palette GL_EXT_shared_texture_palette:",
         "packed-pixels GL_EXT_packed_pixels:",
         "directx-videos DIRECTXVIDEOS:",
         "texture-videos TEXTURVIDEOS:",
         "fixed-gamma FESTESGAMMA:",
         "refresh REFRESH:",
         "windowed WINDOWED:",
         "centred ZENTRIERT:",
         "capture-mouse MAUSGRENZEN:",
         "window-extras VERSTELLBAR:",
         "desktop-resolution DESKTOPRES:",
         "fsaa FSAA:",
         "language SPRACHE:",
         "none | upper-left | upper-right | lower-left | lower-right",
         "framerate,clock,texture-mass | framerate,texture-mass,clock |",
         "texture-mass,clock,framerate | texture-mass,framerate,clock |",
         "clock,texture-mass,framerate | clock,framerate,texture-mass",
         "none | digital | small-analogue | large-analogue",
         "on | off (also 1/0, true/false, yes/no)",
         "8-108",
         "auto | 60 | 65 | ... | 200 (Hz, in steps of 5)",
         "off | 2x | 4x | 6x | 8x",
         "de | en",
         "no rate above 200 Hz fits the file's two digits",
         "lowers a rate its display does not offer to the highest one it does"},
        ""}},
      {}));
  cases.push_back(makeCase("version",
      {},
      {{{"--version"}, 0, {"morvane-config " MORVANE_VERSION}, "", Out::whole}},
      {}));
}

void addShows(std::vector<CliCase>& cases, const OfferedDisplay& display) {
  cases.push_back(makeCase("show the defaults without a file",
      {},
      {{{"show"}, 1,
        {"info-corner none",
         "display-order framerate,clock,texture-mass",
         "framerate on",
         "clock none",
         "texture-mass off",
         "texture-memory 16",
         "paletted-texture on",
         "shared-texture-palette on",
         "packed-pixels on",
         "directx-videos off",
         "texture-videos on",
         "fixed-gamma off",
         "refresh auto",
         "windowed off",
         "centred off",
         "capture-mouse off",
         "window-extras off",
         "desktop-resolution off",
         "fsaa off",
         "language de"},
        "quenlix.ini: no such file; these are the defaults", Out::listing}},
      {}));
  // Values outside the lists, as the window brings them in; nothing is written.
  const std::string outOfRange =
      "WINDOWED:5\r\nMEM:005\r\nUHRZEIT:9\r\nANZEIGEFOLGE:8\r\nSPRACHE:7\r\nFSAA:9\r\n"
      "REFRESH:35\r\nFPS:3\r\nFRAMERATE:0\r\n";
  cases.push_back(makeCase("show values as the window shows them",
      {file(outOfRange)},
      {{{"show"}, 0,
        {"windowed on", "texture-memory 8", "clock large-analogue",
         "display-order clock,framerate,texture-mass", "language en", "fsaa 8x",
         shownRate(display, 25), "info-corner lower-left", "framerate off", "texture-videos on"},
        rateNote(display, 25)}},
      {file(outOfRange)}));
  cases.push_back(makeCase("show and show --json a named file",
      {file("MEM:099\r\nFSAA:6", "other.ini")},
      {{{"show", "other.ini"}, 0, {"texture-memory 99", "fsaa 6x"}, ""},
       {{"show", "--json", "other.ini"}, 0,
        {"\"texture-memory\": 99,", "\"fsaa\": \"6x\",", "\"windowed\": false,"}, ""}},
      {file("MEM:099\r\nFSAA:6", "other.ini")}));
}

void addSets(std::vector<CliCase>& cases, const OfferedDisplay& display) {
  cases.push_back(makeCase("set keeps the rest of the file",
      {file(kHandWritten)},
      {{{"set", "fsaa=4x"}, 0, {}, ""}},
      {file(canonical({{"MEM:", "050"}, {"STATS:", "1"}, {"FSAA:", "4"}}))}));
  cases.push_back(makeCase("set applies the assignments in order",
      {},
      {{{"set", "fsaa=2x", "FSAA=8x", "windowed=on", "windowed=off"}, 0, {}, ""}},
      {file(canonical({{"FSAA:", "8"}}))}));
  // Every field off its default at once, no two lists at the same value.
  cases.push_back(makeCase("set every option at once",
      {},
      {{{"set", "info-corner=lower-left", "display-order=clock,framerate,texture-mass",
         "framerate=off", "clock=small-analogue", "texture-mass=on", "texture-memory=97",
         "paletted-texture=off", "shared-texture-palette=off", "packed-pixels=off",
         "directx-videos=on", "texture-videos=off", "fixed-gamma=on", "refresh=190",
         "windowed=on", "centred=on", "capture-mouse=on", "window-extras=on",
         "desktop-resolution=on", "fsaa=8x", "language=en"},
        0, {}, ""},
       checkOfStoredRate(display, 27)},
      {file(canonical({{"MEM:", "097"}, {"GL_EXT_paletted_texture:", "0"}, {"ZENTRIERT:", "1"},
                       {"VERSTELLBAR:", "1"}, {"REFRESH:", "27"}, {"DESKTOPRES:", "1"},
                       {"FSAA:", "8"}, {"MAUSGRENZEN:", "1"},
                       {"GL_EXT_shared_texture_palette:", "0"}, {"GL_EXT_packed_pixels:", "0"},
                       {"WINDOWED:", "1"}, {"DIRECTXVIDEOS:", "1"}, {"TEXTURVIDEOS:", "0"},
                       {"FESTESGAMMA:", "1"}, {"FPS:", "3"}, {"ANZEIGEFOLGE:", "5"},
                       {"FRAMERATE:", "0"}, {"UHRZEIT:", "2"}, {"STATS:", "1"},
                       {"SPRACHE:", "1"}}))}));
  cases.push_back(makeCase("set a named file, the working directory's left alone",
      {file(kHandWritten)},
      {{{"set", "--file", "other.ini", "windowed=on"}, 0, {}, ""},
       {{"set", "fsaa=6x", "--file=other.ini"}, 0, {}, ""}},
      {file(kHandWritten),
       file(canonical({{"WINDOWED:", "1"}, {"FSAA:", "6"}}), "other.ini")}));
  cases.push_back(makeCase("set refresh back to auto",
      {file("REFRESH:04\r\n")},
      {{{"set", "refresh=auto"}, 0, {}, ""},
       {{"show"}, 0, {"refresh auto"}, ""}},
      {file(canonical())}));
  // The file's two digits hold no rate above 200 Hz (higher ones are refused: see the bad values).
  cases.push_back(makeCase("set the highest rate the file holds",
      {},
      {{{"set", "refresh=200"}, 0, {}, ""},
       {{"show", "--json"}, 0, {"\"refresh\": \"" + shownRate(display, 29).substr(8) + "\","},
        rateNote(display, 29)},
       checkOfStoredRate(display, 29)},
      {file(canonical({{"REFRESH:", "29"}}))}));
}

void addResets(std::vector<CliCase>& cases) {
  cases.push_back(makeCase("reset keeps the language",
      {file("MEM:050\r\nSPRACHE:1\r\nFSAA:8\r\n")},
      {{{"reset"}, 0, {}, ""}},
      {file(canonical({{"SPRACHE:", "1"}}))}));
  cases.push_back(makeCase("reset keeps any language digit",
      {file("SPRACHE:7\r\nWINDOWED:1")},
      {{{"reset"}, 0, {}, ""}},
      {file(canonical({{"SPRACHE:", "7"}}))}));
  cases.push_back(makeCase("reset without a file writes the defaults",
      {},
      {{{"reset"}, 0, {}, ""}},
      {file(canonical())}));
  cases.push_back(makeCase("reset a named file",
      {file(kHandWritten), file("FSAA:4\r\nSPRACHE:1\r\n", "other.ini")},
      {{{"reset", "other.ini"}, 0, {}, ""}},
      {file(kHandWritten), file(canonical({{"SPRACHE:", "1"}}), "other.ini")}));
}

// A check never writes: each file is left as it was.
void addCheck(std::vector<CliCase>& cases, const std::string& name, const std::string& bytes,
              int exitCode, const std::vector<std::string>& report) {
  cases.push_back(makeCase("check " + name,
      {file(bytes)},
      {{{"check"}, exitCode, report, "", Out::whole}},
      {file(bytes)}));
}

void addChecks(std::vector<CliCase>& cases) {
  const std::string heading = "quenlix.ini: Save would change it:";
  addCheck(cases, "the defaults", canonical(), 0, {"quenlix.ini: as Save writes it"});
  addCheck(cases, "a language digit Save keeps", canonical({{"SPRACHE:", "7"}}), 0,
           {"quenlix.ini: as Save writes it"});
  addCheck(cases, "values brought into range",
           canonical({{"MEM:", "999"}, {"FSAA:", "3"}, {"WINDOWED:", "5"}}), 1,
           {heading,
            "  " + lineOf("MEM:") + ": \"MEM:999\" becomes \"MEM:108\" (texture-memory 108)",
            "  " + lineOf("FSAA:") + ": \"FSAA:3\" becomes \"FSAA:2\" (fsaa 2x)",
            "  " + lineOf("WINDOWED:") + ": \"WINDOWED:5\" becomes \"WINDOWED:1\" (windowed on)"});
  addCheck(cases, "an old key",
           replaced(canonical(), "GL_EXT_paletted_texture:1", "8BITTEXTURE:0"), 1,
           {heading,
            "  " + lineOf("GL_EXT_paletted_texture:") +
                ": \"8BITTEXTURE:0\" becomes \"GL_EXT_paletted_texture:0\" "
            "(paletted-texture off)"});
  addCheck(cases, "dropped lines", canonical() + "; set by hand\r\nFPS:2\r\n", 1,
           {heading,
            "  " + lineOf("FPS:") + ": FPS: is set again on " + lineNamed(canonicalLineCount() + 2) +
                ", this line is dropped",
            "  " + lineNamed(canonicalLineCount() + 1) + ": no setting, dropped: \"; set by hand\"",
            "  " + lineNamed(canonicalLineCount() + 2) +
                ": FPS: is out of place; Save writes the lines in its own order"});
  addCheck(cases, "text after a value",
           replaced(canonical(), "STATS:0\r\n", "STATS:0 (by hand)\r\n"), 1,
           {heading, "  " + lineOf("STATS:") + ": text after the value is dropped: \" (by hand)\""});
  addCheck(cases, "another order",
           replaced(canonical(), "MEM:016\r\nGL_EXT_paletted_texture:1\r\n",
                    "GL_EXT_paletted_texture:1\r\nMEM:016\r\n"), 1,
           {heading, "  " + lineOf("GL_EXT_paletted_texture:") +
                         ": MEM: is out of place; Save writes the lines in its own order"});
  addCheck(cases, "a missing key and a byte-order mark",
           "\xEF\xBB\xBF" + replaced(canonical(), "SPRACHE:0\r\n", ""), 1,
           {heading,
            "  the byte-order mark at the start is dropped",
            "  \"SPRACHE:0\" is added (language de, the default)"});
  addCheck(cases, "LF line ends", withLfOnly(canonical()), 1,
           {heading, "  line ends other than CR LF: " + std::to_string(canonicalLineCount()) +
                         "; Save ends every line with CR LF"});
  const std::string lastLineOpen = canonical().substr(0, canonical().size() - 2);
  addCheck(cases, "blank lines and an open last line",
           replaced(lastLineOpen, "ZENTRIERT:0\r\n", "ZENTRIERT:0\r\n\r\n\r\n"), 1,
           {heading, "  blank lines dropped: 2", "  the last line gets the line end it lacks"});
  cases.push_back(makeCase("check without a file",
      {},
      {{{"check"}, 1, {}, "quenlix.ini: no such file; Save would write the defaults",
        Out::whole}},
      {}));
}

// "--" ends the options: a file whose name begins with "-" can be named.
void addOptionsEnd(std::vector<CliCase>& cases) {
  cases.push_back(makeCase("-- before a FILE that begins with -",
      {file(kHandWritten, "-odd.ini")},
      {{{"show", "--", "-odd.ini"}, 0, {"texture-memory 50", "texture-mass on"}, ""},
       {{"show", "--json", "--", "-odd.ini"}, 0, {"\"texture-memory\": 50,"}, ""},
       {{"check", "--", "-odd.ini"}, 1, {"-odd.ini: Save would change it:"}, ""},
       {{"reset", "--", "-odd.ini"}, 0, {}, ""}},
      {file(canonical(), "-odd.ini")}));
  cases.push_back(makeCase("-- before the assignments of set",
      {file(kHandWritten, "-odd.ini")},
      {{{"set", "--file", "-odd.ini", "--", "fsaa=2x", "windowed=on"}, 0, {}, ""},
       {{"set", "--file=-odd.ini", "--", "clock=digital"}, 0, {}, ""}},
      {file(canonical({{"MEM:", "050"}, {"STATS:", "1"}, {"FSAA:", "2"}, {"WINDOWED:", "1"},
                       {"UHRZEIT:", "1"}}), "-odd.ini")}));
}

// --help after any command gives the help and does nothing else, whatever else is on the line.
void addHelpAfterCommands(std::vector<CliCase>& cases) {
  const std::vector<std::string> lines[] = {
      {"show", "--help"},
      {"show", "--json", "-h", "other.ini"},
      {"set", "--help", "fsaa=4x"},
      {"set", "fsaa=bad", "--help"},
      {"set", "--file", "-h"},
      {"reset", "-h"},
      {"reset", "other.ini", "--help"},
      {"check", "--bogus", "--help"},
  };
  for (const std::vector<std::string>& line : lines) {
    std::string name = "help after";
    for (const std::string& argument : line) name += " " + argument;
    cases.push_back(makeCase(name,
        {file(kHandWritten)},
        {{line, 0, {"Usage: morvane-config COMMAND ...", "fsaa FSAA:"}, ""}},
        {file(kHandWritten)}));
  }
  cases.push_back(makeCase("help after -- is a FILE",
      {},
      {{{"show", "--", "--help"}, 1, {"fsaa off"}, "--help: no such file; these are the defaults"}},
      {}));
}

// A file that is not there: show gives the defaults and says so, check says what Save would do,
// both with exit 1, and nothing is made.
void addMissingFiles(std::vector<CliCase>& cases) {
  cases.push_back(makeCase("show and check of a file that is not there",
      {file(kHandWritten)},
      {{{"show", "typo.ini"}, 1, {"texture-memory 16"},
        "typo.ini: no such file; these are the defaults"},
       {{"show", "--json", "typo.ini"}, 1, {"\"texture-memory\": 16,"},
        "typo.ini: no such file; these are the defaults"},
       {{"check", "typo.ini"}, 1, {},
        "typo.ini: no such file; Save would write the defaults", Out::whole}},
      {file(kHandWritten)}));
}

// A directory in the file's place, or none where the file should be: nothing is read, nothing
// is written.
void addDirectoryErrors(std::vector<CliCase>& cases) {
  const std::string inPlace = "quenlix.ini: cannot read it";
  cases.push_back(makeCase("a directory in the place of the file",
      {directory(), directory("sub")},
      {{{"show"}, 3, {}, inPlace},
       {{"set", "fsaa=4x"}, 3, {}, inPlace},
       {{"reset"}, 3, {}, inPlace},
       {{"check"}, 3, {}, inPlace},
       {{"set", "--file", "sub", "fsaa=4x"}, 3, {}, "sub: cannot read it"}},
      {directory(), directory("sub")}));
  const std::string missing = "nowhere/quenlix.ini: cannot read it";
  cases.push_back(makeCase("a directory that does not exist",
      {},
      {{{"set", "--file", "nowhere/quenlix.ini", "fsaa=4x"}, 3, {}, "nowhere/quenlix.ini: cannot"},
       {{"show", "nowhere/quenlix.ini"}, 3, {}, missing}},
      {}));
}

// A settings file has a few hundred bytes: one of 64 KiB is read, one byte more is refused by
// every command without being read, and left as it was.
void addOversizeFiles(std::vector<CliCase>& cases) {
  const std::string comment = "; " + std::string(64 * 1024 - 21, 'x') + "\r\n";
  const std::string largest = comment + "FSAA:4\r\nMEM:099\r\n";
  const std::string over = comment + "FSAA:4\r\nMEM:0999\r\n";
  const std::string refused = "over.ini: cannot read it: 65537 bytes, over 64 KiB";
  cases.push_back(makeCase("a file of 64 KiB is read, one byte more is refused",
      {file(largest, "largest.ini"), file(over, "over.ini")},
      {{{"show", "largest.ini"}, 0, {"fsaa 4x", "texture-memory 99"}, ""},
       {{"show", "over.ini"}, 3, {}, refused},
       {{"set", "--file", "over.ini", "fsaa=2x"}, 3, {}, refused},
       {{"reset", "over.ini"}, 3, {}, refused},
       {{"check", "over.ini"}, 3, {}, refused}},
      {file(largest, "largest.ini"), file(over, "over.ini")}));
}

// clang-format on

// Runs of blanks as one, so a test need not know the column widths.
std::string squeezed(const std::string& line) {
  std::string out;
  for (char c : line)
    if (c != ' ' || out.empty() || out.back() != ' ') out += c;
  return out;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Where a listing line's value begins: after the name and the blanks that follow it.
size_t valueColumn(const std::string& line) {
  const size_t blank = line.find(' ');
  return blank == std::string::npos ? std::string::npos : line.find_first_not_of(' ', blank);
}

// One line per setting, the values in one column, the expected lines among them in order.
void expectListing(const Run& run, const std::vector<std::string>& lines, const std::string& out) {
  EXPECT_EQ(canonicalLineCount(), lines.size()) << out;
  for (const std::string& line : lines)
    EXPECT_EQ(valueColumn(lines.front()), valueColumn(line)) << line;
  auto next = lines.begin();
  for (const std::string& expected : run.outLines) {
    next = std::find_if(next, lines.end(),
                        [&](const std::string& line) { return squeezed(line) == expected; });
    EXPECT_NE(lines.end(), next) << "no line \"" << expected << "\" in order in:\n" << out;
    if (next == lines.end()) return;
  }
}

void expectOut(const Run& run, const std::string& out) {
  const std::vector<std::string> lines = linesOf(out);
  switch (run.out) {
    case Out::whole:
      EXPECT_EQ(run.outLines, lines) << out;
      return;
    case Out::listing:
      expectListing(run, lines, out);
      return;
    case Out::among:
      break;
  }
  for (const std::string& expected : run.outLines) {
    const bool found = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
      return squeezed(line).find(expected) != std::string::npos;
    });
    EXPECT_TRUE(found) << "no line holds \"" << expected << "\" in:\n" << out;
  }
}

// Columns of a console that a line of UTF-8 takes: one per letter, not per byte.
size_t columnsOf(const std::string& line) {
  return static_cast<size_t>(std::count_if(line.begin(), line.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// An 80-column console shows the line whole: with the names of these cases, the message never
// breaks in the middle of a word.
constexpr size_t kConsoleColumns = 80;

void expectErr(const Run& run, const std::string& err) {
  if (run.errText.empty()) {
    EXPECT_EQ("", err);
    return;
  }
  EXPECT_EQ(0u, err.rfind("morvane-config: ", 0)) << err;
  EXPECT_NE(std::string::npos, err.find(run.errText)) << err;
  EXPECT_EQ(1, std::count(err.begin(), err.end(), '\n')) << "one line: " << err;
  EXPECT_LE(columnsOf(err.substr(0, err.find('\n'))), kConsoleColumns) << err;
}

std::string expectedListing(const std::vector<Entry>& entries) {
  std::vector<std::string> names;
  for (const Entry& entry : entries) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  std::string listing;
  for (const std::string& name : names) listing += name + "\n";
  return listing;
}

}  // namespace

std::vector<CliCase> cliCases(const OfferedDisplay& display, CaseSet set) {
  std::vector<CliCase> cases;
  addGoodValues(cases, display, set);
  addBadValues(cases, set);
  addUsageErrors(cases);
  addHelpAndVersion(cases);
  addShows(cases, display);
  addSets(cases, display);
  addResets(cases);
  addChecks(cases);
  addDirectoryErrors(cases);
  addOversizeFiles(cases);
  addOptionsEnd(cases);
  addHelpAfterCommands(cases);
  addMissingFiles(cases);
  return cases;
}

void expectRefusedWhileLockedThenSet(const RunOutcome& held, Sandbox& sandbox) {
  EXPECT_EQ(3, held.exitCode);
  EXPECT_EQ("morvane-config: quenlix.ini: cannot write it: another program is writing it\n",
            held.err);
  EXPECT_EQ(kLockTestFile, sandbox.readFile("quenlix.ini"));
  EXPECT_EQ(0, sandbox.run({"set", "windowed=on"}).exitCode);
  EXPECT_EQ(canonicalSettingsFile({
                {"FSAA:",     "2"},
                {"WINDOWED:", "1"}
  }),
            sandbox.readFile("quenlix.ini"));
}

void runCliCase(const CliCase& c, Sandbox& sandbox) {
  for (const Entry& entry : c.before) {
    if (entry.directory)
      sandbox.makeDirectory(entry.name);
    else
      sandbox.writeFile(entry.name, entry.bytes);
  }
  for (const Run& run : c.runs) {
    std::string commandLine = "morvane-config";
    for (const std::string& argument : run.arguments) commandLine += " " + argument;
    SCOPED_TRACE(commandLine);
    const RunOutcome outcome = sandbox.run(run.arguments);
    EXPECT_EQ(run.exitCode, outcome.exitCode);
    expectOut(run, outcome.out);
    expectErr(run, outcome.err);
  }
  EXPECT_EQ(expectedListing(c.after), sandbox.listing()) << "no other file may be left";
  for (const Entry& entry : c.after)
    if (!entry.directory) {
      EXPECT_EQ(entry.bytes, sandbox.readFile(entry.name)) << entry.name;
    }
}

std::string cliCaseName(const testing::TestParamInfo<CliCase>& testCase) {
  std::string out;
  for (char c : testCase.param.name) out += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return out;
}
