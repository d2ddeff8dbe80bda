#!/usr/bin/env bash
# Add two colours with double clicks, quit, start again: the list comes back.
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
e2e_make_folder "$1"
e2e_start

e2e_click $((8 + 16 + 4 * 20 + 10)) $((8 + 48 + 10)) 2  # Red
e2e_click $((8 + 16 + 1 * 20 + 10)) $((8 + 48 + 10)) 2  # White
e2e_quit
e2e_expect "settings.ini holds both" "$(cat "$E2E_DIR/settings.ini")" \
  "$(printf '[Favorites]\nFavorites=ff0000;ffffff')"

e2e_start
# The first favourite is current again, and both cells are drawn.
e2e_key ctrl+c
e2e_expect "the first favourite is current" "$(e2e_clipboard)" '"#FF0000"'
e2e_click $((8 + 3 * 88 + 44)) $((8 + 12))  # the "Favorite Colors" tab
e2e_expect "cell 0 is red" "$(e2e_pixel $((8 + 16 + 10)) $((8 + 32 + 9)))" "#FF0000"
e2e_expect "cell 1 is white" "$(e2e_pixel $((8 + 16 + 30)) $((8 + 32 + 9)))" "#FFFFFF"
e2e_expect "cell 0 is selected" "$(e2e_pixel $((8 + 16 + 1)) $((8 + 32 + 1)))" "#000000"
e2e_quit
