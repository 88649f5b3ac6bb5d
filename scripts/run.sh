#!/usr/bin/env bash
# Starts the editor: natively on Windows, under Wine on the user's display elsewhere.
set -euo pipefail
cd "$(dirname "$0")/.."
editor="$PWD/build/win/morvane-settings.exe"
[ -f "$editor" ] || { echo "The editor is not built yet ($editor)." >&2; exit 1; }
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: DISPLAY is not set. Run it on a desktop, or under a virtual one:" >&2
  echo "  xvfb-run -a make run" >&2
  exit 1
fi
# The settings file lives in the working directory the editor is started from.
exec wine "$editor"
