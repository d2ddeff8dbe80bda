#!/usr/bin/env bash
# Picks under headless sway, natively on Wayland and through XWayland, at the
# configurations given (see sway_driver.py), each judged against grim's pixel.
# sway will not run as root: as root this runs as the user velmor-sway.
#   sway_e2e.sh PROGRAM [CONFIG ...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
shift
configs=("$@")
[ ${#configs[@]} -gt 0 ] ||
  configs=(native:1280x800@1 native:1280x800@2 xwayland:1280x800@1 xwayland:1280x800@2
           kwin:1280x800@2+1024x768@1)
for tool in sway wayvnc grim Xwayland convert dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/velmor-color-picker"
# The screencopy module the program opens beside itself.
cp "$(dirname "$program")/velmor-wayland-copy.so" "$work/"
cp "$here/sway_driver.py" "$here/harness.py" "$here/make_board.py" "$here/kwin_standin.py" "$work/"
chmod -R a+rwX "$work"
chmod a+rx "$work"
inner="export XDG_RUNTIME_DIR=\$(mktemp -d) WLR_BACKENDS=headless WLR_RENDERER=pixman \
WLR_LIBINPUT_NO_DEVICES=1 SWAY_CASES=\"${SWAY_CASES:-}\" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway; \
unset DISPLAY WAYLAND_DISPLAY; cd '$work'; \
exec dbus-run-session -- python3 '$work/sway_driver.py' '$work/velmor-color-picker' '$work' ${configs[*]}"
status=0
if [ "$(id -u)" -eq 0 ]; then
  id velmor-sway >/dev/null 2>&1 || useradd -m velmor-sway
  su velmor-sway -s /bin/bash -c "$inner" || status=$?
else
  bash -c "$inner" || status=$?
fi
[ -s "$work/misses.txt" ] && { echo "misses:"; cat "$work/misses.txt"; }
exit $status
