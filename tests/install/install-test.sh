#!/bin/bash
# The installed game as a player meets it: install into a scratch prefix (or unpack the .deb), check the
# installed files, start the game under Xvfb with a fresh HOME, type a player's name, close the window,
# and find the player's files in that HOME and nowhere else.
#   install-test.sh BUILD_DIR           cmake --install BUILD_DIR into a scratch prefix
#   install-test.sh --deb PACKAGE.deb   the package's file list, then the package unpacked (never installed)
# Needs Xvfb, openbox, xdotool, xprop and xwd (exit 77 without them).
set -euo pipefail

fail() { echo "install test: FAILED: $*" >&2; exit 1; }
for tool in Xvfb openbox xdotool xprop xwd; do
    command -v $tool >/dev/null || { echo "install test: $tool is not installed: skipped"; exit 77; }
done

WORK=$(mktemp -d /tmp/korrik-install.XXXXXX)
PIDS=()
cleanup() {
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

if [ "${1:-}" = "--deb" ]; then
    DEB=$2
    LISTING=$(dpkg-deb -c "$DEB" | awk '{print $6}')
    # Everything under /usr, the game where a player's PATH finds it, the man page compressed.
    echo "$LISTING" | grep -v '^\./usr/' | grep -v '^\./$' && fail "files outside /usr in $DEB"
    for path in ./usr/games/korrik-shooter ./usr/share/man/man6/korrik-shooter.6.gz \
                ./usr/share/doc/korrik-shooter/copyright ./usr/share/doc/korrik-shooter/changelog.gz; do
        echo "$LISTING" | grep -qx "$path" || fail "$DEB lacks $path"
    done
    DEPENDS=$(dpkg-deb -f "$DEB" Depends)
    echo "$DEPENDS" | grep -q 'libsdl2-2' || fail "Depends names no SDL2 runtime: $DEPENDS"
    echo "$DEPENDS" | grep -q -- '-dev' && fail "Depends names a development package: $DEPENDS"
    dpkg-deb -x "$DEB" "$WORK/root"
    ROOT=$WORK/root/usr
    MAN=$ROOT/share/man/man6/korrik-shooter.6.gz
else
    ROOT=$WORK/prefix
    cmake --install "${1:-build}" --prefix "$ROOT" >/dev/null
    MAN=$ROOT/share/man/man6/korrik-shooter.6
fi
GAME=$ROOT/games/korrik-shooter

# The installed files, and the validators the desktop uses.
for path in "$GAME" "$ROOT"/share/games/korrik-shooter/Data/{Resource,Lang}.Zor \
            "$ROOT"/share/applications/korrik-shooter.desktop "$MAN"; do
    [ -f "$path" ] || fail "not installed: ${path#"$ROOT"/}"
done
for size in 16 22 24 32 48 64 96 128 256; do
    icon=$ROOT/share/icons/hicolor/${size}x${size}/apps/korrik-shooter.png
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    # The PNG header's width and height, big-endian from byte 16.
    read -r w h < <(od -An -tu1 -j16 -N8 "$icon" |
        awk '{print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8}')
    [ "$w $h" = "$size $size" ] || fail "the ${size}x${size} icon is ${w}x${h}"
done
METAINFO=$(ls "$ROOT"/share/metainfo/*.metainfo.xml) || fail "no AppStream metainfo"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$ROOT/share/applications/korrik-shooter.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$METAINFO" >"$WORK/out" || fail "metainfo: $(cat "$WORK/out")"
fi
if command -v man >/dev/null; then
    warnings=$(MANWIDTH=80 man --warnings -l "$MAN" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man page: $warnings"
    MANWIDTH=80 man -l "$MAN" 2>/dev/null | grep -q -- '--data-dir' || fail "the man page lacks its options"
fi

# The command line, without a display.
"$GAME" --help | grep -q -- '--data-dir DIR' || fail "--help"
"$GAME" --version | grep -Eqx 'korrik-shooter [0-9]+\.[0-9]+\.[0-9]+' || fail "--version"
set +e
"$GAME" --no-such-option >"$WORK/out" 2>"$WORK/err"; status=$?
set -e
[ $status = 2 ] && [ ! -s "$WORK/out" ] && [ "$(wc -l <"$WORK/err")" = 1 ] ||
    fail "an unknown option gave status $status and: $(cat "$WORK/out" "$WORK/err")"

# Every path with its type, size, time and mode, and every file's checksum.
snapshot() {
    (cd "$ROOT" && find . -printf '%p %y %s %T@ %m\n' | sort && find . -type f -exec md5sum {} + | sort)
}
snapshot >"$WORK/root.before"

# A private X server with a window manager, on the first free display (runs side by side never collide).
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
PIDS+=($!)
for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
DISPLAY_NUMBER=$(head -1 "$WORK/display")
[ -n "$DISPLAY_NUMBER" ] || fail "Xvfb found no free display"
export DISPLAY=:$DISPLAY_NUMBER
mkdir -p "$WORK"/{home,wm,run,cwd,xdg}
chmod 700 "$WORK/run"
HOME=$WORK/wm openbox >/dev/null 2>&1 &
PIDS+=($!)
# The window manager is up once it has named itself on the root window.
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

# The player's environment: a fresh home, a runtime folder for the single-instance lock, no sound card.
# A sanitized build's leak check stays off: X and GL keep memory to the end on purpose.
play() {
    (cd "$WORK/cwd" && exec env -i PATH=/usr/bin:/bin HOME="$WORK/home" DISPLAY="$DISPLAY" \
        XDG_RUNTIME_DIR="$WORK/run" SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 \
        "$@" "$GAME" "${GAME_OPTIONS[@]}")
}
start() {
    play "$@" >>"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    PIDS+=($GAME_PID)
    WINDOW=$(timeout 30 xdotool search --sync --onlyvisible --name '^Korrik Shooter$' | head -1) ||
        fail "no window within 30 s: $(cat "$WORK/game.log")"
    read -r _ GEOMETRY < <(xdotool getwindowgeometry "$WINDOW" | grep Geometry)
}
# The sum of red, green and blue at (x, y) of the game's window, read from xwd's dump (32 bits a pixel).
pixel_sum() {
    xwd -silent -id "$WINDOW" >"$WORK/shot.xwd" 2>/dev/null || { echo 999; return; }
    local header
    read -r -a header < <(od -An -tu1 -v -N80 "$WORK/shot.xwd" | tr -s ' \n' ' ')
    word() { echo $(((header[$1] << 24) | (header[$1 + 1] << 16) | (header[$1 + 2] << 8) | header[$1 + 3])); }
    local offset=$(($(word 0) + $(word 76) * 12 + $2 * $(word 48) + $1 * 4))
    od -An -tu1 -j $offset -N3 "$WORK/shot.xwd" | awk '{print $1 + $2 + $3}'
}
close() {
    xdotool windowactivate --sync "$WINDOW" key alt+F4
    timeout 15 tail --pid="$GAME_PID" -s 0.1 -f /dev/null || fail "the game did not close within 15 s"
    wait "$GAME_PID" || fail "the game closed with status $?: $(cat "$WORK/game.log")"
}

# First start, windowed: a second copy leaves at once; the new player is typed in and Return pressed.
GAME_OPTIONS=(--windowed)
start
[ "$GEOMETRY" = 800x600 ] || fail "--windowed gave a window of $GEOMETRY"
play >>"$WORK/game.log" 2>&1 &
SECOND=$!
PIDS+=($SECOND)
timeout 15 tail --pid=$SECOND -s 0.1 -f /dev/null || fail "a second copy did not leave within 15 s"
wait $SECOND || fail "a second copy left with status $?"
[ -e "$WORK/run/korrik-shooter.lock" ] || fail "the single-instance lock is not in XDG_RUNTIME_DIR"
# SDL takes the keyboard focus a moment after its loop first runs and drops keys until then, so the
# name is typed once the dark name field shows and that moment has passed.
for _ in $(seq 100); do
    [ "$(pixel_sum 270 300)" -lt 300 ] && [ "$(pixel_sum 530 300)" -lt 300 ] && break
    sleep 0.1
done
sleep 0.4
USER_DATA=$WORK/home/.local/share/korrik-shooter
# On a busy machine that moment can come later: a name not taken is wiped and typed again.
for _ in 1 2 3; do
    xdotool windowactivate --sync "$WINDOW" key --delay 40 BackSpace BackSpace BackSpace type --delay 40 Ann
    xdotool key Return
    for _ in $(seq 30); do grep -qs 'PlayerName0="Ann"' "$USER_DATA/Profiles.Txt" && break 2; sleep 0.1; done
done
grep -qs 'PlayerName0="Ann"' "$USER_DATA/Profiles.Txt" || fail "the player Ann was not saved in $USER_DATA"
close

# The player's files in the home and nowhere else; the install and the starting folder untouched.
[ "$(cd "$WORK/home" && find . -type f | sort | tr '\n' ' ')" = \
  "./.local/share/korrik-shooter/Profiles.Txt ./.local/share/korrik-shooter/Save/Ann.Zos " ] ||
    fail "unexpected files in HOME: $(cd "$WORK/home" && find . -type f)"
[ -z "$(ls -A "$WORK/cwd")" ] || fail "files in the starting folder: $(ls -A "$WORK/cwd")"
snapshot | diff "$WORK/root.before" - >"$WORK/out" || fail "the install changed: $(cat "$WORK/out")"
home() { (cd "$WORK/home" && find . -printf '%p %s %T@\n' | sort); }
home >"$WORK/home.before"

# XDG_DATA_HOME moves the player's folder; --fullscreen covers the screen.
GAME_OPTIONS=(--fullscreen)
start XDG_DATA_HOME="$WORK/xdg"
[ "$GEOMETRY" = 1024x768 ] || fail "--fullscreen gave a window of $GEOMETRY"
[ -d "$WORK/xdg/korrik-shooter" ] || fail "the player's folder was not made under XDG_DATA_HOME"
close
snapshot | diff "$WORK/root.before" - >/dev/null || fail "the install changed on the second start"
home | diff "$WORK/home.before" - >/dev/null || fail "HOME changed although XDG_DATA_HOME was set"
[ ! -e "$USER_DATA/ZoConfig.Cfg" ] || fail "the command line's window mode was saved"

echo "install test: passed (${DEB:-cmake --install})"
