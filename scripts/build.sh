#!/usr/bin/env bash
# Configures and builds the named trees (default: host, host under sanitizers, 32- and 64-bit
# Windows), and one CTest root over all of them. Further arguments after -- name the targets to
# build (default: all).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
trees=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  trees+=("$1")
  shift
done
[ $# -gt 0 ] && shift
[ ${#trees[@]} -gt 0 ] || trees=(host sanitize win32 win64)

configure() {  # directory, cmake arguments...
  local dir=$1
  shift
  [ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" "$@" >/dev/null
}

# The Windows trees build the product with its release flags whatever the build type; the
# test programs there need no debug information, so they get no build type at all.
windows_tree() {  # architecture, cmake arguments...
  local architecture=$1
  shift
  configure "build/$tree" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-$architecture.cmake" \
    -DMORVANE_TEST_PREFIX="$architecture." \
    -DMORVANE_RELEASE_CHECK="$PWD/build/host/release-check" "$@"
}

configure_tree() {
  case $1 in
    host) configure build/host -DCMAKE_BUILD_TYPE=Debug -DMORVANE_TEST_PREFIX=host. ;;
    sanitize) configure build/sanitize -DCMAKE_BUILD_TYPE=Debug -DMORVANE_TEST_PREFIX=sanitize. \
      -DMORVANE_SANITIZE=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ ;;
    # 32-bit programs may run under an emulator (see ia32.sh): one process per test program.
    # Its end-to-end tests are driven by the 64-bit tree's driver.
    win32) windows_tree i686 -DMORVANE_TEST_CASES=OFF \
      -DMORVANE_E2E_DRIVER="$PWD/build/win64/e2e_tests.exe" ;;
    win64) windows_tree x86_64 ;;
  esac
}

for tree in "${trees[@]}"; do
  configure_tree "$tree"
  if [ $# -gt 0 ]; then
    cmake --build "build/$tree" -j"$jobs" --target "$@"
  else
    cmake --build "build/$tree" -j"$jobs"
  fi
done

cat > build/CTestTestfile.cmake <<'CTEST'
# Every test layer under one CTest summary.
subdirs("host")
subdirs("sanitize")
subdirs("win32")
subdirs("win64")
CTEST
