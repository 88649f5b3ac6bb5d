#!/usr/bin/env bash
# Configures and builds the named trees (default: host, host under sanitizers, 32- and 64-bit
# Windows), and one CTest root over the trees whose tests are built. Further arguments after --
# name the targets to build (default: all). A tree built whole brings the trees its tests use.
set -Eeuo pipefail
cd "$(dirname "$0")/.."
source scripts/wine.sh
report_unexpected_failures
jobs=$(nproc)
trees=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  case $1 in
    host | sanitize | win32 | win64) trees+=("$1") ;;
    *) fail "unknown tree '$1' (trees: host, sanitize, win32, win64)" ;;
  esac
  shift
done
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#trees[@]} -gt 0 ] || trees=(host sanitize win32 win64)

# What a tree's tests take from other trees: the host's release check, and for the 32-bit
# editor the 64-bit end-to-end driver.
trees_needed_by() {
  case $1 in
    win32) echo host win64 ;;
    win64) echo host ;;
  esac
}

# The cmake arguments of a tree, one a line.
tree_arguments() {
  local windows=(-DMORVANE_RELEASE_CHECK="$PWD/build/host/release-check")
  case $1 in
    host) printf '%s\n' -DCMAKE_BUILD_TYPE=Debug -DMORVANE_TEST_PREFIX=host. ;;
    sanitize)
      printf '%s\n' -DCMAKE_BUILD_TYPE=Debug -DMORVANE_TEST_PREFIX=sanitize. \
        -DMORVANE_SANITIZE=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
      ;;
    # The Windows trees build the product with its release flags whatever the build type; the
    # test programs there need no debug information, so they get no build type at all.
    # 32-bit programs may run under an emulator (see ia32.sh): one process per test program, and
    # its end-to-end tests are driven by the 64-bit tree's driver.
    win32)
      printf '%s\n' -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DMORVANE_TEST_PREFIX=i686. \
        "${windows[@]}" -DMORVANE_TEST_CASES=OFF -DMORVANE_E2E_DRIVER="$PWD/build/win64/e2e_tests.exe"
      ;;
    win64)
      printf '%s\n' -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DMORVANE_TEST_PREFIX=x86_64. "${windows[@]}"
      ;;
  esac
}

# A tree is configured afresh whenever its arguments differ from those it was configured with,
# so a changed option always reaches it.
configure() {  # tree
  local dir=build/$1 stamp=build/$1/configure-arguments arguments
  arguments=$(tree_arguments "$1")
  [ -f "$dir/CMakeCache.txt" ] && [ "$(cat "$stamp" 2>/dev/null)" = "$arguments" ] && return 0
  local fresh=()
  [ -f "$dir/CMakeCache.txt" ] && fresh=(--fresh)
  mapfile -t argument_list <<<"$arguments"
  cmake "${fresh[@]}" -S . -B "$dir" "${argument_list[@]}" >/dev/null ||
    fail "configuring the $1 tree failed"
  rm -f "$dir/.tests-built"
  printf '%s\n' "$arguments" >"$stamp"
}

build_tree() {  # tree
  configure "$1"
  if [ ${#targets[@]} -gt 0 ]; then
    cmake --build "build/$1" -j"$jobs" --target "${targets[@]}" || fail "building ${targets[*]} in the $1 tree failed"
  else
    cmake --build "build/$1" -j"$jobs" || fail "building the $1 tree failed"
    touch "build/$1/.tests-built"
  fi
}

# The trees in the order they are built: whole ones after the trees their tests need.
ordered=()
add_tree() {  # tree
  local needed
  [[ " ${ordered[*]} " == *" $1 "* ]] && return 0
  if [ ${#targets[@]} -eq 0 ]; then
    for needed in $(trees_needed_by "$1"); do add_tree "$needed"; done
  fi
  ordered+=("$1")
}
for tree in "${trees[@]}"; do add_tree "$tree"; done
for tree in "${ordered[@]}"; do build_tree "$tree"; done

{
  echo "# The test layers of every tree built whole, under one CTest summary."
  for tree in host sanitize win32 win64; do
    if [ -f "build/$tree/.tests-built" ]; then echo "subdirs(\"$tree\")"; fi
  done
} >build/CTestTestfile.cmake
