#!/usr/bin/env bash
# A Wayland session's picking through the desktop portal, against a stand-in
# portal on a private session bus (the program itself runs on Xvfb):
# a screenshot is picked from and deleted, a refusal falls back to PickColor,
# a cancel picks nothing, and a missing portal is said in one line. GNOME's
# Allow and Deny and KDE's cancel without asking are its real portals' tests.
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
e2e_private_bus "$@"
e2e_make_folder "$1"
export XDG_SESSION_TYPE=wayland
unset WAYLAND_DISPLAY
here=$(dirname "$0")
python3 "$here/make_board.py" 1280 1024 "$E2E_DIR/board.ppm"
convert "$E2E_DIR/board.ppm" "$E2E_DIR/board.png"
mkdir "$E2E_DIR/shots"
portal=

start_portal() {  # MODE [PICTURE]
  [ -n "$portal" ] && kill "$portal" 2>/dev/null && wait "$portal" 2>/dev/null || true
  rm -f "$E2E_DIR/shots/log"
  /usr/bin/python3 "$here/portal_standin.py" "$1" "${2:-$E2E_DIR/board.png}" 0.199,0.4,0.6 \
    "$E2E_DIR/shots/log" &
  portal=$!
  e2e_until 5 'grep -q ready "$E2E_DIR/shots/log" 2>/dev/null' || e2e_fail "the stand-in portal did not start"
}

click_picture() { e2e_click_surface 301 203; }

start_portal screenshot
e2e_pick click_picture
e2e_expect "a pick from the portal's screenshot prints its pixel" "$(cat "$E2E_DIR/out") $status" "#2DCB10 0"
e2e_expect "the program named itself, then asked without interaction" \
  "$(sed -n '2,3p' "$E2E_DIR/shots/log" | tr '\n' ';')" \
  "Register com.example.VelmorColorPicker;Screenshot parent= interactive=False;"
e2e_expect "the screenshot file is deleted" "$(ls "$E2E_DIR/shots" | grep -c png || true)" "0"
printf '[Formats]\nMine={r}-{g}-{b} {oklch.h}\n' > "$E2E_DIR/settings.ini"
e2e_pick click_picture --format mine
e2e_expect "a template from settings.ini formats the pick" "$(cat "$E2E_DIR/out") $status" \
  "45-203-16 141.5 0"
rm "$E2E_DIR/settings.ini"

# The program's first visible window, once there is one.
our_window() { e2e_until 5 'id=$(e2e_our_window); [ -n "$id" ]' && echo "$id"; }

# A refusal is said; the desktop's own picker only when the user asks for it.
answer_refusal() {  # answer_refusal KEY: waits for the refusal and presses KEY in it
  local box
  box=$(our_window) || e2e_fail "no message after the refusal"
  sleep 0.3
  xdotool windowactivate --sync "$box" key "$1"
}
start_portal refuse
e2e_pick "answer_refusal alt+u" --format 9
e2e_expect "after a refusal the desktop's picker on request, rounded" \
  "$(cat "$E2E_DIR/out") $status" "RGB(51,102,153) 0"
start_portal cancel
XDG_CURRENT_DESKTOP=GNOME e2e_pick true
e2e_expect "a cancelled request prints nothing and exits 1" "$(cat "$E2E_DIR/out") $status" " 1"
start_portal nopick
e2e_pick true
e2e_expect "a refusal without PickColor exits 2" "$status" "2"
grep -q "did not take the screenshot" "$E2E_DIR/err" || e2e_fail "no reason given: $(cat "$E2E_DIR/err")"

start_portal giveup
XDG_CURRENT_DESKTOP=GNOME e2e_pick "sleep 2.8; answer_refusal Escape"
e2e_expect "a question the desktop stopped waiting for exits 2" "$status" "2"
grep -q "stopped waiting" "$E2E_DIR/err" || e2e_fail "no reason: $(cat "$E2E_DIR/err")"

# While the desktop asks the user, a note says so and Esc takes the question down.
press_esc_on_note() {
  sleep 2.5
  local note
  note=$(our_window) || e2e_fail "no note while the desktop asks"
  xdotool windowactivate --sync "$note" key Escape
}
start_portal ask
XDG_CURRENT_DESKTOP=GNOME e2e_pick press_esc_on_note
e2e_expect "Esc while the desktop asks picks nothing and exits 1" "$status" "1"
e2e_until 2 'grep -q closed "$E2E_DIR/shots/log"' || e2e_fail "the portal request was not closed"
# Where the portal asks nobody, a silent one is given a few seconds, and no note.
started=$(date +%s)
XDG_CURRENT_DESKTOP=sway e2e_pick true
e2e_expect "a portal that never answers on sway: exit 2 within 7 s, said why" \
  "$status $(($(date +%s) - started <= 7)) $(grep -c 'did not answer within 5 seconds' "$E2E_DIR/err")" "2 1 1"

