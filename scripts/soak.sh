#!/usr/bin/env bash
# Soaks the window code under Wine on a private display: make soak [ROUNDS=10000].
# The 64-bit build: the same code, and no emulator in the way where 32-bit programs need one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh win64 -- soak
export MORVANE_PREFIX_ROOTS="$PWD/build/win64/wine-soak"
source scripts/display.sh
cd "$(mktemp -d)"
wine "$OLDPWD/build/win64/soak.exe" "${1:-10000}"
