#!/bin/sh
# Usage: run-fuzzers.sh BUILD SECONDS [merge]
# Every fuzz target in BUILD/fuzz first replays its committed corpus tests/fuzz/corpus/<name> (each input
# found so far and a seed per format), then fuzzes for SECONDS. With "merge", the new inputs that reach new
# code are merged into the committed corpus, ready to be checked in. Targets run two at a time.
build=$1
seconds=$2
merge=$3
root=$(cd "$(dirname "$0")/.." && pwd)
out="$build/fuzz"
[ -d "$out" ] || { echo "no fuzz targets in $out"; exit 1; }

run_one() {
    f=$1
    name=$(basename "$f")
    corpus="$root/tests/fuzz/corpus/$name"
    work="$out/work-$name"
    log="$out/$name.log"
    mkdir -p "$corpus" "$work"
    flags="-rss_limit_mb=2048 -artifact_prefix=$out/$name- -print_final_stats=0"
    if ! "$f" $flags -runs=0 "$corpus" >"$log" 2>&1; then
        echo "FUZZ REPLAY FAILURE in $name:"; tail -n 40 "$log"; return 1
    fi
    if ! "$f" $flags -max_total_time="$seconds" "$work" "$corpus" >>"$log" 2>&1; then
        echo "FUZZ FAILURE in $name (the input is in $out):"; tail -n 40 "$log"; return 1
    fi
    if [ "$merge" = merge ]; then
        "$f" -merge=1 "$corpus" "$work" >>"$log" 2>&1 || return 1
    fi
    echo "$name: $(ls "$corpus" | wc -l) corpus inputs replayed, fuzzed ${seconds}s"
}

status=0
pids=""
for f in "$out"/fuzz_*; do
    [ -x "$f" ] && [ -f "$f" ] || continue
    case "$f" in *.log) continue ;; esac
    run_one "$f" &
    pids="$pids $!"
    if [ "$(echo $pids | wc -w)" -ge 2 ]; then
        for p in $pids; do wait "$p" || status=1; done
        pids=""
    fi
done
for p in $pids; do wait "$p" || status=1; done
exit $status
