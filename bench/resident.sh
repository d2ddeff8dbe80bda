#!/usr/bin/env bash
# The resident program (--background) on one 3840x2160 Xvfb screen without a
# window manager, on a session bus of its own:
#  1. Super+Shift+C to the picker on the screen, PRESSES times in a row (every
#     press must open it), COLD times after 11 s idle, and a forwarded --pick;
#  2. its resident memory, and how often it wakes while idle for IDLE seconds;
#  3. the screen copied through shared memory (MIT-SHM) against GetImage,
#     from the program's own marks around the copy (--pick, RUNS each).
#   bench/resident.sh [BUILD]     PRESSES=1000 COLD=5 RUNS=11 IDLE=60
set -euo pipefail
build=$(realpath "${1:-build/release}")
presses=${PRESSES:-1000}
runs=${RUNS:-11}
idle=${IDLE:-60}
if [ -z "${VELMOR_BENCH_INNER:-}" ]; then
  export VELMOR_BENCH_INNER=1
  exec dbus-run-session -- xvfb-run -a -s "-screen 0 3840x2160x24" "$0" "$@"
fi
work=$(mktemp -d)
export HOME="$work"
program=$build/src/velmor-color-picker
timer=$build/bench/shortcut_timer
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

"$program" --background 2>/dev/null &
resident=$!
trap 'kill $resident 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
    string:com.example.VelmorColorPicker 2>/dev/null | grep -q true && break
  sleep 0.05
done
"$timer" keys 5 >/dev/null || true  # warm
echo "shortcut to picker (warm, presses in a row): $("$timer" keys "$presses")"
# The screen's copy is let go ten seconds after a pick: the first press after that.
cold=()
for _ in $(seq "${COLD:-5}"); do
  sleep 11
  cold+=("$("$timer" keys 1 | awk '{print $4}')")
done
echo "shortcut to picker after 11 s idle: median $(median "${cold[@]}") ms of ${#cold[@]}"
echo "forwarded --pick to picker: $("$timer" forward "$runs" "$program")"

sleep 2
wakeups() {  # each thread's context switches: how often it woke
  for t in /proc/"$resident"/task/*; do
    echo "${t##*/} $(awk '/ctxt_switches/ {n += $2} END {print n}' "$t/status" 2>/dev/null)"
  done
}
wakeups >"$work/before"
sleep "$idle"
wakeups >"$work/after"
echo "resident memory: $(awk '/VmRSS/ {print $2 / 1024 " MB"}' /proc/"$resident"/status)"
# Threads that lived through the whole wait, compared with themselves.
woke=$(awk 'NR == FNR {b[$1] = $2; next} ($1 in b) {n += $2 - b[$1]} END {print n + 0}' \
  "$work/before" "$work/after")
echo "idle wakeups: $woke in ${idle} s ($(awk -v w="$woke" -v s="$idle" 'BEGIN {printf "%.2f", w / s}') a second)"
kill "$resident"
wait "$resident" 2>/dev/null || true

copy_ms() {  # the program's own time from asking for the copy to having it
  local err=$work/err shm=() plain=()
  for _ in $(seq "$runs"); do
    for mode in shm plain; do
      if [ $mode = plain ]; then export VELMOR_X11_NO_SHM=1; else unset VELMOR_X11_NO_SHM; fi
      VELMOR_STARTUP_TRACE=1 "$program" --pick 2>"$err" &
      local pick=$!
      for _ in $(seq 200); do grep -q "picker painted" "$err" && break; sleep 0.02; done
      xdotool key Escape
      wait $pick || true
      local ms
      ms=$(awk '/capture asked/ {a=$(NF-1)} /startup: captured/ {c=$(NF-1)} END {print c - a}' "$err")
      if [ $mode = shm ]; then shm+=("$ms"); else plain+=("$ms"); fi
    done
  done
  unset VELMOR_X11_NO_SHM
  local s p
  s=$(median "${shm[@]}") p=$(median "${plain[@]}")
  echo "4K screen copy: shared memory $s ms, GetImage $p ms (ratio $(awk -v s="$s" -v p="$p" 'BEGIN {printf "%.2f", p / s}'))"
}
copy_ms
