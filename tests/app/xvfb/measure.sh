#!/bin/bash
# measure.sh GAME_DIR [extra env...]: CPU still / mouse moving, memory, under a private Xvfb (private /tmp)
mount -t tmpfs none /tmp || exit 9
GAME_DIR=$1; shift
QA=$(cd "$(dirname "$0")" && pwd)
Xvfb :45 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & XVFB=$!; sleep 1
export DISPLAY=:45 SDL_AUDIODRIVER=dummy
cd "$GAME_DIR"
t0=$(date +%s.%N)
env "$@" ./korrik-shooter > /tmp/g.out 2>&1 & G=$!
xdotool search --sync --onlyvisible --name "Korrik Shooter" >/dev/null 2>&1
echo "window mapped after $(echo "$(date +%s.%N) - $t0" | bc) s"
sleep 4
ticks() { awk '{print $14+$15}' /proc/$G/stat; }
HZ=$(getconf CLK_TCK)
a=$(ticks); sleep 10; b=$(ticks)
echo "still screen: $(echo "scale=1; ($b-$a)*100/$HZ/10" | bc) % CPU over 10 s"
a=$(ticks); end=$(( $(date +%s) + 10 ))
while [ $(date +%s) -lt $end ]; do
  for x in $(seq 100 40 700); do xdotool mousemove $((64+x)) $((64+300+(x%97))); done
done
b=$(ticks)
echo "mouse moving: $(echo "scale=1; ($b-$a)*100/$HZ/10" | bc) % CPU over 10 s (xdotool loop)"
grep VmRSS /proc/$G/status
awk '/^[0-9a-f]+-[0-9a-f]+ /{lib=($6==""?"[anon]":$6)} /^Rss:/{r[lib]+=$2} END{for (l in r) printf "%8d kB %s\n", r[l], l}' /proc/$G/smaps | sort -rn | head -8
awk '/^[0-9a-f]+-[0-9a-f]+ /{lib=$6} /^Rss:/{ if (lib ~ /dri|LLVM|libGL|libglapi|libgallium|libEGL|libdrm/) gl+=$2 } END{printf "GL driver (dri, LLVM, GL, glapi, drm): %d kB\n", gl}' /proc/$G/smaps
"$QA/sendclose" "Korrik Shooter"; wait $G; echo "exit $?"
kill $XVFB
