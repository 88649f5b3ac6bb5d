#!/usr/bin/env bash
# The README's first command as a newcomer meets it: `make run` in a fresh copy of the sources,
# with nothing built and no Wine prefix, not even the directories above it; then once more with a
# WINEPREFIX of the caller's own that does not exist yet. Each time the editor's window must show
# on the display (found from outside, by its title), end on Alt+F4, and make must answer 0.
# Usage: make_run_test.sh WORK_DIRECTORY (made anew); DISPLAY names the display to use.
set -Eeuo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
source "$top/scripts/wine.sh"
report_unexpected_failures
require_tool xdotool xdotool
[ -n "${DISPLAY:-}" ] || fail "DISPLAY is not set: the test script starts a display for this test"

copy=$work/fresh-copy
own_prefix=$work/callers/own/prefix
title="Morvane - Initialisierung"
# Building the editor and making a prefix under an emulator, on a busy machine.
patience_s=1200

clean_up() {
  [ -z "${run_pid:-}" ] || kill "$run_pid" 2>/dev/null || true
  stop_wine_server "$copy/build/win32/wine/run"
  stop_wine_server "$own_prefix"
  # The prefixes are large; the logs stay for a look after a failure.
  rm -rf "$copy" "$work/callers"
}

# Starts make run in the copy with the given environment changes (for env) and waits for the
# editor's window: its X window id in `window`.
start_make_run() {  # log, env arguments...
  local log=$1
  shift
  (trap - ERR; cd "$copy" && env -u MAKEFLAGS -u MAKELEVEL -u MFLAGS "$@" make run) >"$log" 2>&1 &
  run_pid=$!
  local started=$SECONDS deadline=$((SECONDS + patience_s))
  window=""
  while [ -z "$window" ]; do
    window=$(xdotool search --name "^$title" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    if ! kill -0 "$run_pid" 2>/dev/null; then
      tail -3 "$log" >&2
      fail "make run ended before the editor's window showed (all of it in $log)"
    fi
    [ $SECONDS -lt $deadline ] || fail "no window titled '$title' after $patience_s s ($log)"
    sleep 1
  done
  echo "the window showed $((SECONDS - started)) s after make run started ($log)"
}

# A click on the face between the panels, where no control is, activates the window without
# changing anything; then Alt+F4, as a user ends the editor.
close_with_alt_f4() {
  xdotool mousemove --window "$window" 298 200 click 1
  sleep 1
  xdotool key alt+F4
  local status=0
  wait "$run_pid" || status=$?
  run_pid=""
  [ "$status" -eq 0 ] || fail "make run answered $status after Alt+F4, not 0"
  ! xdotool search --name "^$title" >/dev/null 2>&1 || fail "the editor's window is still there"
}

expect_prefix() {  # prefix
  has_32_bit_system "$1" || fail "make run left no complete Wine prefix at $1"
}

trap clean_up EXIT
rm -rf "$work"
mkdir -p "$copy"
# The sources as a fresh clone holds them: no build tree, no prefix, no package.
tar -C "$top" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$copy" -xf -

start_make_run "$work/first-run.log" -u WINEPREFIX
close_with_alt_f4
expect_prefix "$copy/build/win32/wine/run"

start_make_run "$work/own-prefix-run.log" WINEPREFIX="$own_prefix"
close_with_alt_f4
expect_prefix "$own_prefix"
echo "make run showed the editor and ended with 0, in its own new prefix and in the caller's"
