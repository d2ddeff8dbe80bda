# Helpers for the end-to-end tests: the built program in a folder of its own,
# under Xvfb with a window manager, driven with xdotool.
set -euo pipefail

# Re-runs the calling script inside a fresh X server unless it already has one.
e2e_need_display() {
  if [ -z "${VELMOR_E2E_INNER:-}" ]; then
    export VELMOR_E2E_INNER=1
    exec "$(dirname "${BASH_SOURCE[0]}")/with_xvfb.sh" "-screen 0 ${E2E_SCREEN:-1280x1024}x24" "$0" "$@"
  fi
  openbox >/dev/null 2>&1 &
  E2E_WM=$!
  e2e_until 5 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window' || true
  # The manager announces itself before it has finished starting.
  sleep 1
}

# Polls the command CMD every 50 ms for up to SECONDS: false if it never held.
e2e_until() {
  local tries=$(($1 * 20))
  shift
  while ! eval "$*"; do ((--tries > 0)) || return 1; sleep 0.05; done
}

# Re-runs the calling script on a private session bus that starts no service
# of its own: only what the test runs answers there.
e2e_private_bus() {
  if [ -z "${VELMOR_E2E_BUS:-}" ]; then
    export VELMOR_E2E_BUS=1
    exec dbus-run-session --config-file="$(dirname "${BASH_SOURCE[0]}")/private_bus.conf" -- "$0" "$@"
  fi
}

# Copies the program into a new folder, so that its settings.ini lands there.
e2e_make_folder() {
  E2E_DIR=$(mktemp -d)
  cp "$1" "$E2E_DIR/velmor-color-picker"
  trap 'e2e_cleanup' EXIT
}

e2e_cleanup() {
  [ -n "${E2E_APP:-}" ] && kill "$E2E_APP" 2>/dev/null || true
  [ -n "${E2E_WM:-}" ] && kill "$E2E_WM" 2>/dev/null || true
  rm -rf "$E2E_DIR"
}

e2e_start() {
  (cd "$E2E_DIR" && exec ./velmor-color-picker "$@") >"$E2E_DIR/app.log" 2>&1 &
  E2E_APP=$!
  e2e_find_window
}

# Waits up to 20 s for the main window to be shown.
e2e_find_window() {
  e2e_until 20 'E2E_WIN=$(e2e_our_window); [ -n "$E2E_WIN" ]' ||
    e2e_fail "the main window did not appear"
  xdotool windowactivate --sync "$E2E_WIN" 2>/dev/null || true
  sleep 0.3
}

# The program's visible windows (the main one, and any message it shows), and the first.
e2e_our_windows() { xdotool search --onlyvisible --name '^Velmor Color Picker$' 2>/dev/null || true; }
e2e_our_window() { e2e_our_windows | head -n 1 || true; }

e2e_quit() {
  e2e_key alt+x
  e2e_until 5 '! kill -0 "$E2E_APP" 2>/dev/null' || e2e_fail "the program did not end on Exit"
  E2E_APP=
}

# Keys go to the active window, as a user's would.
e2e_key() {
  xdotool windowactivate --sync "$E2E_WIN" 2>/dev/null || true
  xdotool key --clearmodifiers "$@"
  sleep 0.3
}

e2e_clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }

e2e_expect() {
  if [ "$2" != "$3" ]; then e2e_fail "$1: expected [$3], got [$2]"; fi
  echo "ok: $1"
}

e2e_fail() {
  echo "FAIL: $*" >&2
  [ -f "${E2E_DIR:-/nonexistent}/app.log" ] && cat "$E2E_DIR/app.log" >&2
  exit 1
}

# Paints a board whose every pixel encodes its own position onto the root
# window, where no window of ours can stack over it.
e2e_paint_board() {
  local size
  size=$(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w" "h}')
  # shellcheck disable=SC2086
  python3 "$(dirname "${BASH_SOURCE[0]}")/make_board.py" $size "$E2E_DIR/board.ppm"
  # display says 1 even when the root shows the picture; check a pixel instead.
  display -window root "$E2E_DIR/board.ppm" || true
  local shown
  shown=$(import -window root -crop 1x1+300+200 -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n 1)
  [ "$shown" = "#$(e2e_board_hex 300 200)" ] || e2e_fail "the board was not painted ($shown)"
}

# The colour the board shows at a root pixel.
e2e_board_hex() {
  printf '%02X%02X%02X' $(($1 & 255)) $(($2 & 255)) $(((($1 >> 8) << 4 | ($2 >> 8)) & 255))
}

e2e_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }

# The main window's client area position, as "X,Y".
e2e_position() {
  xwininfo -id "$E2E_WIN" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x","y}'
}

# How many of the picker's surfaces are on the screen.
e2e_surfaces() { xdotool search --onlyvisible --classname velmor-color-picker 2>/dev/null | wc -l; }

# Waits until the main window has gone and the picker covers the screen; a
# nested server under load may take seconds to copy its screen.
e2e_wait_picker() {
  local want=${1:-1}
  e2e_until 15 '! e2e_viewable "$E2E_WIN" && [ "$(e2e_surfaces)" -ge "$want" ]' ||
    e2e_fail "the picker did not open"
  sleep 0.2
}

# A command-line pick: `e2e_pick ACTION ARGS...` starts --pick ARGS in the
# program's folder, runs ACTION (a command, e.g. "e2e_click_surface X Y"),
# and waits up to 10 s for the end; leaves $E2E_DIR/out and err, and $status.
e2e_pick() {
  (cd "$E2E_DIR" && exec ./velmor-color-picker --pick "${@:2}") >"$E2E_DIR/out" 2>"$E2E_DIR/err" &
  E2E_PICK=$!
  eval "$1"
  e2e_until 10 '! kill -0 "$E2E_PICK" 2>/dev/null' || true
  kill "$E2E_PICK" 2>/dev/null && echo "the pick did not end" >>"$E2E_DIR/err"
  wait "$E2E_PICK" && status=0 || status=$?
}

# Waits until the picker's surface shows (or the pick has ended).
e2e_wait_surface() {
  e2e_until 10 '[ "$(e2e_surfaces)" -ge 1 ] || ! kill -0 "$E2E_PICK" 2>/dev/null' || true
  sleep 0.3
}

# Once the picker's surface shows, closes it with Esc.
e2e_escape_surface() {
  e2e_wait_surface
  xdotool key Escape
}

# Once the picker's surface shows, clicks at X Y, with the key MODIFIER held
# where one is given.
e2e_click_surface() {
  e2e_wait_surface
  if [ -n "${3:-}" ]; then
    xdotool mousemove "$1" "$2" keydown "$3" click 1 keyup "$3"
  else
    xdotool mousemove "$1" "$2" click 1
  fi
}

# Waits until the main window is back on the screen.
e2e_wait_main() {
  e2e_until 4 'e2e_viewable "$E2E_WIN"' || e2e_fail "the main window did not come back"
}

# Esc closes the picker; then the favourites are the picks HEX..., and the
# main window is back at BEFORE: e2e_escape_and_check PREFIX BEFORE HEX...
e2e_escape_and_check() {
  xdotool key Escape
  e2e_wait_main
  e2e_expect "${1}every pick is the pixel under the pointer" "$(e2e_favorites)" "$(IFS=';'; echo "${*:3}")"
  e2e_expect "${1}the main window is back where it was" "$(e2e_position)" "$2"
}

e2e_favorites() { sed -n 's/^Favorites=//p' "$E2E_DIR/settings.ini" 2>/dev/null; }
