#!/bin/bash
# make-screenshot.sh [BUILD_DIR]: plays a few shots of a Classic game under a private 800x600 Xvfb and
# writes dist/screenshot.png, then copies the 256-pixel icon to dist/icon.png (both shown in the README).
# Plays the installed game with a scratch home, so the build tree's players and scores stay as they are.
# Needs Xvfb, openbox, xdotool, xwd and ImageMagick's convert; display :120 unless KORRIK_TEST_DISPLAY is set.
set -euo pipefail
BUILD=$(cd "${1:-build}" && pwd)
DIST=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d /tmp/korrik-shot.XXXXXX)
PIDS=()
trap 'for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null; rm -rf "$WORK"' EXIT

cmake --install "$BUILD" --prefix "$WORK/prefix" >/dev/null
export DISPLAY=:${KORRIK_TEST_DISPLAY:-120}
Xvfb "$DISPLAY" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
sleep 1
mkdir -p "$WORK/home" "$WORK/wm" "$WORK/run" && chmod 700 "$WORK/run"
HOME=$WORK/wm openbox >/dev/null 2>&1 & # full screen needs a window manager to cover the screen
PIDS+=($!)
sleep 1
HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run SDL_AUDIODRIVER=dummy \
    "$WORK/prefix/games/korrik-shooter" --fullscreen &
PIDS+=($!)
timeout 10 xdotool search --sync --onlyvisible --name '^Korrik Shooter$' >/dev/null
sleep 2 # the name entry, past SDL's delay before it takes the keyboard
xdotool type --delay 60 Ann
xdotool key Return
sleep 1
xdotool mousemove 160 204 click 1 # CLASSIC
sleep 4                           # the colours appear one by one
for aim in "330 200" "470 210" "400 180" "290 230" "520 190" "360 220"; do
    xdotool mousemove $aim click 1
    sleep 1.5
done
xdotool mousemove 455 260
sleep 0.5
xwd -silent -root | convert xwd:- "$DIST/screenshot.png"
cp "$BUILD/icons/256x256/apps/korrik-shooter.png" "$DIST/icon.png"
echo "wrote $DIST/screenshot.png and $DIST/icon.png"
