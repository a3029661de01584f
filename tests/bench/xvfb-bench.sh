#!/bin/bash
# CPU and memory of the real game under a private Xvfb with a window manager and scripted mouse input.
#
#   xvfb-bench.sh GAME_DIR [PEER ...]
#
# GAME_DIR (outside /tmp, which is replaced by a private one) holds korrik-shooter and Data/. Each PEER
# is measured in the same run with the same input: "korrik:DIR" for another build of this game, or a
# command line, or two joined by "||" (the first windowed, the second full screen).
# For each game and mode (windowed 800x600, full screen on a 1024x768 screen) it prints CPU in % of one
# core from /proc/PID/stat over MEASURE_SECONDS for each screen, then resident and anonymous memory
# after play (this game: after a whole game, fired straight up to its end), and at the end all of it
# as one table. Needs root (unshare) for a private
# /tmp: the game's lock file and the X socket stay apart from anyone else's runs.
# Environment: MEASURE_SECONDS (10), DISPLAY_NUMBER (100), MODES ("windowed fullscreen"),
# SHOTS_PNG_DIR (a screenshot of each screen when set), PEER_START (xdotool keys that start a peer's
# game: "Return Return"), PEER_FIRE (keys that fire in a peer's game: "Up").
set -u
if [ -z "${KORRIK_BENCH_PRIVATE:-}" ]; then
    exec env KORRIK_BENCH_PRIVATE=1 unshare -m --propagation private "$0" "$@"
fi
[ $# -ge 1 ] || { sed -n '2,16p' "$0"; exit 2; }
GAME_DIR=$(cd "$1" && pwd) || exit 2
shift
SECONDS_EACH=${MEASURE_SECONDS:-10}
SHOTS=${SHOTS_PNG_DIR:-}
RESULTS=$(mktemp)
mount -t tmpfs none /tmp || { echo "needs root for a private /tmp" >&2; exit 9; }
[ ! -d /run/user ] || mount -t tmpfs none /run/user # older builds keep their lock file there
export DISPLAY=:${DISPLAY_NUMBER:-100} SDL_AUDIODRIVER=dummy HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/runtime
mkdir -p "$HOME" && mkdir -m 700 -p "$XDG_RUNTIME_DIR"
HZ=$(getconf CLK_TCK)

Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
WM=$!
trap 'kill $WM $XVFB 2>/dev/null; rm -f "$RESULTS"' EXIT
sleep 1

ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
megabytes() { awk -v k="$2:" '$1 == k {printf "%d", $2 / 1024}' "/proc/$1/status" 2>/dev/null; }

# Frame points (800x600) to screen points through the window's letterbox: reads "x y" lines, writes
# xdotool commands; GEO is the window's client rectangle "X Y WIDTH HEIGHT".
moves() {
    awk -v geo="$GEO" -v pause="$1" 'BEGIN { split(geo, g, " "); s = g[3] / 800 < g[4] / 600 ? g[3] / 800 : g[4] / 600
        ox = g[1] + (g[3] - 800 * s) / 2; oy = g[2] + (g[4] - 600 * s) / 2 }
        /^[0-9.-]+ [0-9.-]+$/ { printf "mousemove %d %d ", ox + $1 * s, oy + $2 * s; if (pause) printf "sleep %s ", pause; next }
        { printf "%s ", $0 }'
}
# The pointer round an ellipse at 100 moves a second for the whole measurement.
sweep() {
    awk -v cx="$1" -v cy="$2" -v rx="$3" -v ry="$4" -v n=$((SECONDS_EACH * 100)) 'BEGIN {
        for (i = 0; i < n; ++i) print cx + rx * cos(i / 24), cy + ry * sin(i / 24) }' | moves 0.01
}
# Aims across the board (the launcher is at the bottom centre) and fires every 0.8 s.
shots() {
    awk -v n=$((SECONDS_EACH * 5 / 4)) -v fire="$1" 'BEGIN {
        for (i = 0; i < n; ++i) {
            x = 250 + (i * 137) % 300; y = 150 + (i * 71) % 150
            for (j = 1; j <= 20; ++j) print 400 + (x - 400) * j / 20, 500 + (y - 500) * j / 20
            print fire; print "sleep 0.4"
        } }' | moves 0.02
}

