#!/usr/bin/env bash
# Screens of other depths: 16 (5-6-5), 24 and 30 (10 bits a channel). Every
# pick is within 1 of the server's own value in each channel, read from an
# xwd dump by the root visual's masks, and --format srgb within 0.0005 of it.
source "$(dirname "$0")/lib.sh"
here=$(cd "$(dirname "$0")" && pwd)
program=$1
if [ -z "${VELMOR_E2E_DEPTH:-}" ]; then
  status=0
  for depth in 16 24 30; do
    # -noreset: with no client left between runs the server would clear the root.
    VELMOR_E2E_DEPTH=$depth VELMOR_E2E_INNER=1 "$here/with_xvfb.sh" "-noreset -screen 0 640x480x$depth" \
      "$0" "$@" || status=1
  done
  exit $status
fi
e2e_make_folder "$program"
/usr/bin/python3 "$here/make_board.py" 640 480 "$E2E_DIR/board.ppm"
display -window root "$E2E_DIR/board.ppm" || true  # says 1 even when it painted
xwd -root -silent >"$E2E_DIR/root.xwd"

pick() {  # FORMAT X Y [OPTION]: what --pick prints for a click on the pixel
  # shellcheck disable=SC2086
  e2e_pick "e2e_click_surface $2 $3" --format "$1" ${4:-}
  cat "$E2E_DIR/out"
}

depth=$VELMOR_E2E_DEPTH
# Away from the top right, where the picker's panel opens.
for point in "255 140" "10 470" "500 300" "321 123"; do
  read -r x y <<<"$point"
  e2e_expect "depth $depth, pixel $x,$y" \
    "$(/usr/bin/python3 "$here/xwd_pixel.py" "$E2E_DIR/root.xwd" "$x" "$y" "$(pick hex "$x" "$y")" \
      "$(pick srgb "$x" "$y")")" "ok"
done

# --verbose says when the screen holds more than 8 bits, and only then.
pick hex 100 100 --verbose >/dev/null
said=$(grep -c "bits a channel" "$E2E_DIR/err" || true)
e2e_expect "depth $depth: --verbose names the bits" "$said" "$([ "$depth" = 30 ] && echo 1 || echo 0)"
e2e_expect "depth $depth: --verbose names the route" "$(grep -c '(x11)' "$E2E_DIR/err" || true)" "1"

[ "$depth" = 24 ] || exit 0
# A monitor profile (Display P3) on the root window: --managed prints each pick
# through it to sRGB; without a profile, the screen's value and a warning. The
# values are Little CMS's own float transform's; the application test compares
# the program's conversion with Little CMS's over many colours.
icc_tool=$2
managed=$(pick hex 255 140 --managed)
e2e_expect "--managed without a profile prints the screen's value" "$managed" "#ff8c00"
e2e_expect "... and says so once" "$(grep -c 'no color profile' "$E2E_DIR/err")" 1
"$icc_tool" p3 "$E2E_DIR/p3.icc"
"$icc_tool" publish "$E2E_DIR/p3.icc"
for point in "255 140 #ff8400" "128 64 #8a3b00" "10 470 #00da00"; do
  read -r x y want <<<"$point"
  e2e_expect "--managed at $x,$y" "$(pick hex "$x" "$y" --managed)" "$want"
done
# A published profile that cannot serve is named for what is wrong with it.
head -c 500 /dev/urandom >"$E2E_DIR/garbage.icc"
head -c 200 "$E2E_DIR/p3.icc" >"$E2E_DIR/short.icc"
for space in GRAY CMYK "Lab "; do
  cp "$E2E_DIR/p3.icc" "$E2E_DIR/$space.icc"
  printf '%s' "$space" | dd of="$E2E_DIR/$space.icc" bs=1 seek=16 conv=notrunc 2>/dev/null
done
for profile in "garbage:cannot be read" "short:cannot be read" "GRAY:for GRAY colors" \
  "CMYK:for CMYK colors" "Lab :for Lab colors"; do
  "$icc_tool" publish "$E2E_DIR/${profile%%:*}.icc"
  got=$(pick hex 255 140 --managed)
  e2e_expect "--managed with a ${profile%%:*} profile: the screen's value, and why" \
    "$got $(grep -c "${profile#*:}" "$E2E_DIR/err")" "#ff8c00 1"
done
