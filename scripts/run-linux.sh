#!/usr/bin/env bash
# Builds the linux preset and starts TarvelAXContainer with TarvelAX.Sample
# (inside a display of its own when there is none: then for a bounded
# while, with a screenshot, and the window closed again).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target TarvelAXContainer tarvelax-sample
if [ -n "${DISPLAY:-}" ]; then
  exec build/linux/bin/TarvelAXContainer TarvelAX.Sample
fi
exec scripts/xsession.sh bash -c '
  build/linux/bin/TarvelAXContainer TarvelAX.Sample & pid=$!
  for _ in $(seq 1 100); do
    wid=$(xdotool search --onlyvisible --name "^TarvelAXContainer\$" 2>/dev/null | head -1 || true)
    [ -n "$wid" ] && break; sleep 0.1
  done
  sleep 3
  import -window root build/linux/run-linux.png && echo "run-linux: screenshot build/linux/run-linux.png"
  xdotool windowactivate "$wid" 2>/dev/null; sleep 0.3; xdotool key alt+F4
  for _ in $(seq 1 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true'
