#!/usr/bin/env bash
# The main job: builds the Windows tree, registers the sample control
# TarvelAXSample.dll in the tree's Wine prefix and starts TarvelAXContainer
# under Wine with the sample (ProgID "TarvelAX.Sample").
# With a display ($DISPLAY set) the window stays until you close it. Without
# one, the program runs for a few seconds in a private Xvfb display, leaves a
# screenshot in build/windows-x64/TarvelAXContainer-run.png and is closed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64
scripts/register-sample.sh build/windows-x64

tree=build/windows-x64
# Let the prefix's Wine server end before the container starts, so the
# program meets a desktop made for the display it runs on.
WINEPREFIX="$PWD/$tree/wineprefix" /usr/lib/wine/wineserver -w
if [ -n "${DISPLAY:-}" ] && [ -z "${TARVELAX_RUN_HEADLESS:-}" ]; then
  exec "$tree/wine-run.sh" "$tree/bin/TarvelAXContainer.exe" TarvelAX.Sample
fi

export TARVELAX_RUN_HEADLESS=1
exec scripts/xsession.sh bash -c '
  set -u
  tree=build/windows-x64
  "$tree/wine-run.sh" "$tree/bin/TarvelAXContainer.exe" TarvelAX.Sample &
  pid=$!
  window=""
  for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name "^TarvelAXContainer\$" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.2
  done
  if [ -z "$window" ]; then
    echo "run: the container window did not show" >&2
    kill "$pid" 2>/dev/null
    exit 1
  fi
  sleep 3
  import -window root "$tree/TarvelAXContainer-run.png"
  echo "run: TarvelAXContainer is up with TarvelAX.Sample; screenshot in $tree/TarvelAXContainer-run.png"
  # Closed as a person would, through the window manager (Alt+F4).
  xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4 2>/dev/null || true
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  if kill -0 "$pid" 2>/dev/null; then
    echo "run: the container did not close; ending it" >&2
    kill "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
  echo "run: settings written to $tree/bin/TarvelAXContainer.ini:"
  cat "$tree/bin/TarvelAXContainer.ini" 2>/dev/null || true
'
