# Sourced: starts a private Xvfb display and the Wine prefixes the Windows tests run in, two per
# Windows build tree. Stops both when the sourcing shell exits.
source "$(dirname "${BASH_SOURCE[0]}")/ia32.sh"

# Prefixes belong to one display at a time; a second user (the soak) names its own roots.
prefix_roots=(${MORVANE_PREFIX_ROOTS:-$PWD/build/win32/wine $PWD/build/win64/wine})
prefixes=()
for root in "${prefix_roots[@]}"; do prefixes+=("$root/plain" "$root/desktop"); done
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

stop_display() {
  local prefix
  for prefix in "${prefixes[@]}"; do WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; done
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -f "${display_fifo:-}"
}
trap stop_display EXIT

start_display() {
  display_fifo=$(mktemp -u)
  mkfifo "$display_fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  local number
  read -r -t 30 number <"$display_fifo" || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$number"
}

# A prefix made while only 64-bit Wine was installed has no 32-bit system and cannot start a
# 32-bit program ("could not load kernel32.dll"); it is made again.
prefix_current() {  # prefix
  [ -f "$1/.morvane-ready" ] && [ -f "$1/drive_c/windows/syswow64/kernel32.dll" ]
}

# A prefix is made once per build tree; the desktop one makes a 1024x768 virtual desktop its
# default, so programs keep their own exit codes (explorer /desktop would always answer 0).
prepare_prefix() {  # prefix
  local prefix=$1
  prefix_current "$prefix" && return 0
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
  mkdir -p "$prefix"
  WINEPREFIX="$prefix" wineboot -i >/dev/null 2>&1
  if [ "$(basename "$prefix")" = desktop ]; then
    WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  fi
  WINEPREFIX="$prefix" wineserver -w
  touch "$prefix/.morvane-ready"
}

# Wine does not find the Tahoma of fonts-wine by itself here; in the prefix's font folder it does.
# Without it a wider font stands in and the controls' texts are clipped.
install_tahoma() {  # prefix
  cp -n /usr/share/wine/fonts/tahoma*.ttf "$1/drive_c/windows/Fonts/"
}

ensure_i386_runs || exit 1
start_display
for prefix in "${prefixes[@]}"; do
  prepare_prefix "$prefix"
  install_tahoma "$prefix"
done
# A persistent server per prefix spares every test the server's start-up. Wine's own helper
# processes start with the first program and inherit its output; start them here, on /dev/null,
# or they would hold a test's output pipe open long after the test ended.
for prefix in "${prefixes[@]}"; do
  WINEPREFIX="$prefix" wineserver -p
  WINEPREFIX="$prefix" wine cmd /c exit </dev/null >/dev/null 2>&1
done
export WINEPREFIX="${prefixes[0]}"
