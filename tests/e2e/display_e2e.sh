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

if [ -z "${VELMOR_E2E_INNER:-}" ]; then
  E2E_DIR=$(mktemp -d)
  trap 'rm -rf "$E2E_DIR"' EXIT
  run_without_display env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
  run_without_display env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=nowhere
  run_without_display env WAYLAND_DISPLAY=nowhere QT_QPA_PLATFORM=wayland
  status=0
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --pick --display :999 2>"$E2E_DIR/err" || status=$?
  e2e_expect "--display names a server that is not there: exit status, lines" \
    "$status $(wc -l <"$E2E_DIR/err")" "2 1"
fi

# On a machine with an X server the same requests fall back to it: the picker
# opens, and Esc exits 1.
e2e_need_display "$@"
e2e_make_folder "$program"
WAYLAND_DISPLAY=nowhere QT_QPA_PLATFORM=wayland e2e_pick e2e_escape_surface
e2e_expect "Wayland requested without a compositor: the picker opens on X11" "$status" "1"
# RandR serves where libxcb-xinerama is missing (here a library without its symbols).
echo "int nothing;" | cc -shared -x c -o "$E2E_DIR/libxcb-xinerama.so.0" -
LD_LIBRARY_PATH="$E2E_DIR" e2e_pick e2e_escape_surface
e2e_expect "without libxcb-xinerama the picker opens" "$status" "1"
