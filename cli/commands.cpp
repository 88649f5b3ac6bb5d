// The commands of morvane-config over the settings core and the file access.
#include "cli/commands.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "cli/canonical_check.h"
#include "cli/file_access.h"
#include "cli/option_names.h"
#include "cli/print.h"
#include "settings/settings_format.h"

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

bool isOption(const char* argument) {
  return argument[0] == '-' && argument[1] == '-';
}

// The width of a column of the names table: its longest text.
int columnWidth(const char* OptionName::*column) {
  size_t longest = 0;
  for (const OptionName& option : optionNames)
    if (std::strlen(option.*column) > longest) longest = std::strlen(option.*column);
  return static_cast<int>(longest);
}

// The file's record as the editor shows it, the defaults when there is no file; false, with
// the reason, when the file is there but cannot be read.
bool loadShown(const char* path, Settings& record, FileError& error) {
  FileBytes bytes{};
  if (!readSettingsFile(path, bytes, error)) return false;
  record = asShown(settingsOfFile(bytes.data, bytes.size));
  releaseFileBytes(bytes);
  return true;
}

int saveRecord(const char* path, const Settings& record) {
  FileError error{};
  return replaceSettingsFile(path, canonicalFile(record).text, error) ? exitDone : fileError(error);
}

// The optional FILE of show, reset and check: the working directory's file unless one is given,
// and at most one.
struct FileArgument {
  const char* path = settingsFileName;
  bool given = false;

  bool take(const char* argument) {
    if (given) return false;
    path = argument;
    given = true;
    return true;
  }
};

void printAligned(const Settings& record) {
  const int width = columnWidth(&OptionName::name);
  for (const OptionName& option : optionNames) {
    char value[valueTextSize];
    formatValue(option, record.*option.field, value);
    printTo(stdout, "%-*s  %s\n", width, option.name, value);
  }
}

// Values that are numbers go out as numbers, on/off as true/false, everything else as text.
void printJsonValue(const OptionName& option, int32_t value) {
  char text[valueTextSize];
  formatValue(option, value, text);
  const bool isNumber =
      option.kind == FieldKind::memoryMb || (option.kind == FieldKind::refreshStep && value > 0);
  if (option.kind == FieldKind::onOff)
    std::fputs(value != 0 ? "true" : "false", stdout);
  else if (isNumber)
    std::fputs(text, stdout);
  else
    printTo(stdout, "\"%s\"", text);
}

void printJson(const Settings& record) {
  std::puts("{");
  for (size_t i = 0; i < optionCount; ++i) {
    printTo(stdout, "  \"%s\": ", optionNames[i].name);
    printJsonValue(optionNames[i], record.*optionNames[i].field);
    std::puts(i + 1 < optionCount ? "," : "");
  }
  std::puts("}");
}

// The FILE and the options of show, reset and check; --json only where `json` is given.
bool takeFileArguments(const char* command, Arguments arguments, FileArgument& file, bool* json) {
  for (int i = 0; i < arguments.count; ++i) {
    const char* argument = arguments.values[i];
    if (json != nullptr && std::strcmp(argument, "--json") == 0) {
      *json = true;
    } else if (isOption(argument)) {
      usageError("%s: unknown option '%s'", command, argument);
      return false;
    } else if (!file.take(argument)) {
      usageError("%s: more than one FILE: '%s'", command, argument);
      return false;
    }
  }
  return true;
}

int runShow(Arguments arguments) {
  FileArgument file;
  bool json = false;
  if (!takeFileArguments("show", arguments, file, &json)) return exitUsage;
  Settings record{};
  FileError error{};
  if (!loadShown(file.path, record, error)) return fileError(error);
  if (json)
    printJson(record);
  else
    printAligned(record);
  return exitDone;
}

// Checks NAME=VALUE and, with `record` given, puts the value into it. Answers exitDone or,
// after the line on stderr, exitUsage.
int takeAssignment(const char* assignment, Settings* record) {
  const char* equals = std::strchr(assignment, '=');
  if (equals == nullptr) return usageError("set: '%s' has no '=': give NAME=VALUE", assignment);
  const size_t nameLength = static_cast<size_t>(equals - assignment);
  const OptionName* option = findOption(assignment, nameLength);
  if (option == nullptr)
    return usageError("set: unknown name '%.*s' (%s --help lists the names)",
                      static_cast<int>(nameLength), assignment, programName);
  int32_t value = 0;
  if (!parseValue(*option, equals + 1, value)) {
    char allowed[valueTextSize];
    describeAllowed(*option, allowed);
    return usageError("set: %s: '%s' is not allowed; allowed: %s", option->name, equals + 1,
                      allowed);
  }
  if (record != nullptr) record->*option->field = value;
  return exitDone;
}

// Where --file takes its FILE: "--file FILE" or "--file=FILE". Answers how many arguments it
// used, 0 when the argument is no --file, -1 when FILE is missing.
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

