#!/usr/bin/env bash
# Screen readers: the program on Xvfb with the AT-SPI bus on a private session
# bus. A reader sees the grids as lists of named colors, named value boxes,
# copy buttons and swatch, and hears the new color after an arrow key.
if [ -z "${VELMOR_E2E_BUS:-}" ]; then
  # The verdict comes from the checks themselves, not from how the private
  # bus ends.
  VELMOR_E2E_BUS=$(mktemp)
  export VELMOR_E2E_BUS
  dbus-run-session -- "$0" "$@" || true
  verdict=$(cat "$VELMOR_E2E_BUS")
  rm -f "$VELMOR_E2E_BUS"
  [ "$verdict" = passed ] || { echo "FAIL: the reader's checks did not all pass" >&2; exit 1; }
  exit 0
fi
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
e2e_make_folder "$1"

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
trap 'kill $bus 2>/dev/null; e2e_cleanup' EXIT
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1 && break
  sleep 0.05
done
# Qt speaks AT-SPI only while something asks; a reader would.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
e2e_start

# The basic grid's first cell (Black) has the keyboard after a click; White is next.
e2e_click $((8 + 16 + 10)) $((8 + 48 + 10))
before=$(/usr/bin/python3 "$(dirname "$0")/atspi_probe.py" tree) || e2e_fail "the reader saw: $before"
echo "$before"
e2e_key Right
after=$(/usr/bin/python3 "$(dirname "$0")/atspi_probe.py" focus)
e2e_expect "an arrow key moves what the reader announces" "$after" "Basic colors: White, #FFFFFF"
e2e_quit
echo passed >"$VELMOR_E2E_BUS"
