#!/usr/bin/env bash
# Builds the 32-bit editor alone and starts it under Wine on the user's display, in the directory
# make was started from. The first run also makes the Wine prefix it runs in.
set -Eeuo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
source "$top/scripts/wine.sh"
report_unexpected_failures

if [ -z "${DISPLAY:-}" ]; then
  echo "$script_name: no display: DISPLAY is not set, so the editor's window has nowhere to go." >&2
  echo "Run it from a desktop session (or ssh -X from one), or take the zip of make dist to a" >&2
  echo "Windows machine. make test drives the window on a display of its own." >&2
  exit 1
fi
"$top/scripts/build.sh" win32 -- morvane-settings || fail "building the 32-bit editor failed"
ensure_i386_runs || exit 1
wine_environment

# A prefix of the project's own unless the caller names one. Ours is made again when it was made
# before 32-bit Wine was installed; a caller's is made where there is none, never removed.
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="$top/build/win32/wine/run"
  make_prefix "$WINEPREFIX"
else
  if [ ! -d "$WINEPREFIX/drive_c" ]; then
    boot_prefix "$WINEPREFIX"
  elif ! has_32_bit_system "$WINEPREFIX"; then
    fail "$WINEPREFIX was made without 32-bit Wine and cannot start the editor; make it anew"
  fi
  install_tahoma "$WINEPREFIX"
fi
# The settings file, quenlix.ini, is read from and written to the current directory.
exec wine "$top/build/win32/morvane-settings.exe"
