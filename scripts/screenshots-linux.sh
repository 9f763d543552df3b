#!/usr/bin/env bash
# Takes the README's screenshots of TarvelAXContainer on Linux: the window
# with TarvelAX.Sample (clicked three times, the tool button's hint shown)
# and with XTerm.Terminal. Runs inside a display of its own; writes docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] || [ -z "${TARVELAX_IN_XSESSION:-}" ]; then
  export TARVELAX_IN_XSESSION=1
  exec scripts/xsession.sh "$0" "$@"
fi
root=$PWD
bin=$root/build/linux/bin
work=$(mktemp -d /tmp/tarvelax_shots_XXXXXX)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$bin/TarvelAXContainer" "$bin/tarvelax-sample" "$bin/classes" "$work/"
cd "$work"
printf '[WindowPosition]\r\nLeft=40\r\nTop=30\r\nWidth=900\r\nHeight=560\r\n' > TarvelAXContainer.ini
printf '[Objects]\r\nobj1=XTerm.Terminal\r\nobj2=TarvelAX.Sample\r\n' >> TarvelAXContainer.ini
./TarvelAXContainer TarvelAX.Sample 2>/dev/null &
pid=$!
for _ in $(seq 1 100); do
  wid=$(xdotool search --onlyvisible --name '^TarvelAXContainer$' 2>/dev/null | head -1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
sleep 2
shot() { import -window root -crop 920x590+30+10 +repage "$root/docs/$1"; }
xdotool mousemove --window "$wid" 300 300 click 1 click 1 click 1
xdotool mousemove --window "$wid" 88 16
sleep 1.5
shot container-linux-sample.png
xdotool mousemove --window "$wid" 300 14 click 1 key ctrl+a BackSpace
xdotool type --delay 20 'XTerm.Terminal'
xdotool mousemove --window "$wid" 557 16 click 1
sleep 2
xdotool mousemove --window "$wid" 300 300 click 1
xdotool type --delay 30 'echo "XTerm.Terminal in OleContainerTarvelAX"; uname -s'
xdotool key Return
sleep 1
shot container-linux-xterm.png
xdotool windowactivate "$wid"; sleep 0.3; xdotool key alt+F4
for _ in $(seq 1 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
echo "screenshots: docs/container-linux-sample.png docs/container-linux-xterm.png"
