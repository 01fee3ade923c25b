#!/usr/bin/env bash
# Runs the benchmarks and prints their figures: the native ones (optimised
# build, Google Benchmark) and the Win32 harnesses under Wine.
# Usage: tools/bench.sh [name-filter]
set -uo pipefail
export KELVANE_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KELVANE_ROOT"
filter="${1:-}"
"$KELVANE_ROOT/tools/setup.sh" >/dev/null || exit 1
cmake --preset native-bench >/dev/null && cmake --build --preset native-bench >/dev/null || exit 1
cmake --preset mingw >/dev/null && cmake --build --preset mingw >/dev/null || exit 1

if [ -x build/native-bench/bin/kelvane_core_bench ] && [[ -z "$filter" || "$filter" == native* ]]; then
  echo "=== native benchmarks"
  taskset -c 0 build/native-bench/bin/kelvane_core_bench ${BENCH_ARGS:-}
fi

source "$KELVANE_ROOT/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$KELVANE_ROOT/build/mingw/wine/prefix" "$KELVANE_ROOT/build/mingw/wine/home"
for exe in build/mingw/bin/*_bench.exe; do
  name=$(basename "$exe" .exe)
  [[ -z "$filter" || "$name" == *"$filter"* ]] || continue
  echo "=== $name (under Wine)"
  # Output to a file, never a pipe: background Wine processes may hold a pipe open.
  out=$(mktemp)
  HOME="$HOME_FOR_WINE" wine "$exe" >"$out" 2>&1; rc=$?
  tr -d '\r' <"$out"; rm -f "$out"
  [ $rc -eq 0 ] || echo "$name failed ($rc)"
done
