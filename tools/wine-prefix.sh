#!/usr/bin/env bash
# Makes a throwaway Wine prefix for the tests: no Mono/Gecko download, no crash
# dialog (a crash then fails at once), a recycle bin under the test HOME, and a
# virtual desktop with a task bar and tray that passes exit codes through.
set -euo pipefail
prefix="$1"; home="$2"
mkdir -p "$home/.local/share/Trash/files" "$home/.local/share/Trash/info"
export WINEPREFIX="$prefix" HOME="$home" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
lock="$prefix.lock"
mkdir -p "$(dirname "$prefix")"
exec 9>"$lock"
flock 9
[ -f "$prefix/.kelvane-ready" ] && exit 0
echo "wine-prefix: creating $prefix" >&2
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f >/dev/null 2>&1
wineserver -w
touch "$prefix/.kelvane-ready"
