#!/usr/bin/env bash
# Runs a command with DISPLAY set to an Xvfb of its own, started here and stopped by its process
# id afterwards. The server picks a free display number itself (-displayfd), so runs started at
# the same moment never collide.   MORVEL_SCREEN=WxHxD (default 1024x768x24)
set -uo pipefail

screen="${MORVEL_SCREEN:-1024x768x24}"
fifo="$(mktemp -u "${TMPDIR:-/tmp}/morvel-xvfb.XXXXXX")"
mkfifo "$fifo" || { echo "with-xvfb: cannot make a fifo" >&2; exit 125; }
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -f "$fifo"' EXIT
display=""
read -r -t 20 display <"$fifo"
[ -n "$display" ] || { echo "with-xvfb: Xvfb did not start" >&2; exit 125; }
DISPLAY=":$display" "$@"
