// The lines the bench programs print for the bench script, which makes its table of them.
#pragma once

#include <algorithm>
#include <cstdio>
#include <vector>

// The smallest and the middle of one series of measurements.
struct Spread {
  double min;
  double median;
};

inline Spread spreadOf(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const size_t middle = samples.size() / 2;
  const double median =
      samples.size() % 2 != 0 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
  return {samples.front(), median};
}

// "time KEY ROUNDS EDITOR-MIN EDITOR-MEDIAN FLOOR-MIN FLOOR-MEDIAN", in milliseconds.
inline void printTimes(const char* key, const std::vector<double>& editorMs,
                       const std::vector<double>& floorMs) {
  const Spread editor = spreadOf(editorMs);
  const Spread floor = spreadOf(floorMs);
  std::printf("time %s %zu %.3f %.3f %.3f %.3f\n", key, editorMs.size(), editor.min, editor.median,
              floor.min, floor.median);
  std::fflush(stdout);
}
