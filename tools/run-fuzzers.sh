#!/bin/sh
# Runs every fuzzer in $1/fuzz for $2 seconds each, starting from its seed corpus in tests/fuzz/corpus/<name>.
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for f in "$build"/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    work="$build/fuzz/corpus-$name"
    mkdir -p "$work"
    seeds="$root/tests/fuzz/corpus/$name"
    [ -d "$seeds" ] || seeds=""
    echo "fuzzing $name for ${seconds}s"
    if ! "$f" -max_total_time="$seconds" -print_final_stats=0 -rss_limit_mb=2048 "$work" $seeds >"$build/fuzz/$name.log" 2>&1; then
        echo "FUZZ FAILURE in $name:"; tail -n 40 "$build/fuzz/$name.log"; status=1
    fi
done
exit $status
