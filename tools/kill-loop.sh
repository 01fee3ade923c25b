#!/usr/bin/env bash
# Kill loop: stops the real Kelvane.exe with SIGKILL at chosen moments of its
# saves and checks that no list is ever lost or emptied.
#
#   tools/kill-loop.sh [N]      N trials (default 200)
#
# Runs under Wine in a private prefix and HOME of its own (build/mingw/wine/
# kill-loop-*), so no real data folder is ever touched. Each trial starts the
# program on three lists of 3,000 entries, sends it the save command and kills
# it when a chosen file event of a chosen list happens in the data folder
# (watched from Linux with inotify): the temporary file created, the temporary
# file closed (just before the rename), or the first rename touching the list.
# After each kill every list file must be whole, either as it was before the
# save or as the save writes it; the next trial's start loads what the kill
# left (its save then writes the list whole again, which is checked the same
# way), and a last start and quit checks the final files. Prints
# "trials N, losses L" (and exits 1 when L > 0). Slow (seconds per trial): not
# part of tools/test.sh.
set -uo pipefail
trials="${1:-200}"
export KELVANE_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KELVANE_ROOT"
cmake --preset mingw >/dev/null && cmake --build --preset mingw --target Kelvane kelvane_remote -j2 >/dev/null \
  || { echo "build failed"; exit 1; }
source "$KELVANE_ROOT/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$KELVANE_ROOT/build/mingw/wine/kill-loop-prefix" "$KELVANE_ROOT/build/mingw/wine/kill-loop-home"
export HOME="$HOME_FOR_WINE"
profile=$(wine cmd /c 'echo %USERPROFILE%' 2>/dev/null | tr -d '\r')
data="$(winepath -u "$profile" 2>/dev/null)/Tamorin Kelvane"
case "$data" in
  "$KELVANE_ROOT"/build/mingw/wine/kill-loop-*) ;;
  *) echo "kill-loop: the data folder $data is not inside the private prefix; stopping"; exit 1 ;;
esac
python3 - "$trials" "$data" "$KELVANE_ROOT/build/mingw/bin" <<'PY'
import ctypes, os, random, signal, struct, subprocess, sys, time

trials, data, bin_dir = int(sys.argv[1]), sys.argv[2], sys.argv[3]
names = ["MyApps.txt", "MyFiles.txt", "MyLinks.txt"]
SAVE_COMMAND = "7"

def canonical(kind):
    lines = ["3000"]
    for i in range(3000):
        lines.append(f"{kind} {i} \u00e9t\u00e9 \u00e0 Montr\u00e9al " + "x" * 40)
        lines.append(f"C:\\Donn\u00e9es\\{kind}\\fichier {i}.exe")
    return ("\r\n".join(lines) + "\r\n").encode("utf-8")

new = {n: canonical(n[2:-4]) for n in names}
old = {n: new[n].replace(b"\r", b"") for n in names}  # LF only: the save changes it

def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None

def write_all(contents):
    os.makedirs(data, exist_ok=True)
    for n in names:
        with open(os.path.join(data, n), "wb") as f:
            f.write(contents[n])

libc = ctypes.CDLL("libc.so.6", use_errno=True)
IN_CLOSE_WRITE, IN_MOVED_FROM, IN_MOVED_TO, IN_CREATE = 0x8, 0x40, 0x80, 0x100

def wine(*args, wait=True):
    proc = subprocess.Popen(["wine", *args], cwd=bin_dir, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return proc.wait() if wait else proc

def start():
    # The instance just killed may hold its single-instance mutex for a moment
    # longer: a start that ends on its own before its window shows is tried again.
    for _ in range(10):
        kelvane = wine("Kelvane.exe", wait=False)
        for _ in range(30):
            if wine("kelvane_remote.exe", "wait", "2000") == 0:
                return kelvane
            if kelvane.poll() is not None:
                break
        if kelvane.poll() is None:
            kelvane.kill(); kelvane.wait()
        time.sleep(0.5)
    raise SystemExit("kill-loop: Kelvane's window did not appear")

def kill_at(kelvane, target, moment, timeout=20.0):
    """Sends the save command and kills the program at the chosen event."""
    fd = libc.inotify_init()
    libc.inotify_add_watch(fd, data.encode(), IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO)
    wine("kelvane_remote.exe", "command", SAVE_COMMAND, wait=False)
    end = time.monotonic() + timeout
    hit = False
    import select
    while not hit and time.monotonic() < end:
        ready, _, _ = select.select([fd], [], [], 0.5)
        if not ready:
            continue
        buf = os.read(fd, 65536)
        at = 0
        while at < len(buf) and not hit:
            _, mask, _, size = struct.unpack_from("iIII", buf, at)
            name = buf[at + 16:at + 16 + size].rstrip(b"\0").decode("utf-8", "replace")
            at += 16 + size
            if moment == "create" and mask & IN_CREATE and name == target + ".tmp":
                hit = True
            elif moment == "closed" and mask & IN_CLOSE_WRITE and name == target + ".tmp":
                hit = True
            elif moment == "rename" and mask & (IN_MOVED_FROM | IN_MOVED_TO) and name in (target, target + ".tmp"):
                hit = True
    os.kill(kelvane.pid, signal.SIGKILL)
    kelvane.wait()
    os.close(fd)
    return hit

losses = missed = 0
random.seed(int(os.environ.get("KILL_LOOP_SEED", "12")))
write_all(old)
began = time.monotonic()
for trial in range(1, trials + 1):
    if trial % 2 == 1:
        write_all(old)  # the save then changes every file
    before = {n: read(os.path.join(data, n)) for n in names}
    target, moment = random.choice(names), random.choice(["create", "closed", "rename"])
    kelvane = start()
    hit = kill_at(kelvane, target, moment)
    missed += not hit
    lost = [n for n in names if read(os.path.join(data, n)) not in (before[n], new[n])]
    # Shortened or emptied content also shows as not the old nor the new file.
    if lost:
        losses += 1
        print(f"trial {trial}: killed at {moment} of {target}: lost or changed {', '.join(lost)}", flush=True)
    elif trial % 20 == 0:
        print(f"... {trial} trials, {losses} losses, {time.monotonic() - began:.0f} s", flush=True)

# The last kill's files load whole at the next start, and its quit writes them back whole.
kelvane = start()
wine("kelvane_remote.exe", "quit", "60000")
kelvane.wait()
final = [n for n in names if read(os.path.join(data, n)) != new[n]]
if final:
    losses += 1
    print(f"last start and quit: lost or changed {', '.join(final)}")
print(f"trials {trials}, losses {losses} ({missed} kills without their chosen event, "
      f"{time.monotonic() - began:.0f} s)")
sys.exit(1 if losses else 0)
PY
