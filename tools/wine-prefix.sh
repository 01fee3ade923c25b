#!/usr/bin/env bash
# Makes a throwaway Wine prefix for the tests: no Mono/Gecko download, no crash
# dialog (a crash then fails at once), a recycle bin under the test HOME, and a
# virtual desktop with a task bar and tray that passes exit codes through.
# With "windows10" as third argument (the run and screenshot scripts), the
# prefix also reports Windows 10, asks applications for the dark look, and
# has the Marlett font where Wine's caption buttons look for it; the test
# prefix stays as Wine makes it.
set -euo pipefail
prefix="$1"; home="$2"; look="${3:-}"
mkdir -p "$home/.local/share/Trash/files" "$home/.local/share/Trash/info"
# X resources, as a desktop session has: with none at all (a bare Xvfb),
# Xlib looks for its resource files again at each query, thousands of times
# in a program's start under Wine, and every window paints slower.
[ -f "$home/.Xdefaults" ] || echo '! X resources of the test and benchmark sessions' >"$home/.Xdefaults"
export WINEPREFIX="$prefix" HOME="$home" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
lock="$prefix.lock"
mkdir -p "$(dirname "$prefix")"
exec 9>"$lock"
flock 9
if [ ! -f "$prefix/.kelvane-ready" ]; then
  echo "wine-prefix: creating $prefix" >&2
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  touch "$prefix/.kelvane-ready"
fi
if [ "$look" = windows10 ] && [ ! -f "$prefix/.kelvane-windows10" ]; then
  wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win10 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' /v AppsUseLightTheme \
    /t REG_DWORD /d 0 /f >/dev/null 2>&1
  marlett=/usr/share/wine/fonts/marlett.ttf
  if [ -f "$marlett" ]; then
    cp "$marlett" "$prefix/drive_c/windows/Fonts/marlett.ttf"
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'Marlett (TrueType)' \
      /t REG_SZ /d marlett.ttf /f >/dev/null 2>&1
  fi
  wineserver -w
  touch "$prefix/.kelvane-windows10"
fi