// Applies the assignments in order (record null: only checks them); answers how many there
// were, or -1 after a line on stderr.
int walkAssignments(Arguments arguments, Settings* record, const char*& path) {
  int assignments = 0;
  for (int i = 0; i < arguments.count;) {
    const int used = takeFileOption(arguments, i, path);
    if (used < 0) {
      usageError("set: --file needs a FILE");
      return -1;
    }
    if (used > 0) {
      i += used;
      continue;
    }
    if (isOption(arguments.values[i])) {
      usageError("set: unknown option '%s'", arguments.values[i]);
      return -1;
    }
    if (takeAssignment(arguments.values[i], record) != exitDone) return -1;
    ++assignments;
    ++i;
  }
  return assignments;
}

// Every assignment is checked before the file is read, so a bad one changes nothing.
int runSet(Arguments arguments) {
  const char* path = settingsFileName;
  const int assignments = walkAssignments(arguments, nullptr, path);
  if (assignments < 0) return exitUsage;
  if (assignments == 0) return usageError("set: no NAME=VALUE given");
  Settings record{};
  FileError error{};
  if (!loadShown(path, record, error)) return fileError(error);
  walkAssignments(arguments, &record, path);
  return saveRecord(path, record);
}

int runReset(Arguments arguments) {
  FileArgument file;
  if (!takeFileArguments("reset", arguments, file, nullptr)) return exitUsage;
  Settings record{};
  FileError error{};
  if (!loadShown(file.path, record, error)) return fileError(error);
  return saveRecord(file.path, defaultSettings(record.language));
}

int runCheck(Arguments arguments) {
  FileArgument file;
  if (!takeFileArguments("check", arguments, file, nullptr)) return exitUsage;
  FileBytes bytes{};
  FileError error{};
  if (!readSettingsFile(file.path, bytes, error)) return fileError(error);
  if (!bytes.exists) {
    printTo(stdout, "%s: no such file; Save would write it with the defaults\n", file.path);
    return exitWouldChange;
  }
  const bool canonical = isCanonical(bytes.data, bytes.size);
  if (canonical) {
    printTo(stdout, "%s: as Save writes it\n", file.path);
  } else {
    printTo(stdout, "%s: Save would change it:\n", file.path);
    listChanges(bytes.data, bytes.size, stdout);
  }
  releaseFileBytes(bytes);
  return canonical ? exitDone : exitWouldChange;
}

constexpr char helpHeading[] =
    "Usage: morvane-config COMMAND ...\n"
    "Sets the Morvane graphics layer's options in its settings file without the editor's "
    "window.\n"
    "\n"
    "  show [--json] [FILE]             every option as the editor would show it\n"
    "  set [--file FILE] NAME=VALUE...  change options, all or none; the file is written\n"
    "                                   byte for byte as the editor's Save writes it\n"
    "  reset [FILE]                     every option at its default, the language kept\n"
    "  check [FILE]                     exit 0 when the file is as Save writes it; else exit 1\n"
    "                                   and list what Save would change\n"
    "  --help, --version\n"
    "\n"
    "FILE is quenlix.ini in the working directory unless given.\n"
    "Exit codes: 0 done, 1 Save would change the file (check), 2 a bad command line,\n"
    "3 the file cannot be read or written (it is then left as it was).\n"
    "\n"
    "NAME, its file key (also a name: MEM=64), what it does, its values:\n";

constexpr char helpRefreshNote[] =
    "\n"
    "refresh: no rate above 200 Hz fits the file's two digits, and\n"
    "the editor lowers a rate its display does not offer to the highest one it does.\n";

int runHelp(Arguments) {
  std::fputs(helpHeading, stdout);
  const int nameWidth = columnWidth(&OptionName::name);
  const int keyWidth = columnWidth(&OptionName::fileKey);
  for (const OptionName& option : optionNames) {
    char allowed[valueTextSize];
    describeAllowed(option, allowed);
    printTo(stdout, "  %-*s  %-*s  %s\n      %s\n", nameWidth, option.name, keyWidth,
            option.fileKey, option.about, allowed);
  }
  std::fputs(helpRefreshNote, stdout);
  return exitDone;
}

int runVersion(Arguments) {
  printTo(stdout, "%s %s\n", programName, MORVANE_VERSION);
  return exitDone;
}

struct Command {
  const char* name;
  int (*run)(Arguments arguments);
};

constexpr Command commands[] = {
    {"show",      runShow   },
    {"set",       runSet    },
    {"reset",     runReset  },
    {"check",     runCheck  },
    {"--help",    runHelp   },
    {"-h",        runHelp   },
    {"help",      runHelp   },
    {"--version", runVersion},
};

}  // namespace

int runCommandLine(int argc, char** argv) {
  if (argc < 2) return usageError("no command given (%s --help lists them)", programName);
  const Arguments rest{argc - 2, argv + 2};
  for (const Command& command : commands)
    if (std::strcmp(argv[1], command.name) == 0) return command.run(rest);
  return usageError("unknown command '%s' (%s --help lists them)", argv[1], programName);
}
