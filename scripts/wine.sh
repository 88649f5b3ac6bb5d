# Sourced: the one place that knows how this project's Windows programs run here: the Wine
# environment, a private Xvfb display, Wine prefixes and the Tahoma font they need. Sourcing it
# defines functions and starts nothing; each script calls what it needs.
source "$(dirname "${BASH_SOURCE[0]}")/report.sh"
source "$(dirname "${BASH_SOURCE[0]}")/ia32.sh"

# Quiet Wine, and no Mono or Gecko installer dialogs when a prefix is made. A caller's own
# settings win.
wine_environment() {
  export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

# Debian's wine script starts the 32-bit loader first, which is emulated on some machines and
# costs seconds a start; 64-bit programs start straight from the 64-bit loader.
wine64_loader() {
  if [ -x /usr/lib/wine/wine64 ]; then
    echo /usr/lib/wine/wine64
  else
    command -v wine64 || command -v wine || fail "Wine is missing (package wine): run make deps"
  fi
}

# Starts Xvfb on a free display number of its own and exports DISPLAY; stop_display ends it.
start_display() {  # screen size, e.g. 1024x768
  require_tool Xvfb xvfb
  display_fifo=$(mktemp -u)
  mkfifo "$display_fifo"
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$display_fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  local number
  read -r -t 30 number <"$display_fifo" || fail "Xvfb did not start within 30 s"
  rm -f "$display_fifo"
  export DISPLAY=":$number"
}

stop_display() {
  [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -f "${display_fifo:-}"
  xvfb_pid=""
}

# A prefix made while only 64-bit Wine was installed has no 32-bit system and cannot start a
# 32-bit program ("could not load kernel32.dll").
has_32_bit_system() {  # prefix
  [ -f "$1/drive_c/windows/syswow64/kernel32.dll" ]
}

# Wine does not find the Tahoma of fonts-wine by itself; in the prefix's font folder it does.
# Without it a wider font stands in and the controls' texts are clipped.
install_tahoma() {  # prefix
  local fonts=/usr/share/wine/fonts
  compgen -G "$fonts/tahoma*.ttf" >/dev/null || fail "Tahoma is missing from $fonts: run make deps"
  cp -n "$fonts"/tahoma*.ttf "$1/drive_c/windows/Fonts/" ||
    fail "cannot copy Tahoma into $1/drive_c/windows/Fonts"
}

# Makes a new prefix where there is none, the directories above it included.
boot_prefix() {  # prefix
  require_tool wineboot wine
  mkdir -p "$1" || fail "cannot make the directory of the Wine prefix $1"
  echo "$script_name: making the Wine prefix $1 (once; a minute or more)" >&2
  WINEPREFIX="$1" wineboot -i >/dev/null 2>&1 || fail "wineboot could not make the Wine prefix $1"
  WINEPREFIX="$1" wineserver -w
  has_32_bit_system "$1" ||
    fail "the Wine prefix $1 has no 32-bit system: is wine32:i386 installed? (make deps)"
}

# A Wine virtual desktop of that size as the prefix's default, so programs keep their own exit
# codes (explorer /desktop would always answer 0).
make_desktop_default() {  # prefix, size
  WINEPREFIX="$1" "$(wine64_loader)" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
    >/dev/null 2>&1 &&
    WINEPREFIX="$1" "$(wine64_loader)" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$2" /f \
      >/dev/null 2>&1 &&
    WINEPREFIX="$1" wineserver -w || fail "cannot make a $2 virtual desktop the default of $1"
}

# A prefix of the project's own, made anew unless a complete one is there: one made before
# 32-bit Wine was installed, or left half made by an interrupted run, goes. With `desktop SIZE`
# its programs run on a virtual desktop.
make_prefix() {  # prefix [desktop SIZE]
  local prefix=$1
  if [ ! -f "$prefix/.morvane-ready" ] || ! has_32_bit_system "$prefix"; then
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
    boot_prefix "$prefix"
    [ "${2:-}" != desktop ] || make_desktop_default "$prefix" "$3"
    touch "$prefix/.morvane-ready"
  fi
  install_tahoma "$prefix"
}

# A high-contrast colour scheme as the registry holds it: black face, window and text fields,
# white text, and the 3-D edges and selection of such a scheme.
contrast_colours=(
  "ButtonFace=0 0 0" "ButtonText=255 255 255" "ButtonHilight=255 255 255"
  "ButtonShadow=128 128 128" "ButtonLight=192 192 192" "ButtonDkShadow=255 255 255"
  "Window=0 0 0" "WindowText=255 255 255" "Hilight=0 0 255" "HilightText=255 255 255"
  "GrayText=0 255 0"
)

# A prefix whose colour scheme is high contrast: a copy of a plain one, its colours set before
# any program runs in it (a program reads them as it starts). Copied rather than booted: a boot
# takes minutes where 32-bit Wine is emulated, a copy seconds.
make_contrast_prefix() {  # plain prefix, new prefix
  local plain=$1 prefix=$2 colour
  if [ ! -f "$prefix/.morvane-ready" ] || ! has_32_bit_system "$prefix"; then
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    # The plain prefix's registry is copied as its server last wrote it.
    WINEPREFIX="$plain" wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
    cp -a "$plain" "$prefix" || fail "cannot copy the Wine prefix $plain to $prefix"
    rm -f "$prefix/.morvane-ready"
    for colour in "${contrast_colours[@]}"; do
      WINEPREFIX="$prefix" "$(wine64_loader)" reg add 'HKCU\Control Panel\Colors' \
        /v "${colour%%=*}" /d "${colour#*=}" /f >/dev/null 2>&1 ||
        fail "cannot set the colour ${colour%%=*} in the Wine prefix $prefix"
    done
    WINEPREFIX="$prefix" wineserver -w
    touch "$prefix/.morvane-ready"
  fi
  install_tahoma "$prefix"
}

# A persistent server spares every program the server's start-up. Wine's own helper processes
# start with the first program and inherit its output; start them here, on /dev/null, or they
# would hold a test's output pipe open long after the test ended.
start_wine_server() {  # prefix
  WINEPREFIX="$1" wineserver -p || fail "wineserver did not start for $1"
  WINEPREFIX="$1" "$(wine64_loader)" cmd /c exit </dev/null >/dev/null 2>&1 ||
    fail "Wine cannot start a program in $1"
}

stop_wine_server() {  # prefix
  WINEPREFIX="$1" wineserver -k 2>/dev/null || true
}

# The Windows tests' world: a private 1024x768 display and three prefixes under each root, one on
# the plain display, one with an 800x600-capable virtual desktop, one in a high-contrast colour
# scheme. Prefixes belong to one display at a time, so a second user (the soak) names roots of its
# own. WINEPREFIX is the first plain one.
test_prefixes=()
start_test_environment() {  # prefix roots...
  ensure_i386_runs || exit 1
  wine_environment
  start_display 1024x768
  local root prefix
  for root in "$@"; do test_prefixes+=("$root/plain" "$root/desktop" "$root/contrast"); done
  for root in "$@"; do
    make_prefix "$root/plain"
    make_prefix "$root/desktop" desktop 1024x768
    make_contrast_prefix "$root/plain" "$root/contrast"
  done
  for prefix in "${test_prefixes[@]}"; do start_wine_server "$prefix"; done
  export WINEPREFIX="${test_prefixes[0]}"
}

stop_test_environment() {
  local prefix
  for prefix in "${test_prefixes[@]}"; do stop_wine_server "$prefix"; done
  stop_display
}

# A Unix path as Windows programs under Wine name it: drive Z: is the Unix root.
wine_path() {  # path
  printf 'Z:%s' "$1" | tr / '\\'
}
