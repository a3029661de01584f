#!/bin/bash
# xvfb-shots.sh BUILD_DIR NAME: plays a first start full screen (1024x768, openbox) under a private Xvfb
# and writes BUILD_DIR/shots/NAME-{players,pressed,edge4x,confirm}.png. Needs root: run it through
# `unshare -m`, so the single-instance lock and the X socket stay apart from other runs.
set -e
mount -t tmpfs none /tmp
BUILD=$(cd "$1" && pwd); NAME=$2; OUT=$BUILD/shots; mkdir -p "$OUT"
GAME=/tmp/game; mkdir -p $GAME/Data
cp "$BUILD/korrik-shooter" $GAME/ && cp "$BUILD"/Data/*.Zor $GAME/Data/
Xvfb :90 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & XVFB=$!; sleep 1
export DISPLAY=:90 SDL_AUDIODRIVER=dummy
openbox >/dev/null 2>&1 & sleep 1
$GAME/korrik-shooter & G=$!
xdotool search --sync --onlyvisible --name "Korrik Shooter" >/dev/null; sleep 2
shot() { xwd -root | convert xwd:- "$OUT/$NAME-$1.png"; }
at() { xdotool mousemove "$1" "$2"; sleep 0.3; }
click() { at "$1" "$2"; xdotool click 1; sleep 1.5; }
xdotool type --delay 80 Ann; xdotool key Return; sleep 1
at 20 20
xwd -root | convert xwd:- -crop 120x40+85+265 +repage -filter point -resize 400% "$OUT/$NAME-edge4x.png"
click 778 161                      # the greeting: the players list
click 312 598; xdotool type --delay 80 Bob; xdotool key Return; sleep 1
at 512 237; shot players           # Bob active, the mouse over Ann
click 712 598                      # OK
at 184 492; xdotool mousedown 1; sleep 0.5; shot pressed; xdotool mouseup 1; sleep 1
click 785 713                      # the help's Menu button
click 205 261; sleep 2             # Classic, then back to the menu with a saved game
click 100 722; sleep 1
click 205 261; at 20 20; shot confirm
kill $G; wait $G || true; kill $XVFB
