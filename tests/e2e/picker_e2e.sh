#!/usr/bin/env bash
# P, point at a known colour, click; point at another, Enter; Esc. Both colours
# end up at the end of the favourites, and the main window shows the last.
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
e2e_make_folder "$1"
board_program=$2
"$board_program" >/dev/null 2>&1 &
E2E_BOARD=$!
printf '[Favorites]\nFavorites=000000\n' > "$E2E_DIR/settings.ini"
e2e_start

e2e_key p
sleep 1.2   # the window leaves, the screen is captured, the picker opens
xdotool mousemove 50 60 click 1
sleep 0.3
xdotool mousemove 300 100
sleep 0.3
xdotool key Return
sleep 0.3
xdotool key Escape
sleep 0.8
kill "$E2E_BOARD" 2>/dev/null || true

e2e_expect "settings.ini holds both picks at the end" "$(cat "$E2E_DIR/settings.ini")" \
  "$(printf '[Favorites]\nFavorites=000000;12AB34;FEDCBA')"
e2e_find_window
e2e_key ctrl+c
e2e_expect "the main window shows the last pick" "$(e2e_clipboard)" '"#FEDCBA"'
e2e_quit