# CPU share of PID over the measurement, while xdotool plays the given commands (if any).
cpu_over() {
    local pid=$1 before after driver=""
    shift
    before=$(ticks "$pid")
    if [ $# -gt 0 ]; then
        xdotool "$@" &
        driver=$!
    fi
    sleep "$SECONDS_EACH"
    after=$(ticks "$pid")
    [ -z "$driver" ] || wait "$driver"
    awk -v t=$((after - before)) -v hz="$HZ" -v s="$SECONDS_EACH" 'BEGIN {printf "%.1f", t * 100 / hz / s}'
}

record() { # game, mode, screen, value
    printf '%-28s %-10s %-30s %6s\n' "$1" "$2" "$3" "$4"
    printf '%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "$4" >>"$RESULTS"
    [ -n "$SHOTS" ] && xwd -root -silent | convert xwd:- "$SHOTS/${1//\//-}-$2-${3//[ ,()]/_}.png" 2>/dev/null
    return 0
}

# Starts this game from folder $1 in mode $2 with silent options and a player (none when $3 is
# "newcomer": the game then asks for a name); prints its PID and the folder of its files.
start_korrik() {
    local run
    run=$(mktemp -d /tmp/run.XXXXXX)
    mkdir -p "$run/Data"
    cp "$1/korrik-shooter" "$run/" # it finds Data/ beside the real executable
    ln -s "$1/Data/Resource.Zor" "$1/Data/Lang.Zor" "$run/Data/"
    [ "${3:-}" = newcomer ] || printf 'ActiveProfile=0\r\nPlayerName0="Bench"\r\n' >"$run/Data/Profiles.Txt"
    printf 'DifficultLevel=0\r\nMusicVolume=0\r\nSoundVolume=0\r\nWindowed=%d\r\n' \
        "$([ "$2" = windowed ] && echo 1 || echo 0)" >"$run/Data/ZoConfig.Cfg"
    (cd "$run" && exec ./korrik-shooter >/tmp/game.out 2>&1) &
    echo "$! $run"
}

# Fires straight up until the board reaches the bottom: the end of a game writes the score table.
play_to_end() {
    local shots=0
    while [ ! -e "$1/Data/Classic.Zot" ] && [ $shots -lt 80 ]; do
        xdotool $(echo "400 100" | moves 0) click 1
        sleep 0.7
        shots=$((shots + 1))
    done
    [ -e "$1/Data/Classic.Zot" ] && echo "$shots" || echo "no end after $shots"
}

stop() {
    kill -TERM "$1" 2>/dev/null
    for _ in $(seq 40); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

# Measures one game: $1 label, $2 mode, $3 "korrik" or "peer", $4 folder or command.
measure() {
    local label=$1 mode=$2 kind=$3 pid run window
    if [ "$kind" = korrik ]; then
        read -r pid run <<<"$(start_korrik "$4" "$mode" newcomer)"
        timeout 20 xdotool search --sync --onlyvisible --name "Korrik Shooter" >/dev/null
        sleep 4
        record "$label" "$mode" "name entry (cursor blinking)" "$(cpu_over "$pid")"
        stop "$pid"
        read -r pid run <<<"$(start_korrik "$4" "$mode")"
        window=$(timeout 20 xdotool search --sync --onlyvisible --name "Korrik Shooter" | head -1)
    else
        # shellcheck disable=SC2086
        $4 >/tmp/peer.out 2>&1 &
        pid=$!
        window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" | head -1)
    fi
    [ -n "$window" ] || { echo "$label: no window" >&2; head -5 /tmp/peer.out /tmp/game.out >&2; kill "$pid"; return; }
    sleep 4
    # xwininfo: xdotool counts a window manager's frame twice.
    GEO=$(xwininfo -id "$window" | awk -F: '/Absolute upper-left X/ {x = $2} /Absolute upper-left Y/ {y = $2}
        /^ *Width/ {w = $2} /^ *Height/ {h = $2} END {print x + 0, y + 0, w + 0, h + 0}')
    record "$label" "$mode" "still menu" "$(cpu_over "$pid")"
    record "$label" "$mode" "menu, mouse moving" "$(cpu_over "$pid" $(sweep 400 300 300 200))"
    if [ "$kind" = korrik ]; then
        xdotool $(echo "160 204" | moves 0) click 1 # Classic
    else
        xdotool key --delay 1000 ${PEER_START:-Return Return}
    fi
    sleep 5
    record "$label" "$mode" "game still" "$(cpu_over "$pid")"
    record "$label" "$mode" "game, aiming (mouse moving)" "$(cpu_over "$pid" $(sweep 400 250 250 100))"
    record "$label" "$mode" "game, shot after shot" \
        "$(cpu_over "$pid" $(shots "$([ "$kind" = korrik ] && echo "click 1" || echo "key ${PEER_FIRE:-Up}")"))"
    [ "$kind" != korrik ] || record "$label" "$mode" "shots to the end of the game" "$(play_to_end "$run")"
    record "$label" "$mode" "resident MB" "$(megabytes "$pid" VmRSS)"
    record "$label" "$mode" "anonymous MB" "$(megabytes "$pid" RssAnon)"
    stop "$pid"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for mode in ${MODES:-windowed fullscreen}; do
    measure korrik "$mode" korrik "$GAME_DIR"
    for peer in "$@"; do
        case $peer in
        korrik:*) dir=$(cd "${peer#korrik:}" && pwd) && measure "$(basename "$(dirname "$dir")")/$(basename "$dir")" "$mode" korrik "$dir" ;;
        *"||"*) measure "$(basename "${peer%% *}")" "$mode" peer "$([ "$mode" = windowed ] && echo "${peer%%||*}" || echo "${peer##*||}")" ;;
        *) measure "$(basename "${peer%% *}")" "$mode" peer "$peer" ;;
        esac
    done
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
# One table: a row per screen, a column per game and mode.
awk -F'\t' '{ key = $1 " " $2; if (!(key in seen)) { seen[key] = 1; cols[++n] = key }
              if (!($3 in rowSeen)) { rowSeen[$3] = 1; rows[++m] = $3 } v[$3, key] = $4 }
    END { printf "\n| screen |"; for (c = 1; c <= n; ++c) printf " %s |", cols[c]; printf "\n|---|"
          for (c = 1; c <= n; ++c) printf "---|"; printf "\n"
          for (r = 1; r <= m; ++r) { printf "| %s |", rows[r]; for (c = 1; c <= n; ++c) printf " %s |", v[rows[r], cols[c]]; printf "\n" } }' "$RESULTS"
