#!/usr/bin/env bash
# Runs the test layers of every built tree (host, sanitizers, Windows under Wine, end to end)
# under one CTest run. Arguments go to ctest.
set -Eeuo pipefail
cd "$(dirname "$0")/.."
source scripts/wine.sh
source scripts/fault-dirs.sh
report_unexpected_failures

[ -f build/CTestTestfile.cmake ] || fail "nothing is built yet: run make test, or scripts/build.sh"
prefix_roots=()
for tree in win32 win64; do
  if [ -f "build/$tree/.tests-built" ]; then prefix_roots+=("$PWD/build/$tree/wine"); fi
done

# The end-to-end run photographs the window in each language; the README shows the pictures of
# the 32-bit editor, the one users run. Without metadata the files change only when the window
# does.
publish_screenshots() {
  local shot
  for shot in build/win32/screenshots/*.bmp; do
    [ -e "$shot" ] || continue
    convert "$shot" -alpha off -strip "docs/$(basename "${shot%.bmp}").png" ||
      echo "$script_name: cannot turn $shot into a PNG" >&2
  done
}

clean_up() {
  remove_fault_dirs
  stop_test_environment
}

trap clean_up EXIT
[ ${#prefix_roots[@]} -eq 0 ] || start_test_environment "${prefix_roots[@]}"
make_fault_dirs
rm -f build/win32/screenshots/*.bmp build/win64/screenshots/*.bmp
status=0
ctest --test-dir build --output-on-failure "$@" || status=$?
publish_screenshots
exit "$status"
