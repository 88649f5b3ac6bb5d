#!/usr/bin/env bash
# Installs whatever the build and the tests need that a fresh Debian 12 machine lacks.
set -Eeuo pipefail
source "$(dirname "$0")/report.sh"
source "$(dirname "$0")/ia32.sh"
report_unexpected_failures

# The 32-bit editor runs under Wine's 32-bit half, wine32 from the i386 architecture.
packages=(
  cmake make g++ clang libclang-rt-14-dev googletest zip
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 fonts-wine xvfb xdotool imagemagick python3
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

install_missing() {  # packages...
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  [ -z "$sudo" ] || command -v sudo >/dev/null || fail "need root or sudo to install: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386 ||
    fail "cannot add the i386 architecture for wine32"
  $sudo apt-get update -qq || fail "apt-get update failed"
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
    fail "apt-get could not install: ${missing[*]}"
}

install_missing "${packages[@]}"
# A kernel without 32-bit support needs QEMU to run wine32 (see ia32.sh).
i386_runs || install_missing qemu-user-static
