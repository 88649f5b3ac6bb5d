// The commands of morvane-config over the settings core and the file access.
#include "cli/commands.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "cli/canonical_check.h"
#include "cli/file_access.h"
#include "cli/offered_rates.h"
#include "cli/option_names.h"
#include "cli/print.h"
#include "cli/escaped_name.h"
#include "settings/held_file.h"
#include "settings/refresh_rates.h"
#include "settings/settings_format.h"
#include "settings/settings_reader.h"

namespace {

constexpr char programName[] = "morvane-config";

// The command's arguments, those after its name.
struct Arguments {
  int count;
  char** values;
};

int usageError(const char* format, ...) {
  printTo(stderr, "%s: ", programName);
  va_list arguments;
  va_start(arguments, format);
  printListTo(stderr, format, arguments);
  va_end(arguments);
  std::fputc('\n', stderr);
  return exitUsage;
}

int fileError(const FileError& error) {
  printTo(stderr, "%s: %s\n", programName, error.text);
  return exitFile;
}

// A command's words sorted out: the operands (FILE, or set's assignments) moved to the front of
// its arguments in their order, the options it takes, and whether help was asked for.
struct CommandWords {
  Arguments operands;
  const char* file = nullptr;
  bool json = false;
  bool help = false;
};

// The options beyond help that a command takes.
enum AcceptedOptions : unsigned { takesNone = 0, takesJson = 1, takesFile = 2 };

// Help, as the command or after any command. Windows users ask with "/?"; the Linux program does
// not take it: a word that begins with "/" names a file there, and a shell may expand "/?" to
// one.
constexpr const char* helpWords[] = {
    "--help",
    "-h",
#ifdef _WIN32
    "/?",
#endif
};

bool isHelpWord(const char* word) {
  for (const char* help : helpWords)
    if (std::strcmp(word, help) == 0) return true;
  return false;
}

// Where --file takes its FILE: "--file FILE" or "--file=FILE". Answers how many words it
// used, 0 when the word is no --file, -1 when FILE is missing.
int takeFileOption(Arguments arguments, int at, const char*& path) {
  const char* argument = arguments.values[at];
  constexpr char option[] = "--file";
  const size_t length = sizeof option - 1;
  if (std::strncmp(argument, option, length) != 0) return 0;
  if (argument[length] == '=') {
    path = argument + length + 1;
    return 1;
  }
  if (argument[length] != '\0') return 0;
  if (at + 1 >= arguments.count) return -1;
  path = arguments.values[at + 1];
  return 2;
}

// The usage error's line on stderr, and no words used.
constexpr int noWordsUsed = 0;

// One option word at `at`; answers how many words it used, or none after a line on stderr.
int takeOption(const char* command, Arguments arguments, int at, unsigned accepted,
               CommandWords& words) {
  const char* word = arguments.values[at];
  if ((accepted & takesJson) != 0 && std::strcmp(word, "--json") == 0) {
    words.json = true;
    return 1;
  }
  const char* file = nullptr;
  const int used = (accepted & takesFile) != 0 ? takeFileOption(arguments, at, file) : 0;
  if (used == 0) {
    usageError("%s: unknown option '%s'", command, escapedName(word).text);
    return noWordsUsed;
  }
  if (used < 0 || words.file != nullptr) {
    usageError(used < 0 ? "%s: --file needs a FILE" : "%s: --file given more than once", command);
    return noWordsUsed;
  }
  words.file = file;
  return used;
}

// A help word before "--" wins over everything else on the line.
bool asksForHelp(Arguments arguments) {
  for (int i = 0; i < arguments.count && std::strcmp(arguments.values[i], "--") != 0; ++i)
    if (isHelpWord(arguments.values[i])) return true;
  return false;
}

// "--" ends the options; before it, a word that begins with "-" is an option or an error,
// never an operand. False after a line on stderr.
bool sortWords(const char* command, Arguments arguments, unsigned accepted, CommandWords& words) {
  words.help = asksForHelp(arguments);
  if (words.help) return true;
  int operandCount = 0;
  bool optionsEnded = false;
  for (int i = 0; i < arguments.count;) {
    char* word = arguments.values[i];
    if (!optionsEnded && std::strcmp(word, "--") == 0) {
      optionsEnded = true;
      ++i;
    } else if (!optionsEnded && word[0] == '-') {
      const int used = takeOption(command, arguments, i, accepted, words);
      if (used == noWordsUsed) return false;
      i += used;
    } else {
      arguments.values[operandCount++] = word;
      ++i;
    }
  }
  words.operands = Arguments{operandCount, arguments.values};
  return true;
}

// The optional FILE of show, reset and check: the working directory's file unless one is given,
// and at most one. Null after a line on stderr.
const char* fileOperand(const char* command, const CommandWords& words) {
  if (words.operands.count == 0) return settingsFileName;
  if (words.operands.count == 1) return words.operands.values[0];
  usageError("%s: more than one FILE: '%s'", command, escapedName(words.operands.values[1]).text);
  return nullptr;
}

// The width of a column of the names table: its longest text.
int columnWidth(const char* OptionName::*column) {
  size_t longest = 0;
  for (const OptionName& option : allOptions())
    if (std::strlen(option.*column) > longest) longest = std::strlen(option.*column);
  return static_cast<int>(longest);
}

// The file's record as the editor shows it on this machine, the defaults when there is no
// file; false, with the reason, when the file is there but cannot be read.
bool loadShown(const char* path, Settings& record, bool& exists, FileError& error) {
  FileBytes bytes{};
  if (!readSettingsFile(path, bytes, error)) return false;
  record = asShown(settingsOfFile(bytes.data, bytes.size, offeredRefreshRates().steps, 0));
  exists = bytes.exists;
  releaseFileBytes(bytes);
  return true;
}

void printAligned(const Settings& record) {
  const int width = columnWidth(&OptionName::name);
  for (const OptionName& option : allOptions()) {
    char value[valueTextSize];
    formatValue(option, record.*option.field->member, value);
    printTo(stdout, "%-*s  %s\n", width, option.name, value);
  }
}

// One JSON type per option: on/off as true/false, the texture memory as a number, everything
// else as the text set takes, the refresh rate too ("auto", "75"), so that "auto" and a rate
// share a type.
void printJsonValue(const OptionName& option, int32_t value) {
  char text[valueTextSize];
  formatValue(option, value, text);
  if (option.field->kind == FieldKind::onOff)
    std::fputs(value != 0 ? "true" : "false", stdout);
  else if (option.field->kind == FieldKind::memoryMb)
    std::fputs(text, stdout);
  else
    printTo(stdout, "\"%s\"", text);
}

void printJson(const Settings& record) {
  std::puts("{");
  for (const OptionName& option : allOptions()) {
    printTo(stdout, "  \"%s\": ", option.name);
    printJsonValue(option, record.*option.field->member);
    std::puts(&option + 1 != allOptions().end() ? "," : "");
  }
  std::puts("}");
}

int runHelp();

// Without a display to ask, the stored rate is shown as it is; the editor may show less.
void noteRefreshWithoutDisplay(const Settings& record) {
  if (offeredRefreshRates().fromDisplay || record.refreshIndex <= 0) return;
  printTo(stderr, "%s: refresh %d Hz: the editor may lower it to fit its display\n", programName,
          static_cast<int>(rateHzOfStep(record.refreshIndex)));
}

// What openCommand answers when the command goes on; any other answer is its exit code.
constexpr int goOn = -1;

// Every command's opening: its words sorted and help answered.
int openCommand(const char* command, Arguments arguments, unsigned accepted, CommandWords& words) {
  if (!sortWords(command, arguments, accepted, words)) return exitUsage;
  return words.help ? runHelp() : goOn;
}

// The opening of a command on one FILE (show, reset, check), which it finds in `path`.
int openFileCommand(const char* command, Arguments arguments, unsigned accepted,
                    CommandWords& words, const char*& path) {
  const int opened = openCommand(command, arguments, accepted, words);
  if (opened != goOn) return opened;
  path = fileOperand(command, words);
  return path != nullptr ? goOn : exitUsage;
}

int runShow(Arguments arguments) {
  CommandWords words;
  const char* path = nullptr;
  const int opened = openFileCommand("show", arguments, takesJson, words, path);
  if (opened != goOn) return opened;
  Settings record{};
  bool exists = false;
  FileError error{};
  if (!loadShown(path, record, exists, error)) return fileError(error);
  if (words.json)
    printJson(record);
  else
    printAligned(record);
  if (!exists) {
    printTo(stderr, "%s: %s: no such file; these are the defaults\n", programName,
            escapedName(path).text);
    return exitNotAsSaved;
  }
  noteRefreshWithoutDisplay(record);
  return exitDone;
}

// Checks NAME=VALUE and, with `record` given, puts the value into it. Answers exitDone or,
// after the line on stderr, exitUsage.
int takeAssignment(const char* assignment, Settings* record) {
  const char* equals = std::strchr(assignment, '=');
  if (equals == nullptr)
    return usageError("set: '%s' has no '=': give NAME=VALUE", escapedName(assignment).text);
  const size_t nameLength = static_cast<size_t>(equals - assignment);
  const OptionName* option = findOption(assignment, nameLength);
  if (option == nullptr)
    return usageError("set: unknown name '%s'; see %s --help",
                      escapedName(assignment, nameLength).text, programName);
  int32_t value = 0;
  // The line stays short enough for a console: the help lists the values.
  if (!parseValue(*option, equals + 1, value))
    return usageError("set: %s cannot be '%s'; see --help", option->name,
                      escapedName(equals + 1).text);
  if (record != nullptr) record->*option->field->member = value;
  return exitDone;
}

// Applies the assignments in order; with `record` null, only checks them.
int walkAssignments(Arguments assignments, Settings* record) {
  for (int i = 0; i < assignments.count; ++i)
    if (takeAssignment(assignments.values[i], record) != exitDone) return exitUsage;
  return exitDone;
}

// What a rewrite does to the record it has read: set's assignments, or reset's defaults.
struct Change {
  bool reset;
  Arguments assignments;
};

void applyChange(const Change& change, Settings& record) {
  if (change.reset)
    record = defaultSettings(record.language);
  else
    walkAssignments(change.assignments, &record);
}

int saveRecord(const char* path, const Settings& record) {
  FileError error{};
  return replaceSettingsFile(path, canonicalFile(record).text, error) ? exitDone : fileError(error);
}

// The read, the change and the replace under the writers' lock, so that another writer's
// change lands either wholly before this one's read or wholly after its replace.
int rewriteFile(const char* path, const Change& change) {
  WriteLock lock{};
  FileError error{};
  if (!lockForWriting(path, lock, error)) return fileError(error);
  Settings record{};
  bool exists = false;
  int result = exitFile;
  if (loadShown(path, record, exists, error)) {
    applyChange(change, record);
    result = saveRecord(path, record);
  } else {
    fileError(error);
  }
  releaseWriteLock(lock);
  return result;
}

// Every assignment is checked before the file is read, so a bad one changes nothing.
int runSet(Arguments arguments) {
  CommandWords words;
  const int opened = openCommand("set", arguments, takesFile, words);
  if (opened != goOn) return opened;
  if (walkAssignments(words.operands, nullptr) != exitDone) return exitUsage;
  if (words.operands.count == 0) return usageError("set: no NAME=VALUE given");
  const char* path = words.file != nullptr ? words.file : settingsFileName;
  return rewriteFile(path, Change{false, words.operands});
}

int runReset(Arguments arguments) {
  CommandWords words;
  const char* path = nullptr;
  const int opened = openFileCommand("reset", arguments, takesNone, words, path);
  if (opened != goOn) return opened;
  return rewriteFile(path, Change{
                               true, Arguments{0, nullptr}
  });
}

int checkBytes(const char* path, const FileBytes& bytes) {
  const int32_t refreshCap = offeredRefreshRates().steps;
  const EscapedName name = escapedName(path);
  if (isCanonical(bytes.data, bytes.size, refreshCap)) {
    printTo(stdout, "%s: as Save writes it\n", name.text);
    return exitDone;
  }
  printTo(stdout, "%s: Save would change it:\n", name.text);
  listChanges(bytes.data, bytes.size, refreshCap, stdout);
  return exitNotAsSaved;
}

int runCheck(Arguments arguments) {
  CommandWords words;
  const char* path = nullptr;
  const int opened = openFileCommand("check", arguments, takesNone, words, path);
  if (opened != goOn) return opened;
  FileBytes bytes{};
  FileError error{};
  if (!readSettingsFile(path, bytes, error)) return fileError(error);
  if (!bytes.exists) {
    printTo(stderr, "%s: %s: no such file; Save would write the defaults\n", programName,
            escapedName(path).text);
    return exitNotAsSaved;
  }
  const int result = checkBytes(path, bytes);
  releaseFileBytes(bytes);
  return result;
}

// Every line fits an 80-column console.
constexpr char helpHeading[] =
    "Usage: morvane-config COMMAND ...\n"
    "Sets the Morvane graphics layer's options in its settings file without the\n"
    "editor's window.\n"
    "\n"
    "  show [--json] [FILE]             every option as the editor would show it\n"
    "  set [--file FILE] NAME=VALUE...  change options, all or none; the file is\n"
    "                                   written byte for byte as Save writes it\n"
    "  reset [FILE]                     every option at its default but the language\n"
    "  check [FILE]                     exit 0 when the file is as Save writes it;\n"
    "                                   else exit 1 and list what Save would change\n"
#ifdef _WIN32
    "  --help (also -h, /?), --version\n"
#else
    "  --help (also -h), --version\n"
#endif
    "\n"
    "FILE is quenlix.ini in the working directory unless given; \"--\" ends the\n"
    "options, so FILE may begin with \"-\". --help after a command gives this help.\n"
    "Exit codes: 0 done, 1 Save would change the file (check) or there is no file\n"
    "(show, check), 2 a bad command line, 3 the file cannot be read or written (it\n"
    "is then left as it was). Another morvane-config writing the file is waited\n"
    "for 3 seconds.\n";

#ifdef _WIN32
// The wait for another program's hold, from the one place that sets it.
constexpr char helpHeldFile[] =
    "A file that another program holds open (a virus scanner, a game) is tried\n"
    "again every %lu ms for %lu ms; a read-only file is refused at once.\n";
#endif

constexpr char helpNamesHeading[] =
    "\n"
    "NAME, its file key (also a name: MEM=64), what it does, its values:\n";

constexpr char helpRefreshNote[] =
    "\n"
    "refresh: no rate above 200 Hz fits the file's two digits, and the editor\n"
    "lowers a rate its display does not offer to the highest one it does.\n";

constexpr int helpIndent = 6;
constexpr int helpColumns = 80;

// The allowed values after the indent, wrapped at the " | " between two where the next one
// would pass the last column.
void printWrappedValues(const char* values) {
  constexpr char separator[] = " | ";
  constexpr int separatorLength = sizeof separator - 1;
  printTo(stdout, "%*s", helpIndent, "");
  int column = helpIndent;
  for (const char* piece = values; piece != nullptr;) {
    const char* next = std::strstr(piece, separator);
    const int length =
        next != nullptr ? static_cast<int>(next - piece) : static_cast<int>(std::strlen(piece));
    if (piece != values && column + separatorLength + length > helpColumns) {
      printTo(stdout, " |\n%*s", helpIndent, "");
      column = helpIndent;
    } else if (piece != values) {
      std::fputs(separator, stdout);
      column += separatorLength;
    }
    printTo(stdout, "%.*s", length, piece);
    column += length;
    piece = next != nullptr ? next + separatorLength : nullptr;
  }
  std::fputc('\n', stdout);
}

int runHelp() {
  std::fputs(helpHeading, stdout);
#ifdef _WIN32
  printTo(stdout, helpHeldFile, heldFileRetryMs, heldFileWaitMs);
#endif
  std::fputs(helpNamesHeading, stdout);
  const int nameWidth = columnWidth(&OptionName::name);
  for (const OptionName& option : allOptions()) {
    printTo(stdout, "  %-*s  %s\n%*s%s\n", nameWidth, option.name, option.field->key, helpIndent,
            "", option.about);
    char allowed[valueTextSize];
    describeAllowed(option, allowed);
    printWrappedValues(allowed);
  }
  std::fputs(helpRefreshNote, stdout);
  return exitDone;
}

int runVersion(Arguments) {
  printTo(stdout, "%s %s\n", programName, MORVANE_VERSION);
  return exitDone;
}

// A command and what runs it; help is asked for by its own words (helpWords).
struct Command {
  const char* name;
  int (*run)(Arguments arguments);
};

constexpr Command commands[] = {
    {"show",      runShow   },
    {"set",       runSet    },
    {"reset",     runReset  },
    {"check",     runCheck  },
    {"--version", runVersion},
};

}  // namespace

