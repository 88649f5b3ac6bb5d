#!/usr/bin/env bash
# Runs every test layer (host, sanitizers, Windows under Wine, end to end) under one CTest run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/display.sh
source scripts/fault-dirs.sh
trap 'remove_fault_dirs; stop_display' EXIT

screenshots=build/win/screenshots

# The end-to-end run photographs the window in each language; the README shows the pictures.
# Without metadata the files change only when the window does.
publish_screenshots() {
  local shot
  for shot in "$screenshots"/*.bmp; do
    [ -e "$shot" ] || continue
    convert "$shot" -alpha off -strip "docs/$(basename "${shot%.bmp}").png"
  done
}

make_fault_dirs
rm -f "$screenshots"/*.bmp
status=0
ctest --test-dir build --output-on-failure "$@" || status=$?
publish_screenshots
exit "$status"
