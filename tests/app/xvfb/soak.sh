#!/bin/bash
# usage: soak.sh GAME_DIR CYCLES LOG   (run inside: unshare -m, with a private /tmp)
GAME_DIR=$1; CYCLES=$2; LOG=$3
QA=$(cd "$(dirname "$0")" && pwd)
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
mount -t tmpfs none /tmp || exit 9
Xvfb :42 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
sleep 1
export DISPLAY=:42
ulimit -c unlimited
cd "$GAME_DIR"
: > "$LOG"
for i in $(seq 1 "$CYCLES"); do
    start=$(date +%s.%N)
    ./korrik-shooter > /tmp/game.out 2>&1 &
    GAME=$!
    shown=0
    for t in $(seq 1 100); do
        if xdotool search --name "Korrik Shooter" >/dev/null 2>&1; then shown=1; break; fi
        sleep 0.05
    done
    # close at a random moment: during load or while running
    sleep "0.$((RANDOM % 10))"
    "$QA/sendclose" "Korrik Shooter"; sent=$?
    for t in $(seq 1 200); do kill -0 $GAME 2>/dev/null || break; sleep 0.05; done
    if kill -0 $GAME 2>/dev/null; then echo "$i HUNG" >> "$LOG"; gdb -p $GAME -batch -ex "thread apply all bt 25" 2>/dev/null | grep "^#\|^Thread" >> "$LOG"; kill -9 $GAME; fi
    wait $GAME; rc=$?
    end=$(date +%s.%N)
    echo "$i rc=$rc shown=$shown sent=$sent t=$(echo "$end - $start" | bc) $(grep -v CRITICAL /tmp/game.out | head -3 | tr '\n' ' ')" >> "$LOG"
done
kill $XVFB