#ifdef _WIN32
// Every line fits an 80-column console, and the whole fits its window without scrolling.
constexpr char introduction[] =
    "morvane-config sets the options of the Morvane graphics layer in quenlix.ini\n"
    "from a command prompt or a script. The settings window that edits the same\n"
    "file is morvane-settings.exe: start that one to change them with the mouse.\n"
    "\n"
    "  morvane-config show               every option as the editor shows it\n"
    "  morvane-config set NAME=VALUE...  change options (fsaa=4x windowed=on)\n"
    "  morvane-config reset              every option back to its default\n"
    "  morvane-config check              what Save would change in the file\n"
    "\n"
    "Run it in a command prompt in the game's folder; morvane-config --help lists\n"
    "every option with its values.\n";

int runIntroduction() {
  std::fputs(introduction, stdout);
  return exitDone;
}
#endif

int runCommandLine(int argc, char** argv) {
  if (argc < 2) return usageError("no command given; see %s --help", programName);
  if (isHelpWord(argv[1])) return runHelp();
  const Arguments rest{argc - 2, argv + 2};
  for (const Command& command : commands)
    if (std::strcmp(argv[1], command.name) == 0) return command.run(rest);
  return usageError("unknown command '%s'; see %s --help", escapedName(argv[1]).text, programName);
}
