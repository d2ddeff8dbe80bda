#!/usr/bin/env bash
# Start-up against a bare Qt window of the main window's size with tabs and
# text, on one 3840x2160 Xvfb screen without a window manager:
#  1. wall clock from exec to the first mapped window, the two programs
#     interleaved run by run, and resident memory 1.5 s later (medians);
#  2. instructions from exec to an idle event loop under callgrind, where
#     valgrind is installed (steadier than the clock on a shared machine);
#  3. --pick from exec to the frozen picker on the screen, and its pieces from
#     the program's own marks (VELMOR_STARTUP_TRACE).
#   bench/startup.sh [BUILD]     RUNS=21 CALLGRIND_RUNS=3
set -euo pipefail
build=$(realpath "${1:-build/release}")
runs=${RUNS:-21}
callgrind_runs=${CALLGRIND_RUNS:-3}

if [ -z "${VELMOR_BENCH_INNER:-}" ]; then
  export VELMOR_BENCH_INNER=1
  exec xvfb-run -a -s "-screen 0 3840x2160x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home"  # a first start: no settings of the user's
mkdir -p "$HOME"
program=$build/src/velmor-color-picker
bare=$build/bench/bare_window
timer=$build/bench/map_timer

median() {
  # Plain decimals: awk's own way writes large means as 1.2e+08, which bc refuses.
  printf '%s\n' "$@" | sort -n |
    awk '{a[NR]=$1} END {printf "%.3f\n", (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'
}

"$timer" "$program" >/dev/null 2>&1 || true  # the caches warm once for both
"$timer" "$bare" >/dev/null 2>&1 || true
ours=() theirs=() ourMem=() theirMem=()
for _ in $(seq "$runs"); do
  read -r t m < <("$timer" "$program") && ours+=("$t") && ourMem+=("$m")
  read -r t m < <("$timer" "$bare") && theirs+=("$t") && theirMem+=("$m")
done
a=$(median "${ours[@]}") b=$(median "${theirs[@]}")
printf 'wall clock, exec to the window mapped (median of %d, interleaved)\n' "$runs"
printf '  velmor-color-picker %7.1f ms   resident %5.1f MB\n' "$a" "$(echo "$(median "${ourMem[@]}") / 1024" | bc -l)"
printf '  bare Qt window      %7.1f ms   resident %5.1f MB\n' "$b" "$(echo "$(median "${theirMem[@]}") / 1024" | bc -l)"
printf '  ratio               %7.2f x\n' "$(echo "$a / $b" | bc -l)"

# Instructions until the window is mapped and the event loop idle: callgrind
# is told to write its counts then, and the program is ended.
instructions() {  # PROGRAM
  local out="$work/callgrind" pid
  rm -f "$out".*
  valgrind --tool=callgrind --callgrind-out-file="$out.%p" "$1" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 600); do
    xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 2
  callgrind_control -d "$pid" >/dev/null 2>&1 || true
  sleep 1
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  sed -n 's/^summary: //p' "$out.$pid.1" 2>/dev/null | head -n 1
}
if command -v valgrind >/dev/null && command -v callgrind_control >/dev/null &&
  command -v xdotool >/dev/null; then
  ci=() cb=()
  for _ in $(seq "$callgrind_runs"); do
    # A run whose window never showed under valgrind gives no count.
    n=$(instructions "$program") && [ -n "$n" ] && ci+=("$n")
    n=$(instructions "$bare") && [ -n "$n" ] && cb+=("$n")
  done
  if [ "${#ci[@]}" -gt 0 ] && [ "${#cb[@]}" -gt 0 ]; then
    a=$(median "${ci[@]}") b=$(median "${cb[@]}")
    printf 'instructions, exec to an idle event loop (callgrind, median of %d)\n' "${#ci[@]}"
    printf '  velmor-color-picker %7.1f million\n' "$(echo "$a / 1000000" | bc -l)"
    printf '  bare Qt window      %7.1f million\n' "$(echo "$b / 1000000" | bc -l)"
    printf '  ratio               %7.2f x\n' "$(echo "$a / $b" | bc -l)"
  else
    echo "instructions: callgrind gave no count"
  fi
else
  echo "instructions: valgrind, callgrind_control or xdotool is not installed"
fi

# --pick: exec to the picker's surface mapped, and the program's own marks.
picks=() marks="$work/marks"
declare -A sums=()
for _ in $(seq "$runs"); do
  : > "$marks"
  read -r t _ < <(VELMOR_STARTUP_TRACE=1 MAP_TIMER_STDERR="$marks" "$timer" "$program" --pick) || continue
  picks+=("$t")
  while read -r step ms; do sums[$step]+="$ms "; done < <(
    sed -n 's/^velmor-color-picker: startup: \(.*\) \([0-9.]*\) ms$/\1|\2/p' "$marks" |
      tr ' ' '_' | tr '|' ' ')
done
p=$(median "${picks[@]}")
printf -- '--pick at %s, exec to the picker mapped (median of %d): %.1f ms\n' \
  "$(xdpyinfo 2>/dev/null | awk '/dimensions/ {print $2; exit}')" "${#picks[@]}" "$p"
step_median() { median ${sums[$1]:-0}; }
m=$(step_median main) q=$(step_median Qt_started) c=$(step_median capture_asked)
d=$(step_median captured) f=$(step_median picker_painted)
printf '  process start, to main()     %6.1f ms (the rest of the total)\n' "$(echo "$p - $f" | bc -l)"
printf '  Qt start, main() to Qt ready %6.1f ms\n' "$(echo "$q - $m" | bc -l)"
printf '  to the capture asked         %6.1f ms\n' "$(echo "$c - $q" | bc -l)"
printf '  capture                      %6.1f ms\n' "$(echo "$d - $c" | bc -l)"
printf '  picker built and painted     %6.1f ms\n' "$(echo "$f - $d" | bc -l)"

# --pick through a desktop portal, where the portal's PNG is the picture.
if command -v dbus-run-session >/dev/null && /usr/bin/python3 -c 'import dbus, gi' 2>/dev/null; then
  "$(dirname "$0")/portal_pick.sh" "$build" "$runs"
else
  echo "--pick through a desktop portal: dbus-run-session or python3-dbus is not installed"
fi
