// Reads Windows executables as files and checks what a release must be: small, built without a
// time stamp, without an application manifest, importing only functions known to exist on
// Windows XP SP3, and (32-bit) marked to load on Windows 2000 and XP. Prints each executable's
// size and imports by DLL.
// Usage: release-check ALLOWED_IMPORTS EXE...   (exit status 1 when any rule is broken)
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Far below what any part of the C++ runtime would add, which is what the bound is there to
// catch; the 64-bit editor with its screen readers' names and Save's question is about 50 KiB.
constexpr uint32_t kMaxExecutableBytes = 56 * 1024;
constexpr uint16_t kMachineI386 = 0x14C;
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint32_t kManifestResourceType = 24;
constexpr uint32_t kImportDirectory = 1;
constexpr uint32_t kResourceDirectory = 2;

using Bytes = std::vector<uint8_t>;

// Reads past the end of the file answer 0, which every walk below takes as its end.
uint32_t read16(const Bytes& file, uint64_t at) {
  return at + 2 <= file.size() ? file[at] | file[at + 1] << 8 : 0;
}
uint32_t read32(const Bytes& file, uint64_t at) {
  return at + 4 <= file.size() ? read16(file, at) | read16(file, at + 2) << 16 : 0;
}
uint64_t read64(const Bytes& file, uint64_t at) {
  return at + 8 <= file.size() ? read32(file, at) | uint64_t{read32(file, at + 4)} << 32 : 0;
}

