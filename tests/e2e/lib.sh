# Helpers for the end-to-end tests: the built program in a folder of its own,
# under Xvfb with a window manager, driven with xdotool.
set -euo pipefail

# Re-runs the calling script inside a fresh X server unless it already has one.
e2e_need_display() {
  if [ -z "${VELMOR_E2E_INNER:-}" ]; then
    export VELMOR_E2E_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
  fi
  openbox >/dev/null 2>&1 &
  E2E_WM=$!
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
    sleep 0.1
  done
  # The manager announces itself before it has finished starting.
  sleep 1
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
  (cd "$E2E_DIR" && exec ./velmor-color-picker) >"$E2E_DIR/app.log" 2>&1 &
  E2E_APP=$!
  e2e_find_window
}

# Waits up to 20 s for the main window to be shown.
e2e_find_window() {
  E2E_WIN=
  for _ in $(seq 400); do
    E2E_WIN=$(xdotool search --onlyvisible --name '^Velmor Color Picker$' 2>/dev/null | head -n 1 || true)
    [ -n "$E2E_WIN" ] && break
    sleep 0.05
  done
  [ -n "$E2E_WIN" ] || { for w in $(xdotool search --name Velmor); do xwininfo -id $w | grep -E "Map State|xwininfo:" >&2; done; pgrep -a openbox >&2 || echo no-openbox >&2; e2e_fail "the main window did not appear"; }
  xdotool windowactivate --sync "$E2E_WIN" 2>/dev/null || true
  sleep 0.3
}

e2e_quit() {
  e2e_key alt+x
  for _ in $(seq 100); do
    kill -0 "$E2E_APP" 2>/dev/null || { E2E_APP=; return 0; }
    sleep 0.05
  done
  e2e_fail "the program did not end on Exit"
}

# Clicks at a point of the main window's client area.
e2e_click() {
  xdotool mousemove --window "$E2E_WIN" "$1" "$2" click --repeat "${3:-1}" --delay 80 1
  sleep 0.2
}

# Keys go to the active window, as a user's would.
e2e_key() {
  xdotool windowactivate --sync "$E2E_WIN" 2>/dev/null || true
  xdotool key --clearmodifiers "$@"
  sleep 0.3
}

e2e_clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }

# The colour of one pixel of the main window's client area, as #RRGGBB.
e2e_pixel() {
  import -window "$E2E_WIN" "$E2E_DIR/shot.png"
  convert "$E2E_DIR/shot.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6 | sed 's/^/#/'
}

e2e_expect() {
  if [ "$2" != "$3" ]; then e2e_fail "$1: expected [$3], got [$2]"; fi
  echo "ok: $1"
}

e2e_fail() {
  echo "FAIL: $*" >&2
  [ -f "${E2E_DIR:-/nonexistent}/app.log" ] && cat "$E2E_DIR/app.log" >&2
  exit 1
}
