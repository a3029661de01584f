#!/bin/sh
# time-scripts.sh BUILD_DIR [COUNT] : times COUNT typical scripts (a dozen aimed shots and a print each, on the
# scenario boards) run two at a time, as a check that korrik-sim stays fast enough for many scenarios.
set -e
build=$(cd "${1:?usage: time-scripts.sh BUILD_DIR [COUNT]}" && pwd)
count=${2:-200}
boards=$(cd "$(dirname "$0")/../../tests/game/scenarios" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
i=0
while [ $i -lt "$count" ]; do
    i=$((i + 1))
    {
        echo "seed $i"
        shot=0
        while [ $shot -lt 12 ]; do
            shot=$((shot + 1))
            echo "aim $(( 230 + (i * 37 + shot * 53) % 340 )) $(( 60 + (i * 11 + shot * 29) % 240 ))"
            echo fire
        done
        echo print
    } > "$work/$i.sim"
done
start=$(date +%s.%N)
ls "$work"/*.sim | awk '{ split("match flight arcade-drop vanish won", b, " "); print b[NR % 5 + 1] ".Zos " $0 }' |
    xargs -P 2 -n 2 sh -c 'cd "$0" && "$1" "$2" "$3" > "$3.out"' "$boards" "$build/korrik-sim"
end=$(date +%s.%N)
echo "$count scripts in $(echo "$end - $start" | bc) s (two at a time)"
