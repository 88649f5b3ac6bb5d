#!/usr/bin/env bash
# Builds the 32-bit editor alone and starts it under Wine on the user's display, in the directory
# make was started from.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
source "$top/scripts/ia32.sh"
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: DISPLAY is not set, so the editor's window has nowhere to go." >&2
  echo "Run it from a desktop session (or ssh -X from one), or take the zip of make dist to a" >&2
  echo "Windows machine. make test drives the window on a display of its own." >&2
  exit 1
fi
"$top/scripts/build.sh" win32 -- morvane-settings
ensure_i386_runs
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# A prefix of the project's own unless the caller names one; ours is made again when it was made
# before 32-bit Wine was installed, a caller's is only reported.
prefix=${WINEPREFIX:-$top/build/win32/wine/run}
if [ ! -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; then
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$prefix/drive_c" ]; then
    echo "$prefix was made without 32-bit Wine and cannot start the editor; make it anew." >&2
    exit 1
  fi
  rm -rf "$prefix"
  WINEPREFIX="$prefix" wineboot -i >/dev/null 2>&1
fi
export WINEPREFIX="$prefix"
# Wine does not find fonts-wine's Tahoma by itself; without it texts are clipped.
cp -n /usr/share/wine/fonts/tahoma*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
# The settings file, quenlix.ini, is read from and written to the current directory.
exec wine "$top/build/win32/morvane-settings.exe"
