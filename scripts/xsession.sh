#!/usr/bin/env bash
# xsession.sh COMMAND...: runs COMMAND inside a fresh Xvfb display with an
# openbox window manager, then stops both. The display number is chosen by
# Xvfb itself, so several sessions can run side by side.
set -euo pipefail

if [ -n "${TARVELAX_KEEP_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi

fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 num <"$fifo" || { echo "xsession: Xvfb did not start" >&2; kill $xvfb_pid 2>/dev/null; exit 1; }
rm -f "$fifo"
export DISPLAY=":$num"

# Bounded waits: until the server answers, then until the window manager
# owns the screen. A window manager that could not reach the server yet is
# started again, so no session goes on without one (Alt+F4, frames and
# activation all come from it).
for _ in $(seq 1 100); do
  xprop -root >/dev/null 2>&1 && break
  sleep 0.05
done
wm_pid=""
wm_up=""
for attempt in 1 2 3; do
  openbox >/dev/null 2>&1 &
  wm_pid=$!
  for _ in $(seq 1 100); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then wm_up=1; break; fi
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.05
  done
  [ -n "$wm_up" ] && break
  kill "$wm_pid" 2>/dev/null || true
  wait "$wm_pid" 2>/dev/null || true
  echo "xsession: the window manager did not come up (attempt $attempt)" >&2
done
if [ -z "$wm_up" ]; then
  echo "xsession: no window manager on $DISPLAY" >&2
  kill $xvfb_pid 2>/dev/null
  exit 1
fi

cleanup() {
  kill $wm_pid 2>/dev/null || true
  kill $xvfb_pid 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
echo "xsession: DISPLAY=$DISPLAY"
"$@"
