#!/usr/bin/env bash
# The main window on X11 (its copies to the clipboard are the screen reader's
# test): a clipboard that never answers, and nothing saved when nothing changed.
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
e2e_until 5 'box=$(xdotool search --onlyvisible --name "^Velmor Color Picker$" | grep -v "^$E2E_WIN$"); [ -n "$box" ]' || true
kill -9 $stuck
e2e_expect "a clipboard that never answers is said within 2 s" \
  "$([ -n "$box" ] && echo $((($(date +%s%N) - started) / 1000000000 < 2)))" "1"
xdotool windowactivate --sync "$box" key Escape
e2e_quit
[ ! -e "$E2E_DIR/settings.ini" ] || e2e_fail "nothing should have been saved"
echo "ok: nothing saved at exit"
