#!/usr/bin/env bash
# Soaks the window code under Wine on a private display: make soak [ROUNDS=10000].
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh win
export MORVANE_PREFIX_ROOT="$PWD/build/win/wine-soak"
source scripts/display.sh
cd "$(mktemp -d)"
wine "$OLDPWD/build/win/soak.exe" "${1:-10000}"
