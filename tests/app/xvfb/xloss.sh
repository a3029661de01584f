#!/bin/bash
# xloss.sh GAME_DIR : the X server dies under a running game; then SIGTERM test (private /tmp)
mount -t tmpfs none /tmp || exit 9
export SDL_AUDIODRIVER=disk SDL_DISKAUDIODELAY=0 SDL_DISKAUDIOFILE=/tmp/audio.raw
cd "$1"
Xvfb :44 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & XVFB=$!; sleep 1
DISPLAY=:44 ./korrik-shooter > /tmp/g.out 2>&1 & G=$!
sleep 3; kill $XVFB; t0=$(date +%s.%N)
for t in $(seq 1 100); do kill -0 $G 2>/dev/null || break; sleep 0.05; done
kill -0 $G 2>/dev/null && { echo "display loss: STILL RUNNING"; kill -9 $G; }
wait $G; echo "display loss: rc=$? after $(echo "$(date +%s.%N) - $t0" | bc) s"; grep -v CRITICAL /tmp/g.out
for sig in TERM INT; do
Xvfb :44 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & XVFB=$!; sleep 1
DISPLAY=:44 ./korrik-shooter > /tmp/g.out 2>&1 & G=$!
sleep 3; kill -$sig $G; t0=$(date +%s.%N)
for t in $(seq 1 100); do kill -0 $G 2>/dev/null || break; sleep 0.05; done
kill -0 $G 2>/dev/null && { echo "SIG$sig: STILL RUNNING"; kill -9 $G; }
wait $G; echo "SIG$sig: rc=$? after $(echo "$(date +%s.%N) - $t0" | bc) s"; grep -v CRITICAL /tmp/g.out
kill $XVFB; wait $XVFB
done
