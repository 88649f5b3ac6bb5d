#!/usr/bin/env bash
# Fuzzes the settings file parse with libFuzzer under ASan and UBSan.
# Usage: scripts/fuzz.sh [libFuzzer options], e.g. -runs=10000000 (default: 2 minutes).
set -Eeuo pipefail
cd "$(dirname "$0")/.."
source scripts/report.sh
report_unexpected_failures
dir=build/fuzz
[ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMORVANE_FUZZ=ON -DMORVANE_SANITIZE=ON -DMORVANE_STRICT=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$dir" --target parse_fuzzer -j"$(nproc)"
mkdir -p "$dir/corpus"
[ $# -gt 0 ] || set -- -max_total_time=120
"$dir/parse_fuzzer" -print_final_stats=1 "$@" "$dir/corpus" tests/fuzz/corpus
