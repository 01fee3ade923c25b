#!/usr/bin/env bash
# Builds Kelvane.exe and starts it under Wine. With a display, the program runs
# until you quit it. Without one (a server, CI), it runs under Xvfb in Wine's
# virtual desktop, a screenshot of the running window is saved and its path
# printed, and the program is then quit cleanly.
set -uo pipefail
export KELVANE_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KELVANE_ROOT"
"$KELVANE_ROOT/tools/setup.sh" >/dev/null || exit 1
cmake --preset mingw >/dev/null && cmake --build --preset mingw --target Kelvane kelvane_remote >/dev/null \
  || { echo "build failed"; exit 1; }
# The help file beside the program, when a CHM compiler is at hand.
cmake --build --preset mingw --target help_file >/dev/null 2>&1 || true
bin="$KELVANE_ROOT/build/mingw/bin"
headless=0; [ -z "${DISPLAY:-}" ] && headless=1

source "$KELVANE_ROOT/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$KELVANE_ROOT/build/mingw/wine/run-prefix" "$KELVANE_ROOT/build/mingw/wine/run-home" windows10
export HOME="$HOME_FOR_WINE"
cd "$bin"
if [ $headless -eq 0 ]; then
  wine Kelvane.exe
  exit $?
fi

log=$(mktemp)
wine Kelvane.exe >"$log" 2>&1 &
pid=$!
if ! wine kelvane_remote.exe wait 30000 >/dev/null 2>&1; then
  echo "Kelvane's window did not appear"; cat "$log"; kill $pid 2>/dev/null; exit 1
fi
sleep 1
mkdir -p "$KELVANE_ROOT/build/screenshots"
shot="$KELVANE_ROOT/build/screenshots/kelvane-$(date +%Y%m%d-%H%M%S).png"
import -display "$DISPLAY" -window root "$shot"
echo "screenshot: $shot"
wine kelvane_remote.exe quit 20000 >/dev/null 2>&1
wait $pid; rc=$?
rm -f "$log"
echo "Kelvane ended with exit code $rc"
exit $rc
