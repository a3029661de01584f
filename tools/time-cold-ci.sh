#!/bin/bash
# time-cold-ci.sh [ROOT]: times `make test` as CI meets it, from a fresh clone of this checkout's HEAD in a
# fresh minimal Debian bookworm root (no compiler, no packages, empty compiler cache), then once more from
# a fresh clone with the compiler cache warm. Needs root and mmdebstrap; the root folder is made afresh.
set -euo pipefail
ROOT=${1:-/var/tmp/korrik-cold-root}
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$ROOT"
mmdebstrap --variant=apt --include=git,ca-certificates,make,sudo bookworm "$ROOT" http://deb.debian.org/debian \
    >/dev/null 2>&1
cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
for d in proc sys dev dev/pts; do mount --bind "/$d" "$ROOT/$d"; done
trap 'for d in dev/pts dev sys proc; do umount "$ROOT/$d" 2>/dev/null || true; done' EXIT
for run in cold warm; do
    rm -rf "$ROOT/src"
    git clone -q "$SOURCE" "$ROOT/src"
    echo "== $run"
    chroot "$ROOT" /bin/bash -c 'cd /src && export HOME=/root CCACHE_DIR=/root/.ccache && time make test' \
        >"$ROOT/$run.log" 2>&1 || { echo "make test failed: $ROOT/$run.log"; exit 1; }
    grep -E "tests passed|^real" "$ROOT/$run.log"
done
