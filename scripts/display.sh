# Sourced: starts a private Xvfb display and the Wine prefixes the Windows tests run in.
# Stops both when the sourcing shell exits.

# Prefixes belong to one display at a time; a second user (the soak) names its own root.
prefix_root=${MORVANE_PREFIX_ROOT:-$PWD/build/win/wine}
wine_plain="$prefix_root/plain"
wine_desktop="$prefix_root/desktop"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

stop_display() {
  WINEPREFIX="$wine_plain" wineserver -k 2>/dev/null || true
  WINEPREFIX="$wine_desktop" wineserver -k 2>/dev/null || true
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

# A prefix is made once per build tree; the desktop one makes a 1024x768 virtual desktop its
# default, so programs keep their own exit codes (explorer /desktop would always answer 0).
prepare_prefix() {  # prefix, "desktop" or ""
  local prefix=$1 mode=$2
  [ -f "$prefix/.morvane-ready" ] && return 0
  mkdir -p "$prefix"
  WINEPREFIX="$prefix" wineboot -i >/dev/null 2>&1
  if [ "$mode" = desktop ]; then
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

start_display
prepare_prefix "$wine_plain" ""
prepare_prefix "$wine_desktop" desktop
install_tahoma "$wine_plain"
install_tahoma "$wine_desktop"
# A persistent server per prefix spares every test the server's start-up. Wine's own helper
# processes start with the first program and inherit its output; start them here, on /dev/null,
# or they would hold a test's output pipe open long after the test ended.
for prefix in "$wine_plain" "$wine_desktop"; do
  WINEPREFIX="$prefix" wineserver -p
  WINEPREFIX="$prefix" wine cmd /c exit </dev/null >/dev/null 2>&1
done
export WINEPREFIX="$wine_plain"
