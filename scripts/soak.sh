#!/usr/bin/env bash
# Soaks the window code under Wine on a private display: make soak [ROUNDS=10000].
# The 64-bit build: the same code, and no emulator in the way where 32-bit programs need one.
set -Eeuo pipefail
cd "$(dirname "$0")/.."
source scripts/wine.sh
report_unexpected_failures
scripts/build.sh win64 -- soak || fail "building the soak failed"
trap stop_test_environment EXIT
# Prefixes of its own: the test run's belong to the test run's display.
start_test_environment "$PWD/build/win64/wine-soak"
top=$PWD
cd "$(mktemp -d)"
"$(wine64_loader)" "$top/build/win64/soak.exe" "${1:-10000}"
