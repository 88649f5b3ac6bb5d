#!/usr/bin/env bash
# Runs every test layer (host, sanitizers, Windows under Wine, end to end) under one CTest run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/display.sh
source scripts/fault-dirs.sh
trap 'remove_fault_dirs; stop_display' EXIT
make_fault_dirs
ctest --test-dir build --output-on-failure "$@"
