#!/usr/bin/env bash
# Takes the screenshots used to check the look of the program by eye: each
# tab at the smallest and the largest width, the preferences, about and
# clipboard windows, the search prompt, the quick-open box and an import's
# pick list, with Windows set to light and to
# dark applications (the prefix acts as Windows 10 so that the dark title bar
# is asked for), a tool-bar tooltip, a popup menu, the tray menu and the
# folder lists' view modes. Also rewrites the README's pictures in
# docs/screenshots. Headless: Xvfb and Wine's virtual desktop. Needs xdotool
# and ImageMagick (apt-get install xdotool imagemagick).
# Usage: tools/screenshots.sh [output folder]
set -uo pipefail
export KELVANE_ROOT=$(cd "$(dirname "$0")/.." && pwd)
out="${1:-$KELVANE_ROOT/build/screenshots/$(date +%Y%m%d-%H%M%S)}"
mkdir -p "$out"
cd "$KELVANE_ROOT"
"$KELVANE_ROOT/tools/setup.sh" >/dev/null || exit 1
command -v xdotool >/dev/null || apt-get install -y -qq xdotool >/dev/null
cmake --preset mingw >/dev/null && cmake --build --preset mingw --target Kelvane kelvane_remote >/dev/null || exit 1
unset DISPLAY
source "$KELVANE_ROOT/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$KELVANE_ROOT/build/mingw/wine/shots-prefix" "$KELVANE_ROOT/build/mingw/wine/shots-home" windows10
export HOME="$HOME_FOR_WINE"
cd "$KELVANE_ROOT/build/mingw/bin"
remote() { wine kelvane_remote.exe "$@" >/dev/null 2>&1; }
shot() { sleep "${2:-0.6}"; import -display "$DISPLAY" -window root "$out/$1.png"; echo "$out/$1.png"; }

# Favourite lists with a few entries each, so that the first three tabs show
# rows with their icons (list format: count, then name and target lines).
data="$WINEPREFIX/drive_c/users/$(whoami)/Tamorin Kelvane"
mkdir -p "$data"
printf '%s\r\n' 3 "Bloc-notes" 'C:\windows\notepad.exe' "Éditeur du registre" 'C:\windows\regedit.exe' \
  "Invite de commandes" 'C:\windows\system32\cmd.exe' >"$data/MyApps.txt"
# The last file is gone: its row shows greyed.
printf '%s\r\n' 4 "win.ini" 'C:\windows\win.ini' "Fonts" 'C:\windows\Fonts' "system32" 'C:\windows\system32' \
  "Rapport 2019" 'C:\Documents\Rapport 2019.docx' >"$data/MyFiles.txt"
printf '%s\r\n' 2 "Documentation Win32" 'https://learn.microsoft.com/windows/win32/' "Actualités" \
  'https://www.example.org/' >"$data/MyLinks.txt"

# A few entries in the recent-items folder and on the user's desktop.
shell_folder() {
  wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' /v "$1" 2>/dev/null |
    tr -d '\r' | sed -n "s/.*REG_SZ *//p" | head -n1
}
for name in Recent Desktop; do
  folder=$(winepath -u "$(shell_folder $name)" 2>/dev/null)
  [ -n "$folder" ] || continue
  mkdir -p "$folder"
  for file in "rapport annuel.pdf" "notes de réunion.txt" "budget 2026.xlsx" "photo plage.jpg"; do
    [ $name = Recent ] && file="$file.lnk"
    printf 'x' >"$folder/$file"
  done
  [ $name = Desktop ] && mkdir -p "$folder/Projets"
done

# A browser profile for the pick list of the browsers' import, one bookmark of
# which the links list has already.
bookmarks="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/Exemple/Navigateur/User Data/Default"
mkdir -p "$bookmarks"
cat >"$bookmarks/Bookmarks" <<'JSON'
{"roots": {"bookmark_bar": {"type": "folder", "name": "Barre de favoris", "children": [
  {"type": "url", "name": "Actualités", "url": "https://www.example.org/"},
  {"type": "url", "name": "Météo du jour", "url": "https://meteo.example.fr/"},
  {"type": "url", "name": "Recettes de cuisine", "url": "https://cuisine.example.fr/recettes"},
  {"type": "url", "name": "Banque en ligne", "url": "https://banque.example.fr/"}]}}}
JSON

personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win10 /f >/dev/null 2>&1

# The window in front (or the main window) cut out of the last full shot.
cut() {  # cut NAME [front]
  local geometry
  geometry=$(wine kelvane_remote.exe rect ${2:-} 2>/dev/null | tr -d '\r')
  [ -n "$geometry" ] || return
  set -- "$1" $geometry
  convert "$out/$1.png" -crop "${4}x${5}+${2}+${3}" +repage "$out/$1.png"
}
# The README's pictures: the cut shot in at most 64 colours.
readme_pictures="$KELVANE_ROOT/docs/screenshots"
mkdir -p "$readme_pictures"
keep() { convert "$out/$1.png" -colors 64 "PNG8:$readme_pictures/$2.png"; }

