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
openbox >/dev/null 2>&1 &
wm_pid=$!
# Bounded wait until the window manager owns the screen.
for _ in $(seq 1 50); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then break; fi
  sleep 0.1
done

cleanup() {
  kill $wm_pid 2>/dev/null || true
  kill $xvfb_pid 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
echo "xsession: DISPLAY=$DISPLAY"
"$@"
