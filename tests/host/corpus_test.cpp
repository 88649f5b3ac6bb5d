// Replays the committed fuzz corpus through the same invariant check as the fuzzer.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/parse_invariants.h"

namespace {

std::vector<std::string> corpusFiles() {
  std::vector<std::string> files;
  if (DIR* dir = opendir(MORVANE_CORPUS_DIR)) {
    while (const dirent* entry = readdir(dir))
      if (entry->d_name[0] != '.')
        files.push_back(std::string(MORVANE_CORPUS_DIR) + "/" + entry->d_name);
    closedir(dir);
  }
  return files;
}

TEST(FuzzCorpus, EveryInputKeepsTheRecordInBounds) {
  const std::vector<std::string> files = corpusFiles();
  ASSERT_FALSE(files.empty()) << "no corpus in " << MORVANE_CORPUS_DIR;
  for (const std::string& path : files) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ("",
              parseAndCheckInvariants(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
        << path;
  }
}

}  // namespace
