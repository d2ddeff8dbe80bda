#!/usr/bin/env bash
# --pick through a desktop portal, as on GNOME or KDE: a stand-in portal on a
# private session bus answers at once with a PNG of the whole screen, which the
# program reads, shows frozen and deletes. Prints the median from exec to the
# picker mapped. Run on an X server of the size to measure (startup.sh does).
#   bench/portal_pick.sh BUILD RUNS
set -euo pipefail
portal=
build=$(realpath "$1")
runs=$2
root=$(cd "$(dirname "$0")/.." && pwd)
e2e=$root/tests/e2e
if [ -z "${VELMOR_BENCH_BUS:-}" ]; then
  export VELMOR_BENCH_BUS=1
  exec dbus-run-session --config-file="$e2e/private_bus.conf" -- "$0" "$@"
fi
work=$(mktemp -d)
trap 'kill "$portal" 2>/dev/null || true; rm -rf "$work"' EXIT
size=$(xdpyinfo | awk '/dimensions/ {d = $2} END {print d}')
python3 "$e2e/make_board.py" "${size%x*}" "${size#*x}" "$work/board.ppm"
convert "$work/board.ppm" "$work/board.png"
/usr/bin/python3 "$e2e/portal_standin.py" screenshot "$work/board.png" 0.2,0.4,0.6 "$work/log" &
portal=$!
for _ in $(seq 100); do grep -q ready "$work/log" 2>/dev/null && break; sleep 0.05; done
export HOME="$work" XDG_SESSION_TYPE=wayland
unset WAYLAND_DISPLAY
times=()
for _ in $(seq "$runs"); do
  read -r t _ < <("$build/bench/map_timer" "$build/src/velmor-color-picker" --pick) && times+=("$t")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {
  if (NR) printf "--pick through a desktop portal (stand-in, a %s PNG), exec to the picker mapped (median of %d): %.1f ms\n", size, NR, (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)
  else print "--pick through a desktop portal: no run mapped the picker" }' size="$size"
