#!/usr/bin/env bash
# Runs the benchmarks and prints their figures: the native ones (optimised
# build, Google Benchmark, repetitions interleaved at random) and the Win32
# harnesses under Wine, then one table of every figure, its goal and the
# measured ratio, all measured side by side in this one run.
# Usage: tools/bench.sh [--long] [name-filter]
#   --long   about three times the rounds (a default run takes a few minutes)
# The harnesses print "RESULT name=value ..." lines; tools/bench_table.py
# turns them into the table (kept in build/bench/results.txt).
set -uo pipefail
export KELVANE_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KELVANE_ROOT"
long=0
[ "${1:-}" = "--long" ] && { long=1; shift; }
filter="${1:-}"
if [ $long = 1 ]; then
  repetitions=15 startup="51 5" hotkey=51 lists=11 explorer=11 copy="100 121"
else
  repetitions=7 startup="21 3" hotkey=21 lists=5 explorer=5 copy="100 41"
fi
"$KELVANE_ROOT/tools/setup.sh" >/dev/null || exit 1
harnesses="startup_bench hotkey_bench lists_bench explorer_list_bench file_copy_bench"
cmake --preset native-bench >/dev/null && cmake --build --preset native-bench -j2 >/dev/null || exit 1
cmake --preset mingw >/dev/null &&
  cmake --build --preset mingw -j2 --target Kelvane minimal_window_gui $harnesses >/dev/null || exit 1

mkdir -p build/bench
results=build/bench/results.txt native_json=build/bench/native.json
: >"$results"
rm -f "$native_json"

if [ -x build/native-bench/bin/kelvane_core_bench ] && [[ -z "$filter" || "$filter" == native* ]]; then
  echo "=== native benchmarks"
  taskset -c 0 build/native-bench/bin/kelvane_core_bench --benchmark_repetitions=$repetitions \
    --benchmark_enable_random_interleaving=true --benchmark_display_aggregates_only=true \
    --benchmark_out="$native_json" --benchmark_out_format=json ${BENCH_ARGS:-}
fi

# A prefix of the benchmarks' own, whose documents folder (where the
# program's explorer starts) holds 1,000 empty files.
source "$KELVANE_ROOT/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$KELVANE_ROOT/build/mingw/wine/bench-prefix" "$KELVANE_ROOT/build/mingw/wine/bench-home"
documents="$WINEPREFIX/drive_c/kelvane-bench-documents"
if [ "$(ls "$documents" 2>/dev/null | wc -l)" != 1000 ]; then
  rm -rf "$documents" && mkdir -p "$documents" && (cd "$documents" && seq -f 'document_%04g.txt' 1 1000 | xargs touch)
fi
HOME="$HOME_FOR_WINE" wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
  /v Personal /t REG_EXPAND_SZ /d 'C:\kelvane-bench-documents' /f >/dev/null 2>&1

for name in $harnesses; do
  [[ -z "$filter" || "$name" == *"$filter"* ]] || continue
  case $name in
    startup_bench) args=$startup ;;
    hotkey_bench) args=$hotkey ;;
    lists_bench) args=$lists ;;
    explorer_list_bench) args=$explorer ;;
    file_copy_bench) args=$copy ;;
  esac
  echo "=== $name $args (under Wine)"
  # Output to a file, never a pipe: background Wine processes may hold a pipe open.
  out=$(mktemp)
  # shellcheck disable=SC2086
  HOME="$HOME_FOR_WINE" wine "build/mingw/bin/$name.exe" $args >"$out" 2>&1; rc=$?
  tr -d '\r' <"$out" | tee -a "$results"; rm -f "$out"
  [ $rc -eq 0 ] || echo "$name failed ($rc)"
done

echo
echo "=== performance table ($(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(wine --version 2>/dev/null))"
python3 "$KELVANE_ROOT/tools/bench_table.py" "$results" "$native_json"
