#!/usr/bin/env bash
# Runs every test layer (host, sanitizers, Windows under Wine, end to end) under one CTest run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/display.sh
ctest --test-dir build --output-on-failure -j2 "$@"
