#!/usr/bin/env bash
# Starts the editor under Wine on the user's display, in the directory make was started from.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: DISPLAY is not set, so the editor's window has nowhere to go." >&2
  echo "Run it from a desktop session, or on a virtual display: xvfb-run -a make run" >&2
  exit 1
fi
"$top/scripts/build.sh" win
editor="$top/build/win/morvane-settings.exe"
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
prefix=${WINEPREFIX:-$HOME/.wine}
[ -d "$prefix/drive_c/windows/Fonts" ] || wineboot -i >/dev/null 2>&1
# Wine does not find fonts-wine's Tahoma by itself; without it texts are clipped.
cp -n /usr/share/wine/fonts/tahoma*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
# The settings file, quenlix.ini, is read from and written to the current directory.
exec wine "$editor"
