#!/bin/sh
# Installs the packages that are missing. $1: required packages, $2: optional ones.
required=$1
optional=$2
missing() {
    for p in $1; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || printf '%s ' "$p"
    done
}
need=$(missing "$required")
want=$(missing "$optional")
[ -z "$need$want" ] && exit 0
if [ "$(id -u)" = 0 ]; then SUDO=""; elif command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
    echo "Missing packages: $need$want (run as root or install sudo)"; [ -z "$need" ]; exit $?
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq || true
if [ -n "$need" ]; then
    echo "Installing: $need"
    $SUDO apt-get install -y -qq --no-install-recommends $need || exit 1
fi
for p in $want; do
    $SUDO apt-get install -y -qq --no-install-recommends "$p" >/dev/null 2>&1 || echo "Optional package $p not installed"
done
exit 0
