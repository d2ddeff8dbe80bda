#!/usr/bin/env bash
# With no display the program says so in one line and exits 2; when the
# Wayland platform cannot start but an X11 display can, it uses X11.
source "$(dirname "$0")/lib.sh"
program=$1

run_without_display() {
  local status=0
  env -u DISPLAY "$@" "$program" --pick >/dev/null 2>"$E2E_DIR/err" || status=$?
  e2e_expect "$*: exit status" "$status" "2"
  e2e_expect "$*: one line on standard error" "$(wc -l <"$E2E_DIR/err")" "1"
}

E2E_DIR=$(mktemp -d)
trap 'rm -rf "$E2E_DIR"' EXIT
run_without_display env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
run_without_display env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=nowhere
run_without_display env WAYLAND_DISPLAY=nowhere QT_QPA_PLATFORM=wayland
status=0
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --pick --display :999 2>"$E2E_DIR/err" || status=$?
e2e_expect "--display names a server that is not there: exit status, lines" \
  "$status $(wc -l <"$E2E_DIR/err")" "2 1"

# On a machine with an X server: Esc in the picker exits 1 once it opened.
pick_on_x11() {
  VELMOR_E2E_INNER=1 "$(dirname "$0")/with_xvfb.sh" "-screen 0 640x480x24" bash -c '
    env "${@:3}" "$1" --pick >/dev/null 2>"$2/err" &
    app=$!
    for _ in $(seq 100); do
      [ "$(xdotool search --onlyvisible --classname velmor-color-picker 2>/dev/null | wc -l)" -ge 1 ] && break
      sleep 0.05
    done
    sleep 0.3
    xdotool key Escape
    wait $app
  ' _ "$program" "$E2E_DIR" "$@" && status=0 || status=$?
}
# The same requests fall back to it.
pick_on_x11 WAYLAND_DISPLAY=nowhere QT_QPA_PLATFORM=wayland
e2e_expect "Wayland requested without a compositor: the picker opens on X11, Esc exits 1" "$status" "1"
# RandR serves where libxcb-xinerama is missing (here a library without its symbols).
echo "int nothing;" | cc -shared -x c -o "$E2E_DIR/libxcb-xinerama.so.0" -
pick_on_x11 LD_LIBRARY_PATH="$E2E_DIR"
e2e_expect "without libxcb-xinerama the picker opens, Esc exits 1" "$status" "1"
