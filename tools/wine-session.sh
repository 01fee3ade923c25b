# Sourced by the scripts that run Windows programs: a display (Xvfb when
# there is none), a Wine prefix in the build tree and a persistent wineserver
# so that each program start is cheap. Call wine_session_start PREFIX HOME
# [windows10] (see wine-prefix.sh),
# and wine_session_stop when done (the scripts trap it on exit).

wine_session_start() {
  export WINEPREFIX="$1" HOME_FOR_WINE="$2"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  KELVANE_XVFB_PID=""
  if [ -z "${DISPLAY:-}" ]; then
    local n
    for n in $(seq 91 140); do
      [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    KELVANE_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  "$KELVANE_ROOT/tools/wine-prefix.sh" "$WINEPREFIX" "$HOME_FOR_WINE" "${3:-}"
  HOME="$HOME_FOR_WINE" wineserver -p >/dev/null 2>&1 || true
  HOME="$HOME_FOR_WINE" wine cmd /c exit >/dev/null 2>&1 || true
}

wine_session_stop() {
  [ -n "${WINEPREFIX:-}" ] && HOME="${HOME_FOR_WINE:-$HOME}" wineserver -k >/dev/null 2>&1 || true
  if [ -n "${KELVANE_XVFB_PID:-}" ]; then
    kill "$KELVANE_XVFB_PID" 2>/dev/null || true
    wait "$KELVANE_XVFB_PID" 2>/dev/null || true
  fi
}
