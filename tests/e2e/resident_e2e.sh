#!/usr/bin/env bash
# The resident program on a private session bus: its shortcut picks from
# anywhere and copies; a later --pick is run by it with the same answers, a
# later start shows its window, and what it copied outlives it (no clipboard
# manager runs here), as does what --pick --copy copied.
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
e2e_private_bus "$@"
e2e_make_folder "$1"
e2e_paint_board
resident_alive() { kill -0 "$E2E_APP" 2>/dev/null; }
holders() { pgrep -fc -- '--hold-clipboard' || true; }

(cd "$E2E_DIR" && exec ./velmor-color-picker --background) >"$E2E_DIR/app.log" 2>&1 &
E2E_APP=$!
E2E_WIN=0x1  # no main window until one is asked for
e2e_until 5 'dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
  org.freedesktop.DBus.NameHasOwner string:com.example.VelmorColorPicker | grep -q true' || true
e2e_expect "the resident shows no window" "$(e2e_our_windows | wc -l)" 0

# The shortcut, pressed over the desktop: the picker, and the pick copied as Ctrl+C copies.
xdotool key super+shift+c

e2e_wait_picker
xdotool mousemove 301 203 click 1
sleep 0.3
xdotool key Escape
e2e_expect "a shortcut pick is copied in the Ctrl+C notation" "$(e2e_clipboard)" "\"#$(e2e_board_hex 301 203)\""
e2e_expect "... and kept among the favourites" "$(e2e_favorites)" "$(e2e_board_hex 301 203)"

# Command-line picks go to the resident, with the same printed text and exit status.
e2e_pick "e2e_click_surface 255 140" --format hex
e2e_expect "a forwarded pick prints its colour" "$(cat "$E2E_DIR/out") $status" "#ff8c00 0"
e2e_pick e2e_escape_surface --format hex
e2e_expect "... a forwarded Esc exits 1" "$(cat "$E2E_DIR/out") $status" " 1"
e2e_pick true --format nosuch
e2e_expect "... a forwarded error exits 2 and says why" "$status $(grep -c nosuch "$E2E_DIR/err")" "2 1"
resident_alive || e2e_fail "the resident ended"

# A second start: no second copy, the first one's window.
(cd "$E2E_DIR" && exec ./velmor-color-picker) >/dev/null 2>&1 && started=0 || started=$?
e2e_find_window
e2e_expect "a second start ends at once" "$started" 0
e2e_expect "... and the resident shows its one window" \
  "$(e2e_our_windows | wc -l)" 1
(cd "$E2E_DIR" && exec ./velmor-color-picker --background) 2>"$E2E_DIR/err" && started=0 || started=$?
e2e_expect "a second --background says it runs already" "$started $(grep -c 'already running' "$E2E_DIR/err")" "0 1"

# Ended as a session ends it, the copied colour stays until something else is copied.
kill -TERM "$E2E_APP"
e2e_until 5 '! resident_alive' || e2e_fail "the resident did not end on SIGTERM"
E2E_APP=
e2e_expect "the copied colour outlives the resident" "$(e2e_clipboard)" "\"#$(e2e_board_hex 301 203)\""
printf 'other' | xclip -selection clipboard
sleep 0.3
e2e_expect "the holder goes when something else is copied" "$(holders)" 0

# With no resident, --pick --copy copies and the text outlives the program.
e2e_pick "e2e_click_surface 300 200" --format rgb --copy
e2e_expect "--pick --copy prints the colour" "$(cat "$E2E_DIR/out") $status" "rgb(44 200 16) 0"
e2e_expect "... and it is on the clipboard after the program ended" "$(e2e_clipboard)" "rgb(44 200 16)"
printf 'other' | xclip -selection clipboard

# With a clipboard manager (Xfce's settings daemon), the toolkit hands the
# copy over as it closes: no holder of our own, and the manager keeps it.
$(ls /usr/lib/*/xfce4/xfconf/xfconfd | head -n 1) >/dev/null 2>&1 &
xfconf=$!
xfsettingsd --no-daemon --disable-server >/dev/null 2>&1 &
manager=$!
trap 'kill $xfconf $manager 2>/dev/null; e2e_cleanup' EXIT
sleep 2
e2e_pick "e2e_click_surface 300 200" --format hex --copy
e2e_expect "with a manager, --pick --copy prints the colour" "$(cat "$E2E_DIR/out") $status" "#2cc810 0"
e2e_expect "... the manager keeps it, and no holder runs" "$(e2e_clipboard) $(holders)" "#2cc810 0"
