#!/usr/bin/env bash
# Configures and builds the named trees (default: host, host under sanitizers, Windows), and one
# CTest root over all of them.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

configure() {  # directory, cmake arguments...
  local dir=$1
  shift
  [ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
}

configure_tree() {
  case $1 in
    host) configure build/host -DMORVANE_TEST_PREFIX=host. ;;
    sanitize) configure build/sanitize -DMORVANE_TEST_PREFIX=sanitize. -DMORVANE_SANITIZE=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ ;;
    win) configure build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake ;;
  esac
}

for tree in ${*:-host sanitize win}; do
  configure_tree "$tree"
  cmake --build "build/$tree" -j"$jobs"
done

cat > build/CTestTestfile.cmake <<'CTEST'
# Every test layer under one CTest summary.
subdirs("host")
subdirs("sanitize")
subdirs("win")
CTEST
