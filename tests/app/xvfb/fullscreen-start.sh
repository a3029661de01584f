#!/bin/bash
# fullscreen-start.sh GAME_DIR: starts the game full screen under openbox and fails if any window of
# another size than the 1024x768 desktop is mapped on the way (a captioned window flashing up first).
# Run inside `unshare -m` (a private /tmp); needs ./watchmaps (cc -o watchmaps WatchMaps.c -lX11).
mount -t tmpfs none /tmp || exit 9
QA=$(cd "$(dirname "$0")" && pwd)
export DISPLAY=:${DISPLAY_NUMBER:-46} SDL_AUDIODRIVER=dummy
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & XVFB=$!; sleep 1
openbox >/dev/null 2>&1 & WM=$!; sleep 1
"$QA/watchmaps" > /tmp/maps.log & WATCH=$!
mkdir -p /tmp/run/Data && cp "$1/korrik-shooter" /tmp/run/ && ln -s "$1"/Data/*.Zor /tmp/run/Data/
printf 'DifficultLevel=0\r\nMusicVolume=0\r\nSoundVolume=0\r\nWindowed=0\r\n' > /tmp/run/Data/ZoConfig.Cfg
(cd /tmp/run && exec ./korrik-shooter > /tmp/g.out 2>&1) & G=$!
sleep 3; kill $G; wait $G; kill $WATCH $WM $XVFB
cat /tmp/maps.log
if grep "^map" /tmp/maps.log | grep -qv "^map 1024 768 (0,0)"; then echo "FLASH: a window of another size was mapped"; exit 1; fi
grep -q "^map 1024 768 (0,0)" /tmp/maps.log && echo "full screen from the first map" && exit 0
echo "no full-screen window was mapped"; exit 1
