#!/usr/bin/env bash
# with_xvfb.sh "SERVER ARGS" COMMAND...: runs COMMAND on a new Xvfb and stops
# the server after it. The server picks a free display number itself
# (-displayfd), so tests started side by side never race for one, as they
# can with xvfb-run -a.
set -euo pipefail
server_args=$1
shift
fifo=$(mktemp -u)
mkfifo "$fifo"
# shellcheck disable=SC2086
Xvfb -displayfd 3 -nolisten tcp $server_args 3>"$fifo" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$fifo"' EXIT
read -r -t 20 number <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$number" "$@"
