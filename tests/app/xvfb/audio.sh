#!/bin/bash
# audio.sh GAME_DIR [SECONDS]: the game under a private Xvfb with SDL's disk audio driver; prints when the
# menu music becomes audible and the peak of every half second written (48 kHz, 16-bit stereo).
mount -t tmpfs none /tmp || exit 9
GAME_DIR=$1
SECONDS_TO_RUN=${2:-3}
Xvfb :46 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & XVFB=$!; sleep 1
export DISPLAY=:46 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/tmp/audio.raw
cd "$GAME_DIR"
./korrik-shooter > /tmp/g.out 2>&1 & G=$!
sleep "$SECONDS_TO_RUN"
kill $G; wait $G; echo "exit $?"
kill $XVFB
od -An -v -td2 -w4 /tmp/audio.raw | awk '
    { for (i = 1; i <= 2; ++i) { v = $i < 0 ? -$i : $i; if (v > peak) peak = v
        if (first == "" && v > 100) first = NR } }
    NR % 24000 == 0 { printf "%4.1f s  peak %d\n", NR / 48000, peak; peak = 0 }
    END { printf "first audible sample at %.3f s of device output\n", (first - 1) / 48000 }'