struct Section {
  uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

// What the checks need from the headers.
struct Image {
  Bytes file;
  uint16_t machine = 0;
  uint32_t timeStamp = 0;
  bool pe32Plus = false;
  uint32_t subsystemMajor = 0, subsystemMinor = 0;
  uint32_t importRva = 0, resourceRva = 0;
  std::vector<Section> sections;
};

// File offset of a relative virtual address, or 0 when no section holds it in the file.
uint64_t offsetOf(const Image& image, uint32_t rva) {
  for (const Section& section : image.sections) {
    if (rva >= section.virtualAddress && rva - section.virtualAddress < section.rawSize)
      return uint64_t{section.rawOffset} + (rva - section.virtualAddress);
  }
  return 0;
}

std::string stringAt(const Image& image, uint32_t rva) {
  std::string text;
  for (uint64_t at = offsetOf(image, rva); at != 0 && at < image.file.size() && image.file[at];
       ++at)
    text += static_cast<char>(image.file[at]);
  return text;
}

bool readImage(const std::string& path, Image& image) {
  std::ifstream stream(path, std::ios::binary);
  image.file.assign(std::istreambuf_iterator<char>(stream), {});
  const uint32_t pe = read32(image.file, 0x3C);
  if (read16(image.file, 0) != 0x5A4D || read32(image.file, pe) != 0x4550) return false;
  const uint32_t coff = pe + 4;
  image.machine = read16(image.file, coff);
  image.timeStamp = read32(image.file, coff + 4);
  const uint32_t optional = coff + 20;
  image.pe32Plus = read16(image.file, optional) != kPe32Magic;
  image.subsystemMajor = read16(image.file, optional + 48);
  image.subsystemMinor = read16(image.file, optional + 50);
  const uint32_t directories = optional + (image.pe32Plus ? 112 : 96);
  image.importRva = read32(image.file, directories + 8 * kImportDirectory);
  image.resourceRva = read32(image.file, directories + 8 * kResourceDirectory);
  const uint32_t sectionTable = optional + read16(image.file, coff + 16);
  for (uint32_t i = 0; i < read16(image.file, coff + 2); ++i) {
    const uint32_t header = sectionTable + 40 * i;
    image.sections.push_back({read32(image.file, header + 12), read32(image.file, header + 8),
                              read32(image.file, header + 20), read32(image.file, header + 16)});
  }
  return true;
}

// DLL name as written in the executable, mapped to the names (or "#ordinal") taken from it.
using Imports = std::map<std::string, std::vector<std::string>>;

std::string importedName(const Image& image, uint64_t thunk) {
  const uint64_t ordinalFlag = image.pe32Plus ? uint64_t{1} << 63 : uint64_t{1} << 31;
  if (thunk & ordinalFlag) return "#" + std::to_string(thunk & 0xFFFF);
  return stringAt(image, static_cast<uint32_t>(thunk) + 2);  // after the hint
}

Imports importsOf(const Image& image) {
  Imports imports;
  const unsigned thunkSize = image.pe32Plus ? 8 : 4;
  for (uint64_t descriptor = offsetOf(image, image.importRva);
       descriptor != 0 && read32(image.file, descriptor + 12) != 0; descriptor += 20) {
    const uint32_t lookup = read32(image.file, descriptor);
    const uint32_t table = lookup != 0 ? lookup : read32(image.file, descriptor + 16);
    std::vector<std::string>& names = imports[stringAt(image, read32(image.file, descriptor + 12))];
    for (uint64_t at = offsetOf(image, table); at != 0; at += thunkSize) {
      const uint64_t thunk = image.pe32Plus ? read64(image.file, at) : read32(image.file, at);
      if (thunk == 0) break;
      names.push_back(importedName(image, thunk));
    }
  }
  return imports;
}

// The root of the resource tree lists one entry per resource type.
bool hasManifest(const Image& image) {
  const uint64_t root = offsetOf(image, image.resourceRva);
  if (root == 0) return false;
  const uint32_t entries = read16(image.file, root + 12) + read16(image.file, root + 14);
  for (uint32_t i = 0; i < entries; ++i)
    if (read32(image.file, root + 16 + 8 * i) == kManifestResourceType) return true;
  return false;
}

std::string upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// "DLL!function" per line, kept with the DLL name in upper case; a # starts a comment.
std::set<std::string> readAllowed(const std::string& path) {
  std::set<std::string> allowed;
  std::ifstream list(path);
  for (std::string line; std::getline(list, line);) {
    const std::string entry = line.substr(0, line.find_first_of(" \t#"));
    const size_t bang = entry.find('!');
    if (bang != std::string::npos)
      allowed.insert(upper(entry.substr(0, bang)) + entry.substr(bang));
  }
  return allowed;
}

std::string fileName(const std::string& path) {
  return path.substr(path.find_last_of("/\\") + 1);
}

void printImports(const Imports& imports) {
  for (const auto& [dll, names] : imports) {
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    std::string line = "  " + dll + " (" + std::to_string(sorted.size()) + "):";
    for (const std::string& name : sorted) {
      if (line.size() + name.size() >= 100) {
        std::printf("%s\n", line.c_str());
        line = "   ";
      }
      line += " " + name;
    }
    std::printf("%s\n", line.c_str());
  }
}

// The broken rules of one executable, one message each.
std::vector<std::string> brokenRules(const Image& image, const Imports& imports,
                                     const std::set<std::string>& allowed) {
  std::vector<std::string> broken;
  if (image.file.size() > kMaxExecutableBytes)
    broken.push_back("is " + std::to_string(image.file.size()) + " bytes, over " +
                     std::to_string(kMaxExecutableBytes / 1024) + " KiB");
  if (image.timeStamp != 0) broken.push_back("carries a link time stamp");
  if (hasManifest(image)) broken.push_back("carries an application manifest");
  if (image.machine == kMachineI386 && (image.subsystemMajor != 4 || image.subsystemMinor != 0))
    broken.push_back("asks for subsystem version " + std::to_string(image.subsystemMajor) + "." +
                     std::to_string(image.subsystemMinor) + ", not 4.0");
  if (imports.empty()) broken.push_back("imports nothing, so its import table was not read");
  for (const auto& [dll, names] : imports)
    for (const std::string& name : names)
      if (allowed.count(upper(dll) + "!" + name) == 0)
        broken.push_back("imports " + dll + "!" + name + ", which is not on the list");
  return broken;
}

// Prints the report of one executable; answers whether it keeps every rule.
bool checkExecutable(const std::string& path, const std::set<std::string>& allowed) {
  Image image;
  if (!readImage(path, image)) {
    std::fprintf(stderr, "%s: not a Windows executable\n", path.c_str());
    return false;
  }
  const Imports imports = importsOf(image);
  std::printf("%s: %zu bytes (%.1f KiB), %s\n", fileName(path).c_str(), image.file.size(),
              image.file.size() / 1024.0, image.pe32Plus ? "64-bit" : "32-bit");
  printImports(imports);
  const std::vector<std::string> broken = brokenRules(image, imports, allowed);
  for (const std::string& rule : broken)
    std::fprintf(stderr, "%s %s\n", fileName(path).c_str(), rule.c_str());
  return broken.empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s ALLOWED_IMPORTS EXE...\n", argv[0]);
    return 2;
  }
  const std::set<std::string> allowed = readAllowed(argv[1]);
  if (allowed.empty()) {
    std::fprintf(stderr, "%s: no imports listed\n", argv[1]);
    return 2;
  }
  bool kept = true;
  for (int i = 2; i < argc; ++i) kept = checkExecutable(argv[i], allowed) && kept;
  if (!kept) std::fprintf(stderr, "Allowed imports: %s\n", argv[1]);
  return kept ? 0 : 1;
}
