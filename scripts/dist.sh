#!/usr/bin/env bash
# Builds the release executables for 32- and 64-bit Windows in fresh trees, checks and lists them,
# and packs dist/morvane-settings-<version>.zip. Two runs from one commit write the same bytes.
set -Eeuo pipefail
cd "$(dirname "$0")/.."
source scripts/report.sh
report_unexpected_failures
work=build/dist
allowed_imports=tests/release/xp-sp3-imports.txt

fresh_tree() {  # name, cmake arguments...
  local dir="$work/$1"
  shift
  cmake -S . -B "$dir" -DMORVANE_TESTS=OFF "$@" >/dev/null || fail "configuring $dir failed"
  cmake --build "$dir" -j"$(nproc)" >/dev/null || fail "building $dir failed"
}

# Text for Notepad on every Windows: CR LF line ends.
crlf() {  # source, destination
  sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$1" >"$2"
}

rm -rf "$work"
fresh_tree host
fresh_tree i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
fresh_tree x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/i686/CMakeCache.txt")
mapfile -t programs < <(cat "$work/i686/release-programs.txt" "$work/x86_64/release-programs.txt")
"$work/host/release-check" "$allowed_imports" "${programs[@]}" ||
  fail "the release check refused the executables (see above)"

name="morvane-settings-$version"
stage="$work/stage/$name"
mkdir -p "$stage"
files=()
for program in "${programs[@]}"; do
  cp "$program" "$stage/"
  files+=("$name/$(basename "$program")")
done
crlf docs/README.txt "$stage/README.txt"
crlf docs/settings-file.txt "$stage/settings-file.txt"
files+=("$name/README.txt" "$name/settings-file.txt")

# Fixed times (the commit's), modes and order, and no extra attributes: the same bytes each time.
stamp=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 315532800)}
chmod 644 "$stage"/*
touch -d "@$stamp" "$stage"/*
mkdir -p dist
zip_path="$PWD/dist/$name.zip"
rm -f "$zip_path"
(cd "$work/stage" && TZ=UTC zip -X -q "$zip_path" "${files[@]}")
echo "Wrote dist/$name.zip ($(stat -c %s "$zip_path") bytes):"
unzip -l "$zip_path" | sed -n '4,$p' | head -n -2
