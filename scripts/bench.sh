#!/usr/bin/env bash
# The bench (make bench): release builds of the editor and of its floors, measured side by side
# under Wine (x86_64) on a private Xvfb display in a prefix of its own; prints one table.
# Every row compares the editor with a floor measured in the same run, the two alternating.
set -Eeuo pipefail
cd "$(dirname "$0")/.."
source scripts/wine.sh
report_unexpected_failures
bench=$PWD/build/bench
click_rounds=${CLICK_ROUNDS:-200}
startup_rounds=${STARTUP_ROUNDS:-40}
parse_rounds=${PARSE_ROUNDS:-40}
memory_rounds=${MEMORY_ROUNDS:-5}
results=$bench/results.txt
# The x86_64 release build names its editor for 64-bit Windows.
editor_exe=$bench/win/morvane-settings-x64.exe

say() { echo "bench: $*" >&2; }

wine=$(wine64_loader)

build_trees() {
  [ -f "$bench/win/CMakeCache.txt" ] ||
    cmake -S . -B "$bench/win" -C cmake/bench-release.cmake -DCMAKE_BUILD_TYPE=MinSizeRel \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  [ -f "$bench/host/CMakeCache.txt" ] ||
    cmake -S . -B "$bench/host" -C cmake/bench-release.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$bench/win" -j"$(nproc)" >/dev/null || fail "building the bench's Windows programs failed"
  cmake --build "$bench/host" -j"$(nproc)" >/dev/null || fail "building the parse bench failed"
}

stop_bench_environment() {
  stop_wine_server "$bench/wine"
  stop_display
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Pages only this process has written (heaps, stacks, written image pages), read once the
# window is shown and idle; shared libraries and unwritten file pages cost no process alone.
private_dirty_kib() {  # exe, window class
  "$wine" "$1" >/dev/null 2>&1 &
  local pid=$! status=0
  if "$wine" "$bench/win/startup-bench.exe" wait "$2" >/dev/null; then
    awk '/^Private_Dirty:/ { print $2 }' "/proc/$pid/smaps_rollup"
  else
    echo "$1 showed no $2 window" >&2
    status=1
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  return "$status"
}

measure_memory() {
  local editor=() floor=() round
  for ((round = 0; round < memory_rounds; ++round)); do
    if ((round % 2 == 0)); then
      editor+=("$(private_dirty_kib "$editor_exe" MainWindow)")
      floor+=("$(private_dirty_kib "$bench/win/floor-window.exe" FloorWindow)")
    else
      floor+=("$(private_dirty_kib "$bench/win/floor-window.exe" FloorWindow)")
      editor+=("$(private_dirty_kib "$editor_exe" MainWindow)")
    fi
  done
  echo "memory private $memory_rounds $(printf '%s\n' "${editor[@]}" | median)" \
    "$(printf '%s\n' "${floor[@]}" | median)"
}

# One row per record the programs printed; the rows' wording and their targets live here.
print_table() {
  awk -v machine="$1" '
    function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
    function row(what, unit, editor, floor, ratios, rounds, target, median_ratio) {
      mark = target == "" ? "" : (median_ratio <= target + 0 ? "<= " target " met" : "<= " target " NOT MET")
      line = sprintf("%-40s %-5s %19s %19s %13s %6s  %s", what, unit, editor, floor, ratios, rounds, mark)
      sub(/ +$/, "", line)
      print line
    }
    BEGIN {
      label["time click-plain"] = "click (language) vs plain rebuild";   target["click-plain"] = "0.75"
      label["time click-once"] = "click (language) vs rebuild drawn once"; target["click-once"] = "1.05"
      label["time startup"] = "start-up to window shown and idle";       target["startup"] = "1.10"
      label["time parse"] = "parse vs memchr line count, 64 MiB"
      label["rate parse"] = "parse vs memchr line count, 64 MiB"
      label["memory private"] = "private memory after start-up"
      label["size exe"] = "release exe, x86_64"
      part["window"] = "main window"; part["controls"] = "the controls"
      message["paint"] = "WM_PAINT"; message["erase"] = "WM_ERASEBKGND"; message["frame"] = "WM_NCPAINT"
      print machine
      printf "%-40s %-5s %19s %19s %13s %6s  %s\n", "", "unit", "editor", "floor", "editor/floor", "rounds", "target (median)"
    }
    { sub(/\r$/, "") }
    $1 == "time" {
      row(label["time " $2], "ms", sprintf("%.1f / %.1f", $4, $5), sprintf("%.1f / %.1f", $6, $7),
          ratio($4, $6) " / " ratio($5, $7), $3, target[$2], $5 / $7)
    }
    $1 == "rate" { row(label["rate " $2], "GB/s", $3 " / " $4, $5 " / " $6, "", "", "") }
    $1 == "memory" { row(label["memory " $2], "KiB", $4, $5, ratio($4, $5), $3, "") }
    $1 == "size" { row(label["size " $2], "bytes", $3, $4, ratio($3, $4), "", "") }
    $1 == "count" {
      split($2, name, "-")
      row(message[name[2]] " to " part[name[1]] " per click", "count", $3, $4 " / " $5, "", "", "")
    }
    END {
      print "times: min / median over the rounds, and the ratios of both; counts: per click, for the"
      print "floor rebuilt plainly / drawn once; memory: Private_Dirty of the Wine process, median."
    }' "$results"
}

machine="$("$wine" --version), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg) at the start, $(date -u +%F)"
trap stop_bench_environment EXIT
say "building release trees in $bench"
build_trees
: >"$results"

ensure_i386_runs || exit 1
wine_environment
# Tall enough for the editor's window above the floor's: neither ever covers the other.
start_display 1280x1024
export WINEPREFIX="$bench/wine"
make_prefix "$WINEPREFIX"
start_wine_server "$WINEPREFIX"
run_dir=$(mktemp -d "$bench/run.XXXXXX")
cd "$run_dir"

say "clicks: $click_rounds rounds of editor, plain floor and floor drawn once"
"$wine" "$bench/win/click-bench.exe" "$click_rounds" >>"$results"

say "start-ups: $startup_rounds rounds of editor and bare window"
"$wine" "$bench/win/startup-bench.exe" rounds "$startup_rounds" \
  "$(wine_path "$editor_exe")" \
  "$(wine_path "$bench/win/floor-window.exe")" >>"$results"

say "memory: $memory_rounds start-ups of each"
measure_memory >>"$results"
echo "size exe $(stat -c %s "$editor_exe" "$bench/win/floor-window.exe" |
  paste -sd ' ')" >>"$results"

cd - >/dev/null
rm -rf "$run_dir"

say "parse: $parse_rounds rounds over 64 MiB"
"$bench/host/parse-bench" "$parse_rounds" >>"$results"
print_table "$machine"
