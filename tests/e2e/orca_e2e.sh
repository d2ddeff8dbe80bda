#!/usr/bin/env bash
# A blind user's tasks with Orca, judged by what Orca says (its debug log
# keeps every phrase it speaks): a named colour, the fourteen values and
# their copies, a pick by keys, a paste and the contrast of two colours.
if [ -z "${VELMOR_E2E_BUS:-}" ]; then
  command -v orca >/dev/null || { echo "orca is not installed" >&2; exit 77; }
  # The verdict comes from the checks themselves, not from how the bus ends.
  VELMOR_E2E_BUS=$(mktemp)
  export VELMOR_E2E_BUS
  dbus-run-session -- "$0" "$@" || true
  verdict=$(cat "$VELMOR_E2E_BUS")
  rm -f "$VELMOR_E2E_BUS"
  [ "$verdict" = passed ] || { echo "FAIL: Orca did not say all it should" >&2; exit 1; }
  exit 0
fi
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
e2e_make_folder "$1"
e2e_paint_board
export HOME=$E2E_DIR/home
mkdir -p "$HOME"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
log=$E2E_DIR/orca.log
# Orca, its speech off, writing its log a line at a time (it buffers it).
/usr/bin/python3 - "$log" >/dev/null 2>&1 <<'PY' &
import builtins, runpy, sys
log, real_open = sys.argv[1], builtins.open
builtins.open = lambda path, mode="r", *a, **k: (
    real_open(path, mode, 1) if path == log else real_open(path, mode, *a, **k))
sys.argv = ["orca", "-d", "speech", "--debug-file", log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
PY
orca=$!
trap 'kill $orca $bus 2>/dev/null; e2e_cleanup' EXIT
e2e_until 10 'grep -q "ORCA: Starting registry" "$log" 2>/dev/null' || true

spoken() { grep -a "SPEECH OUTPUT" "$log" | sed -n "s/^.* - SPEECH OUTPUT: '\(.*\)' \?{'established.*$/\1/p"; }
# heard NAME REGEX: waits for a phrase said since the last key that matches.
heard() {
  local got pattern=$2
  e2e_until 5 'got=$(spoken | tail -n +$((said + 1)) | grep -E -m1 -- "$pattern")' || e2e_fail "$1: Orca did not say /$2/ but: $(spoken | tail -n +$((said + 1)) | tr '\n' '|')"
  echo "ok: $1 ($got)"
  phrase=$got
}
# Keys one at a time, as a person presses them: Orca says nothing of a
# focus that keys pressed in a burst have already left.
press() {
  said=$(spoken | wc -l)
  for k in "$@"; do
    xdotool key --clearmodifiers "$k"
    sleep 0.4
  done
}

said=0
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
e2e_start
heard "the window by its title" "^Velmor Color Picker frame"

# No cell is selected at the start: the first arrow selects one.
press Tab Tab Tab Tab Tab Tab Tab
heard "Tab reaches the basic grid" "^Basic colors"
press Right
heard "the first arrow selects the first cell" "^Black, #000000"
press Right
heard "the next arrow the next" "^White, #FFFFFF"

# Each value with its caption, then its copy button copies what was read.
press Tab Tab Tab Tab Tab
for caption in "Color Value" "Color Name" "R Value" "G Value" "B Value" "RGB Format" "Long Value" \
  "HEX Format" "HTML Name" "HTML Format" "VB Format" "C++ Format" "Delphi Format" "Java Format"; do
  press Tab
  heard "$caption: its caption" "^${caption//+/\\+}:? read only text"
  heard "$caption: its value" " selected\.$"
  value=${phrase% selected.}
  press Tab
  heard "$caption: its copy button" "^Copy ${caption//+/\\+} push button"
  press space
  heard "$caption: copied" "^notification Copied ${value//[.\\+*?()$^[]/.}"
  [ "$(e2e_clipboard)" = "$value" ] || e2e_fail "$caption: the clipboard holds $(e2e_clipboard), not $value"
done

# The picker: the colour where the keys stop, then the pick.
xdotool mousemove 300 200
press p
heard "the picker by its title" "^Pick a color frame"
press Right
heard "the colour under the moved point" "^notification .*#$(e2e_board_hex 301 200)\.$"
press Return
heard "the picked colour" "^notification Picked .*#$(e2e_board_hex 301 200)\.$"
press Escape
e2e_wait_main

printf 'rebeccapurple' | xclip -selection clipboard
press ctrl+v
heard "a pasted colour" "^notification Pasted .*#663399\.$"

# Contrast says the ratio as it opens and again for a new second colour.
press ctrl+k
heard "Contrast by its title" "^Contrast frame"
heard "the ratio against white" "^notification Contrast ratio 8\.40:1\. Passes AA, normal text"
press Tab
press ctrl+a
press b l a c k
heard "the ratio against black" "^notification Contrast ratio 2\.49:1\. fails AA, normal text"

# Schemes: each colour's buttons name it, and a copy is said.
press Escape
press ctrl+h
heard "Schemes by its title" "^Schemes frame"
press Tab
heard "a scheme colour's copy button" "^Copy #[0-9A-F]{6} push button"
colour=$(sed -n 's/^Copy \(#[0-9A-F]*\) .*/\1/p' <<<"$phrase")
press space
heard "the scheme colour copied" "^notification Copied \"$colour\""
echo passed >"$VELMOR_E2E_BUS"