# A portal that names what is not its fresh screenshot: nothing of the user's
# goes, and every pick ends within seconds.
start_portal uri "$E2E_DIR/uri"
mine="$E2E_DIR/mine"
mkdir -p "$mine/folder"
cp "$E2E_DIR/board.png" "$mine/old.png"
touch -d '1 day ago' "$mine/old.png"
echo "my notes" > "$mine/notes.png"
ln -s "$mine/old.png" "$mine/link.png"
mkfifo "$mine/fifo.png"
[ "$(id -u)" -eq 0 ] && mknod "$mine/device.png" c 1 3
convert -size 64x48 xc:red "$mine/small.png"
python3 - "$mine/huge.png" <<'PNG'
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
z = zlib.compressobj(9)
row = b"\0" + b"\0\0\xff" * 8000
body = b"".join(z.compress(row) for _ in range(8000)) + z.flush()
with open(sys.argv[1], "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 8000, 8000, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", body) + chunk(b"IEND", b""))
PNG
# All of them were there before the request.
find "$mine" -mindepth 1 -exec touch -h -d '3 seconds ago' {} +
before=$(cd "$mine" && ls -l --time-style=+%s | sort)
hostile=(link.png fifo.png folder notes.png small.png huge.png "folder/%2e%2e/old.png")
[ "$(id -u)" -eq 0 ] && hostile+=(device.png)
for name in "${hostile[@]}"; do
  echo "file://$mine/$name" > "$E2E_DIR/uri"
  started=$(date +%s)
  e2e_pick true
  e2e_expect "a screenshot named $name is refused" "$status" "2"
  [ $(($(date +%s) - started)) -le 5 ] || e2e_fail "$name took more than 5 seconds"
  grep -q "could not be read\|not the size" "$E2E_DIR/err" || e2e_fail "no reason for $name: $(cat "$E2E_DIR/err")"
done
echo "file://$mine/old.png" > "$E2E_DIR/uri"
e2e_pick click_picture
e2e_expect "an older picture is read" "$(cat "$E2E_DIR/out") $status" "#2DCB10 0"
e2e_expect "nothing of the user's was removed or changed" "$(cd "$mine" && ls -l --time-style=+%s | sort)" "$before"

# The portal's global shortcut, for the resident: bound on the first run only
# (the desktop asks the user then); the key picks through the portal and copies.
start_portal screenshot
portal_calls() { grep -c "^$1" "$E2E_DIR/shots/log" || true; }
for run in 1 2; do
  (cd "$E2E_DIR" && exec ./velmor-color-picker --background) 2>>"$E2E_DIR/resident.err" &
  resident=$!
  e2e_until 5 '[ "$(portal_calls ListShortcuts)" -ge $run ]' || true
  sleep 0.3
  e2e_expect "run $run: the key is bound once, as LOGO+SHIFT+c" \
    "$(grep BindShortcuts "$E2E_DIR/shots/log" | tr '\n' ' ')" "BindShortcuts pick SHIFT+LOGO+c "
  dbus-send --session --type=method_call --dest=org.freedesktop.portal.Desktop \
    /org/freedesktop/portal/desktop \
    com.example.Test.Press
  E2E_PICK=$resident e2e_click_surface 301 203
  sleep 0.5
  e2e_expect "run $run: the portal's key picks and copies" "$(e2e_clipboard)" '"#2DCB10"'
  printf 'other' | xclip -selection clipboard
  kill -TERM $resident
  wait $resident || true
done
rm -f "$E2E_DIR/settings.ini"  # the resident's picks joined the favourites

kill "$portal"; wait "$portal" 2>/dev/null || true; portal=
# Without a portal on the bus: what is missing is named; with everything
# installed, that it could not be started and how to start it.
data="$E2E_DIR/data"
mkdir -p "$data/xdg-desktop-portal/portals" "$data/dbus-1/services"
XDG_DATA_DIRS=$data e2e_pick true
e2e_expect "without a portal the pick exits 2, naming what to install" \
  "$status $(grep velmor-color-picker: "$E2E_DIR/err")" \
  "2 velmor-color-picker: The screen could not be read: no desktop portal offers screenshots here (The name org.freedesktop.portal.Desktop was not provided by any .service files). Install xdg-desktop-portal, xdg-desktop-portal-gtk."
touch "$data/dbus-1/services/org.freedesktop.portal.Desktop.service" \
  "$data/xdg-desktop-portal/portals/gtk.portal"
XDG_DATA_DIRS=$data e2e_pick true
e2e_expect "an installed portal that does not run: how to start it" \
  "$status $(grep -c 'installed but not running.*systemctl --user start xdg-desktop-portal' "$E2E_DIR/err")" "2 1"

# The main window: a PickColor pick lands in the favourites and the window returns.
start_portal refuse
e2e_start
e2e_key p
answer_refusal alt+u
sleep 0.5
e2e_wait_main
e2e_expect "the desktop's pick is added to the favourites" "$(e2e_favorites)" "336699"
grep -q "parent=x11:" "$E2E_DIR/shots/log" || e2e_fail "the main window was not named to the portal"
e2e_quit
kill "$portal" 2>/dev/null || true
