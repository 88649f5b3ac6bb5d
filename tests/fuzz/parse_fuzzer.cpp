// libFuzzer entry: any input must leave the record within its bounds.
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/parse_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string broken = parseAndCheckInvariants(data, size);
  if (!broken.empty()) {
    std::fprintf(stderr, "invariant broken: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
