#!/usr/bin/env bash
# Checks the installer under Wine, in the tests' own prefix and HOME
# (build/mingw/wine): a silent install and what it leaves (program files,
# Start-menu shortcut, uninstall entry), the installed program starting and
# quitting with the user's lists in place, an install over a running copy
# (asked to quit first), a silent uninstall that keeps the lists, and one with
# /REMOVEDATA that removes them. Builds the installer first (tools/package.sh).
# Prints "install test: ok" or "install test: FAILED: ..." and exits non-zero
# on a failure. tools/test.sh runs it inside its Wine session.
set -uo pipefail
export KELVANE_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KELVANE_ROOT"
started=$SECONDS
fail() { echo "install test: FAILED: $*"; exit 1; }

packaged=$("$KELVANE_ROOT/tools/package.sh" 2>&1) || { echo "$packaged"; fail "packaging"; }
setup=$(echo "$packaged" | grep -- '-setup\.exe$')
zip_file=$(echo "$packaged" | grep -- '\.zip$')
cmake --build --preset mingw --target kelvane_remote >/dev/null || fail "build of kelvane_remote"
remote="$KELVANE_ROOT/build/mingw/bin/kelvane_remote.exe"
version=$(sed -n -E 's/^project\(Kelvane VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)

# The portable copy: the program, its texts and the marker, nothing else.
listed=$(zip -sf "$zip_file" | sed -n 's/^  //p' | sort | tr '\n' '|')
[ "$listed" = "CLUF_Kelvane.txt|Kelvane Help.chm|Kelvane.exe|Kelvane.portable|LICENSE-fluent-icons.txt|" ] \
  || fail "zip holds: $listed"

# Inside tools/test.sh's session, its prefix and server; otherwise our own.
prefix="$KELVANE_ROOT/build/mingw/wine/prefix"
own_session=0
if [ "${WINEPREFIX:-}" != "$prefix" ]; then
  source "$KELVANE_ROOT/tools/wine-session.sh"
  own_session=1
  trap wine_session_stop EXIT
  wine_session_start "$prefix" "$KELVANE_ROOT/build/mingw/wine/home"
fi
export HOME="$HOME_FOR_WINE"
# The installed program must use the profile's data folder, as for a user.
unset KELVANE_DATA_FOLDER
tmp=$(mktemp -d)
# Output through a file: Wine's background processes may hold a pipe open.
run() { wine "$@" </dev/null >"$tmp/out" 2>&1; }
unix_path() { local p="${1//\\//}"; echo "$WINEPREFIX/drive_c/${p#?:/}"; }

run cmd /c 'echo %USERPROFILE%& echo %LOCALAPPDATA%& echo %APPDATA%' || fail "no shell folders"
mapfile -t folders < <(tr -d '\r' <"$tmp/out")
install_location="${folders[1]}\\Programs\\Kelvane"
instdir=$(unix_path "$install_location")
data=$(unix_path "${folders[0]}\\Tamorin Kelvane")
shortcut=$(unix_path "${folders[2]}\\Microsoft\\Windows\\Start Menu\\Programs\\Kelvane.lnk")
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvane'
installed_files=(Kelvane.exe "Kelvane Help.chm" CLUF_Kelvane.txt LICENSE-fluent-icons.txt Uninstall.exe)

# Leftovers of an interrupted run.
rm -rf "$instdir" "$data" "$shortcut"
run reg delete "$key" /f

# The entry's removal is the uninstaller's last step; the uninstaller runs
# from a copy of itself, so its own end cannot be waited for.
wait_entry_gone() {
  local tries
  for tries in $(seq 1 100); do
    run reg query "$key" || return 0
    sleep 0.2
  done
  fail "uninstall entry still there"
}
kelvane_pid=""
start_kelvane() {
  wine "$instdir/Kelvane.exe" </dev/null >"$tmp/kelvane.log" 2>&1 &
  kelvane_pid=$!
  run "$remote" wait 30000 || fail "the installed Kelvane showed no window"
}
end_kelvane() {  # end_kelvane WHAT: waits for the program to end, fails if it did not end well
  wait "$kelvane_pid" || fail "$1 (exit code $?)"
  kelvane_pid=""
}
trap '[ -z "$kelvane_pid" ] || kill "$kelvane_pid" 2>/dev/null; rm -rf "$tmp"; [ $own_session = 0 ] || wine_session_stop' EXIT

mkdir -p "$data"
printf '%s\r\n' 1 "Essai d'installation" 'C:\windows\notepad.exe' >"$data/MyApps.txt"

run "$setup" /S || fail "silent install (exit code $?)"
for file in "${installed_files[@]}"; do
  [ -f "$instdir/$file" ] || fail "$file not installed"
done
cmp -s "$instdir/CLUF_Kelvane.txt" assets/CLUF_Kelvane.txt || fail "installed read-me differs"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
# Its target, and its working folder (where the about window finds the read-me).
grep -qaF "$install_location\\Kelvane.exe" "$shortcut" || fail "shortcut target"
strings -a -el "$shortcut" | grep -qE "^.?$(sed 's/[\\.]/\\&/g' <<<"$install_location")\$" \
  || fail "shortcut working folder"
run reg query "$key" || fail "no uninstall entry"
tr -d '\r' <"$tmp/out" >"$tmp/entry"
entry_value() { sed -n -E "s/^ +$1 +REG_[A-Z]+ +//p" "$tmp/entry"; }
[ "$(entry_value DisplayName)" = Kelvane ] || fail "DisplayName"
[ "$(entry_value DisplayVersion)" = "$version" ] || fail "DisplayVersion"
[ "$(entry_value Publisher)" = "Veldran Software" ] || fail "Publisher"
[ "$(entry_value InstallLocation)" = "$install_location" ] || fail "InstallLocation: $(entry_value InstallLocation)"
[ "$(entry_value UninstallString)" = "\"$install_location\\Uninstall.exe\"" ] || fail "UninstallString"
[ "$(entry_value QuietUninstallString)" = "\"$install_location\\Uninstall.exe\" /S" ] || fail "QuietUninstallString"
[ "$(entry_value DisplayIcon)" = "$install_location\\Kelvane.exe,0" ] || fail "DisplayIcon"
[ "$(entry_value NoModify)" = 0x1 ] && [ "$(entry_value NoRepair)" = 0x1 ] || fail "NoModify/NoRepair"
size=$(entry_value EstimatedSize)
[ $((size)) -gt 1000 ] || fail "EstimatedSize: $size"

start_kelvane
run "$remote" quit 20000 || fail "the installed Kelvane did not quit"
end_kelvane "the installed Kelvane"
grep -qs "Essai d'installation" "$data/MyApps.txt" || fail "the list lost its entry"

# Installing over a running copy: the installer has it quit first.
start_kelvane
run "$setup" /S || fail "install over a running Kelvane (exit code $?)"
if run "$remote" rect; then
  run "$remote" quit 20000
  fail "the installer left Kelvane running"
fi
end_kelvane "the running Kelvane, closed by the installer"

run "$instdir/Uninstall.exe" /S || fail "silent uninstall (exit code $?)"
wait_entry_gone
[ ! -e "$instdir" ] || fail "program folder left: $(ls "$instdir" | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "shortcut left"
grep -qs "Essai d'installation" "$data/MyApps.txt" || fail "a silent uninstall touched the lists"

run "$setup" /S || fail "second install (exit code $?)"
run "$instdir/Uninstall.exe" /S /REMOVEDATA || fail "uninstall with /REMOVEDATA (exit code $?)"
wait_entry_gone
[ ! -e "$data" ] || fail "/REMOVEDATA left the data folder"
[ ! -e "$instdir" ] || fail "program folder left after the second uninstall"

echo "install test: ok ($((SECONDS - started)) s)"
