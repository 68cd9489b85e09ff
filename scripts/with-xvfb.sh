#!/usr/bin/env bash
# Runs a command with DISPLAY set to an Xvfb of its own, started here and stopped by its process
# id afterwards.   MORVEL_SCREEN=WxHxD (default 1024x768x24)
set -uo pipefail

screen="${MORVEL_SCREEN:-1024x768x24}"
display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "with-xvfb: no free display" >&2; exit 125; }

Xvfb ":$display" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null' EXIT
for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "with-xvfb: Xvfb did not start" >&2; exit 125; }
  sleep 0.05
done
DISPLAY=":$display" "$@"
