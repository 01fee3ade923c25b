#!/usr/bin/env bash
# Runs every fuzz target of tests/fuzz (libFuzzer, with AddressSanitizer and
# UndefinedBehaviorSanitizer) for a while each, from the seeds written by hand
# in tests/fuzz/seeds. A crash, an overrun, a hang of more than 10 s or a
# broken round trip stops that target; its input is kept in build/fuzz/crashes
# to become a regression test. The corpus grown by a run stays in build/fuzz.
# Usage: tools/fuzz.sh [seconds per target, 600 by default] [target-filter]
set -uo pipefail
export KELVANE_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KELVANE_ROOT"
seconds="${1:-600}"
filter="${2:-}"
"$KELVANE_ROOT/tools/setup.sh" >/dev/null || exit 1
cmake --preset fuzz >build-fuzz.log 2>&1 && cmake --build --preset fuzz >>build-fuzz.log 2>&1 \
  || { tail -40 build-fuzz.log; echo "fuzz build failed"; exit 1; }
rm -f build-fuzz.log
mkdir -p build/fuzz/crashes
# Short runs (the test command's) follow one fixed path, so that they give
# the same verdict every time; long runs explore at random.
seed=0
[ "$seconds" -le 60 ] && seed=1
failed=0
for target in build/fuzz/bin/*_fuzz; do
  name=$(basename "$target" _fuzz)
  [[ -z "$filter" || "$name" == *"$filter"* ]] || continue
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  log="build/fuzz/$name.log"
  if "$target" -seed="$seed" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="build/fuzz/crashes/$name-" "$corpus" "tests/fuzz/seeds/$name" >"$log" 2>&1; then
    echo "fuzz $name: $(grep -Eo 'Done [0-9]+ runs' "$log" | tail -n1 | sed 's/Done //') in ${seconds} s, no crash"
  else
    echo "fuzz $name: FAILED (see $log)"; grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -5
    failed=$((failed + 1))
  fi
done
exit $((failed > 0))
