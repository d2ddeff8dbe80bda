#!/usr/bin/env bash
# Runs desktops.py headless on a real compositor (gnome, kwin or sway): as an
# unprivileged user, each configuration on a session bus of its own, with the
# program and its screencopy module copied where that user can run them. A
# configuration that fails is run once more (a real compositor's timing varies
# from machine to machine); every miss of either run is listed at the end.
#   desktop_e2e.sh DESKTOP PROGRAM CONFIG...
# GNOME also wants private mount, PID and network namespaces with a system
# bus of its own and no systemd to find (or it looks for logind and dies).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
desktop=$1
program=$(realpath "$2")
shift 2
environment="XDG_SESSION_TYPE=wayland"
case "$desktop" in
  gnome) needs=(gnome-shell gsettings unshare) environment+=" XDG_CURRENT_DESKTOP=GNOME" ;;
  kwin) needs=(kwin_wayland) environment+=" XDG_CURRENT_DESKTOP=KDE"
    [ -x "${VELMOR_KWIN_INPUT:-}" ] && [ -x "${VELMOR_BOARD:-}" ] ||
      { echo "SKIP: no fake-input tool or board window was built"; exit 77; } ;;
  sway) needs=(sway wayvnc grim Xwayland wl-paste)
    environment+=" XDG_CURRENT_DESKTOP=sway WLR_BACKENDS=headless WLR_RENDERER=pixman \
WLR_LIBINPUT_NO_DEVICES=1 DESKTOP_CASES='${DESKTOP_CASES:-}'" ;;
esac
for tool in "${needs[@]}" convert dbus-run-session /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
user=velmor-desktop
work=$(mktemp -d)
trap '[ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT; echo "work: $work"
cp "$program" "$work/velmor-color-picker"
cp "$(dirname "$program")/velmor-wayland-copy.so" "$work/"
cp -r "$here/desktops.py" "$here/make_board.py" "$here/gnome_helper" "$work/"
# The desktop entry as the build made it: the test installs it for the user.
cp "$(dirname "$program")"/*.desktop "$work/"
if [ "$desktop" = kwin ]; then
  # The installed binary carries a file capability a container cannot grant;
  # a plain copy runs.
  cp /usr/bin/kwin_wayland "$work/"
  cp "$VELMOR_KWIN_INPUT" "$work/kwin_input"
  cp "$VELMOR_BOARD" "$work/board_window"
fi
chmod -R a+rwX "$work"
if [ "$(id -u)" -eq 0 ]; then
  id "$user" >/dev/null 2>&1 || useradd -m "$user"
  home=$(getent passwd "$user" | cut -d: -f6)
  rm -rf "$home/.config/dconf" "$home/.local/share/gnome-shell"
else
  [ "$desktop" != gnome ] || { echo "SKIP: GNOME runs in namespaces made as root"; exit 77; }
  user= home=$HOME
fi
session="export HOME='$home' $environment \
DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/system_bus_socket; unset DISPLAY WAYLAND_DISPLAY; \
cd '$work'; status=0; \
for config in $*; do for try in 1 2; do \
  export XDG_RUNTIME_DIR=\$(mktemp -d); \
  dbus-run-session -- /usr/bin/python3 '$work/desktops.py' $desktop '$work/velmor-color-picker' \
    '$work' \$config 2>'$work/session.log'; code=\$?; \
  [ \$code -eq 77 ] && { cat '$work/session.log'; exit 77; }; [ \$code -eq 0 ] && break; \
  echo \"\$config failed on try \$try; the session's last words:\"; tail -n 25 '$work/session.log'; \
  [ \$try -eq 2 ] && status=1; \
done; done; exit \$status"
as_user() { if [ -n "$user" ]; then su "$user" -s /bin/bash -c "$1"; else bash -c "$1"; fi; }
status=0
if [ "$desktop" = gnome ]; then
  cat > "$work/inner.sh" <<INNER
#!/usr/bin/env bash
mount -t tmpfs tmpfs /run/systemd
ip link set lo up 2>/dev/null || true
dbus-daemon --config-file='$here/private_bus.conf' --address=unix:path='$work/system_bus_socket' \
  --fork --nopidfile
chmod a+rw '$work/system_bus_socket'
exec su $user -s /bin/bash -c $(printf '%q' "$session")
INNER
  chmod a+rx "$work/inner.sh"
  unshare --mount --pid --net --fork --kill-child --mount-proc "$work/inner.sh" || status=$?
else
  as_user "$session" || status=$?
fi
[ -s "$work/misses.txt" ] && { echo "misses:"; cat "$work/misses.txt"; }
exit $status
