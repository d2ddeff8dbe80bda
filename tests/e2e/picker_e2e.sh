#!/usr/bin/env bash
# The main window and the picker on X11. The window: a clipboard that never
# answers, and nothing saved when nothing changed (its copies to the clipboard
# are the screen reader's test). The picker, on a desktop whose every pixel
# encodes its position, at scales 1, 1.5 and 2: clicks and arrow keys pick the
# exact device pixel, Esc brings the main window back where it was, and keeps
# doing so through many openings.
E2E_SCREEN=1920x1080
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
e2e_make_folder "$1"
e2e_start

# A clipboard whose owner never answers (a stopped one): Ctrl+V says so within seconds.
printf 'x' | xclip -quiet -selection clipboard >/dev/null 2>&1 &
stuck=$!
trap 'kill -9 $stuck 2>/dev/null || true; e2e_cleanup' EXIT
e2e_until 5 '[ "$(e2e_clipboard)" = x ]' || true
kill -STOP $stuck
started=$(date +%s%N)
e2e_key ctrl+v
e2e_until 5 'box=$(e2e_our_windows | grep -v "^$E2E_WIN$"); [ -n "$box" ]' || true
kill -9 $stuck
e2e_expect "a clipboard that never answers is said within 2 s" \
  "$([ -n "$box" ] && echo $((($(date +%s%N) - started) / 1000000000 < 2)))" "1"
xdotool windowactivate --sync "$box" key Escape
e2e_quit
[ ! -e "$E2E_DIR/settings.ini" ] || e2e_fail "nothing should have been saved"
echo "ok: nothing saved at exit"

e2e_paint_board

# Far apart one after the other (no double clicks), none under the panel.
points=("0 0" "301 203" "1 1" "1279 1023" "1918 700" "1919 1079" "999 777" "1537 1" "63 1078")
for scale in ${SCALES:-1 1.5 2}; do
  rm -f "$E2E_DIR/settings.ini"
  QT_SCALE_FACTOR=$scale e2e_start
  before=$(e2e_position)
  e2e_key p
  e2e_wait_picker
  expected=()
  for p in "${points[@]}"; do
    read -r x y <<<"$p"
    xdotool mousemove "$x" "$y" click 1
    expected+=("$(e2e_board_hex "$x" "$y")")
    sleep 0.1
  done
  # Keys step device pixels: 1 alone, 5 with Ctrl, 2 with Alt, 10 with Shift.
  xdotool mousemove 777 555
  sleep 0.2
  for step in "Right 778 555" "ctrl+Right 783 555" "alt+Down 783 557" "shift+Left 773 557"; do
    read -r key x y <<<"$step"
    xdotool key "$key" Return
    expected+=("$(e2e_board_hex "$x" "$y")")
    sleep 0.15
  done
  e2e_escape_and_check "scale $scale: " "$before" "${expected[@]}"
  # P then Esc, again and again: back where it was, with the keyboard, every time.
  for i in $(seq 16); do
    xdotool key p
    e2e_wait_picker
    xdotool key Escape
    e2e_wait_main
    [ "$(e2e_position)" = "$before" ] || e2e_fail "scale $scale, cycle $i: back at $(e2e_position)"
    e2e_until 2 '[ "$(xdotool getactivewindow)" = "$E2E_WIN" ]' || e2e_fail "scale $scale, cycle $i: not active"
  done
  e2e_quit
done

# A command-line pick of DarkOrange (the board's pixel 255,140).
e2e_pick "e2e_click_surface 255 140"
grep -q "^History=.*FF8C00" "$E2E_DIR/settings.ini" ||
  e2e_fail "a command-line pick keeps its history: $(cat "$E2E_DIR/settings.ini" 2>/dev/null)"
# A history that cannot be saved is said; the pick is still printed, status 0.
chmod 444 "$E2E_DIR/settings.ini"
e2e_pick "e2e_click_surface 255 140"
e2e_expect "a read-only settings.ini: the pick, its status, one line why" \
  "$(cat "$E2E_DIR/out") $status $(grep -c 'read-only' "$E2E_DIR/err")" "#FF8C00 0 1"
