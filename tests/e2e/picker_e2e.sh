#!/usr/bin/env bash
# The picker on a desktop whose every pixel encodes its position, at scales 1,
# 1.5 and 2: clicks and arrow keys pick the exact device pixel, Esc brings the
# main window back where it was.
E2E_SCREEN=1920x1080
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
e2e_make_folder "$1"
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
  xdotool key Escape
  e2e_wait_main
  e2e_expect "scale $scale: every pick is the pixel under the pointer" "$(e2e_favorites)" \
    "$(IFS=';'; echo "${expected[*]}")"
  e2e_expect "scale $scale: the main window is back where it was" "$(e2e_position)" "$before"
  e2e_quit
done

# --pick --format reaches the notation's writer (each writer's text is the unit
# tests'), on DarkOrange (the board's pixel 255,140).
e2e_pick "e2e_click_surface 255 140" --format oklch
e2e_expect "--pick --format oklch" "$(cat "$E2E_DIR/out")" "oklch(0.7505 0.1791 58.28)"

# Shift goes on picking: a line each, whether clicked or by Shift+Enter, and
# Esc after them is success; Esc before any is 1.
e2e_pick "e2e_click_surface 255 140 shift; e2e_click_surface 10 20 shift
  xdotool mousemove 600 300; sleep 0.2; xdotool key shift+Return; sleep 0.2; xdotool key Escape" \
  --format hex
e2e_expect "--pick: Shift picks, then Esc" "$status $(tr '\n' ' ' <"$E2E_DIR/out")" \
  "0 #ff8c00 #0a1400 #$(e2e_board_hex 600 300 | tr 'A-F' 'a-f') "
e2e_pick "e2e_click_surface 255 140 shift; e2e_click_surface 10 20" --format hex
e2e_expect "--pick: a Shift pick, then a plain one ends" "$status $(tr '\n' ' ' <"$E2E_DIR/out")" \
  "0 #ff8c00 #0a1400 "
e2e_pick "e2e_wait_surface; xdotool key Escape"
e2e_expect "--pick: Esc before any pick" "$status $(cat "$E2E_DIR/out")" "1 "

# A colour no name has: the nearest by CIEDE2000 (culori's nearest() agrees).
e2e_pick "e2e_click_surface 300 200" --format nearest
e2e_expect "--pick --format nearest of #2CC810" "$(cat "$E2E_DIR/out")" "LimeGreen"

# The mean of 5x5 pixels across the board's wrap at x = 256, where red falls
# from 255 to 0 and blue jumps: in linear light, worked out here in doubles.
e2e_pick "e2e_click_surface 254 300" --average 5 --format srgb
mean=$(python3 - <<'PY'
def linear(c):
    c /= 255
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
def encoded(v):
    return 12.92 * v if v <= 0.0031308 else 1.055 * v ** (1 / 2.4) - 0.055
pixels = [(x & 255, y & 255, ((x >> 8) << 4 | (y >> 8)) & 255)
          for x in range(252, 257) for y in range(298, 303)]
channels = [encoded(sum(linear(p[i]) for p in pixels) / len(pixels)) for i in range(3)]
# As color(srgb) writes it: 16 bits a channel, then four decimals.
print("color(srgb %s)" % " ".join(
    ("%.4f" % (round(c * 65535) / 65535)).rstrip("0").rstrip(".") for c in channels))
PY
)
e2e_expect "--pick --average 5: the linear-light mean of 25 pixels" "$(cat "$E2E_DIR/out")" "$mean"
grep -q "^History=.*FF8C00" "$E2E_DIR/settings.ini" ||
  e2e_fail "a command-line pick keeps its history: $(cat "$E2E_DIR/settings.ini" 2>/dev/null)"
# A history that cannot be saved is said; the pick is still printed, status 0.
chmod 444 "$E2E_DIR/settings.ini"
e2e_pick "e2e_click_surface 255 140"
e2e_expect "a read-only settings.ini: the pick, its status, one line why" \
  "$(cat "$E2E_DIR/out") $status $(grep -c 'read-only' "$E2E_DIR/err")" "#FF8C00 0 1"
