#!/usr/bin/env bash
# P then Esc, fifty times: the main window comes back, mapped and where it
# was, every time.
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
e2e_make_folder "$1"
e2e_start
before=$(e2e_position)
for i in $(seq 50); do
  xdotool key p
  e2e_wait_picker
  xdotool key Escape
  e2e_wait_main
  [ "$(e2e_position)" = "$before" ] || e2e_fail "cycle $i: the main window came back at $(e2e_position), not $before"
  # The restored window has the keyboard again.
  for _ in $(seq 100); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$E2E_WIN" ] && break
    sleep 0.02
  done
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$E2E_WIN" ] || e2e_fail "cycle $i: the main window is not active"
done
echo "ok: 50 pick cycles, the main window back every time at $before"
e2e_quit