# Files on the clipboard for the clipboard viewer.
clip_files=('C:\windows\win.ini' 'C:\windows\notepad.exe' 'C:\windows\system32\cmd.exe')

# In the light and in the dark setting: the six tabs (through the tray menu's
# entries: 108 apps ... 104 desktop) at the smallest and the largest width,
# the preferences window (command 15), the about window (command 10), the
# clipboard viewer (explorer gadget 25) and the search prompt (command 12).
for setting in light dark; do
  wine reg add "$personalize" /v AppsUseLightTheme /t REG_DWORD /d $([ $setting = light ] && echo 1 || echo 0) /f \
    >/dev/null 2>&1
  wine Kelvane.exe >/dev/null 2>&1 &
  pid=$!
  remote wait 30000 || { echo "no window"; exit 1; }
  for width in 400 500; do
    remote size $width 300
    n=0
    for command in 108 107 106 105 103 104; do
      remote command $command
      shot "$setting-$width-tab$n" >/dev/null
      cut "$setting-$width-tab$n"
      [ $width = 500 ] && [ $setting = dark ] && keep "$setting-$width-tab$n" "tab$n"
      n=$((n + 1))
    done
  done
  [ $setting = light ] && keep light-500-tab0 light-tab0
  remote size 400 300
  remote command 108
  for window in 15:preferences 10:about; do
    remote command ${window%%:*}
    shot "$setting-${window##*:}" 1 >/dev/null
    cut "$setting-${window##*:}" front
    [ $setting = dark ] || [ ${window##*:} = preferences ] && keep "$setting-${window##*:}" "$setting-${window##*:}"
    xdotool key Escape
  done
  wine kelvane_remote.exe clip "${clip_files[@]}" >/dev/null 2>&1
  remote command 103
  remote click 19  # reload: the paste buttons look at the clipboard again
  sleep 0.5
  remote click 25
  shot "$setting-clipboard" 1 >/dev/null
  cut "$setting-clipboard" front
  keep "$setting-clipboard" "$setting-clipboard"
  xdotool key Escape
  remote command 108
  remote command 12
  shot "$setting-search-prompt" 1 >/dev/null
  cut "$setting-search-prompt" front
  xdotool key Escape
  # The quick-open box, brought by its hotkey, with what "o" finds.
  remote hotkey
  shot "$setting-quick-open-empty" 1 >/dev/null
  cut "$setting-quick-open-empty" front
  xdotool type --delay 100 "o"
  shot "$setting-quick-open" 1 >/dev/null
  cut "$setting-quick-open" front
  [ $setting = dark ] && keep dark-quick-open quick-open
  xdotool key Escape
  sleep 0.3
  xdotool key Escape
  # The pick list of the browsers' import (command 112), then Escape.
  remote command 112
  shot "$setting-pick-list" 1 >/dev/null
  cut "$setting-pick-list" front
  [ $setting = dark ] && keep dark-pick-list pick-list
  xdotool key Escape
  # Files left on the clipboard would make the quit ask whether to keep them.
  wine kelvane_remote.exe clip >/dev/null 2>&1
  ls "$out"/$setting-*.png
  [ $setting = dark ] && break
  remote quit 20000
  wait $pid
done
remote command 108
# Tool-bar tooltip: the mouse rests on the first button.
geometry=$(xdotool search --name "Kelvane \(x64\)" getwindowgeometry 2>/dev/null | tr -d ' ')
xdotool mousemove 628 434; shot toolbar-tooltip 1.5
# MenuAjout at the cursor (command 6), then Escape.
xdotool mousemove 700 520; remote command 6; shot menu-ajout 1
xdotool key Escape
# The tray menu: right click on the tray icon at the bottom-right corner.
xdotool mousemove 1013 757 click 3; shot tray-menu 1
xdotool key Escape
# The three folder lists in each view mode (large icons, small icons, list,
# details): the recent and explorer lists through their view-mode button,
# whose menu acts on its own list (its entry chosen with the arrow keys);
# the desktop through its drop-down.
for tab in 105:50 103:31; do
  remote command ${tab%%:*}; sleep 0.5
  downs=""
  for mode in 60 61 62 63; do
    downs="$downs Down"
    remote click ${tab##*:}; sleep 0.5; xdotool key $downs Return
    shot "views-${tab%%:*}-$mode" 0.8
  done
done
remote command 104
for index in 0 1 2 3; do
  remote choose 55 $index
  shot "views-104-$index" 0.8
done
remote quit 20000
wait $pid
