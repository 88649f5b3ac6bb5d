#!/usr/bin/env bash
# Runs every test layer (host, sanitizers, Windows under Wine, end to end) under one CTest run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/display.sh
source scripts/fault-dirs.sh
trap 'remove_fault_dirs; stop_display' EXIT

# The end-to-end run photographs the window in each language; the README shows the pictures of
# the 32-bit editor, the one users run. Without metadata the files change only when the window
# does.
publish_screenshots() {
  local shot
  for shot in build/win32/screenshots/*.bmp; do
    [ -e "$shot" ] || continue
    convert "$shot" -alpha off -strip "docs/$(basename "${shot%.bmp}").png"
  done
}

make_fault_dirs
rm -f build/win32/screenshots/*.bmp build/win64/screenshots/*.bmp
status=0
ctest --test-dir build --output-on-failure "$@" || status=$?
publish_screenshots
exit "$status"
