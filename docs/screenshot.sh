#!/usr/bin/env bash
# Remakes docs/screenshot.png, the picture at the top of the README: the game built in build/
# (./dev play or ./dev test builds it) on a virtual display, a round started, its window taken.
# Needs Debian's xvfb, xdotool and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (xvfb, xdotool, imagemagick)" >&2; exit 1; }
done
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $server ${game:-} 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

build/pomvexa &
game=$!
window=$(xdotool search --sync --onlyvisible --name 'Pomvexa-  tarnik' | head -1)
sleep 0.5
# Without a window manager nothing gives the window the keyboard: give it, then press Ctrl+N.
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key ctrl+n 2>/dev/null
sleep 1.2 # a couple of jumps at the start-up pace
import -window "$window" docs/screenshot.png
echo "wrote docs/screenshot.png"
