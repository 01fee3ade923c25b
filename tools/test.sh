#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the portable core natively
# (AddressSanitizer + UndefinedBehaviorSanitizer) and the Windows program with
# mingw-w64, runs the native suite, each fuzz target for 20 s (clang,
# libFuzzer), then the Wine suite under Xvfb and the installer's test
# (tools/install-test.sh). Prints a summary and exits non-zero on any failure.
set -uo pipefail
export KELVANE_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KELVANE_ROOT"
jobs=$(nproc 2>/dev/null || echo 2)

"$KELVANE_ROOT/tools/setup.sh" || { echo "setup failed"; exit 1; }

step() { echo; echo "=== $*"; }
fail=0
step "native build"
cmake --preset native >build-native.log 2>&1 && cmake --build --preset native -j "$jobs" >>build-native.log 2>&1 \
  || { tail -40 build-native.log; echo "native build failed"; exit 1; }
step "mingw build"
cmake --preset mingw >build-mingw.log 2>&1 && cmake --build --preset mingw -j "$jobs" >>build-mingw.log 2>&1 \
  || { tail -40 build-mingw.log; echo "mingw build failed"; exit 1; }
rm -f build-native.log build-mingw.log

step "native tests"
ctest --preset native -j "$jobs" 2>&1 | tee build/native/ctest.log | grep -E -v '^\s+[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed' || true

step "fuzzing (20 s per reader)"
fuzz_passed=0; fuzz_failed=0
while IFS= read -r line; do
  echo "$line"
  case "$line" in
    "fuzz "*": FAILED"*) fuzz_failed=$((fuzz_failed + 1)) ;;
    "fuzz "*"no crash") fuzz_passed=$((fuzz_passed + 1)) ;;
  esac
done < <("$KELVANE_ROOT/tools/fuzz.sh" 20 2>&1)
[ "$fuzz_passed" -gt 0 ] || { echo "no fuzz target ran"; fuzz_failed=$((fuzz_failed + 1)); }

step "wine tests"
source "$KELVANE_ROOT/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$KELVANE_ROOT/build/mingw/wine/prefix" "$KELVANE_ROOT/build/mingw/wine/home"
# One at a time: the program under test is single-instance per user.
ctest --preset mingw -j 1 2>&1 | tee build/mingw/ctest.log | grep -E -v '^\s+[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed' || true

step "installer"
install_passed=0; install_failed=0
if "$KELVANE_ROOT/tools/install-test.sh" 2>&1; then install_passed=1; else install_failed=1; fi

passed=$((fuzz_passed + install_passed)); failed=$((fuzz_failed + install_failed))
for log in build/native/ctest.log build/mingw/ctest.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n1)
  if [ -z "$line" ]; then echo "no test summary in $log"; fail=1; continue; fi
  total=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
  bad=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed.*/\1/')
  passed=$((passed + total - bad)); failed=$((failed + bad))
  [ "$total" -gt 0 ] || fail=1
done
[ "$failed" -eq 0 ] || fail=1
echo
echo "$passed passed, $failed failed"
exit $fail
