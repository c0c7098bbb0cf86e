#!/usr/bin/env bash
# Writes docs/screenshots/<profile>-<tab>.png: the main window with the shipped sample list,
# once on the vertical and once on the horizontal postcard starter profile, with each of
# the four settings pages in front. Runs the real program on a private X server (Xvfb,
# 1280 × 800) with a private home folder, so nothing of the user's is read or changed.
#   scripts/screenshots.sh [BUILD_DIR]     (default: build-screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${1:-build-screenshots}
OUT=$ROOT/docs/screenshots

source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" xvfb x11-apps x11-utils netpbm xdotool

# A build folder of one's own is used as it is configured; a new one is a release build.
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOPLARK_TESTS=OFF >/dev/null
fi
cmake --build "$BUILD" --target hoplark hoplark-batch --parallel 2

TMP=$(mktemp -d)
XPID=""
APID=""
cleanup() {
    [ -n "$APID" ] && kill "$APID" 2>/dev/null || true
    [ -n "$XPID" ] && kill "$XPID" 2>/dev/null || true
    rm -rf "$TMP"
}
trap cleanup EXIT

export HOME=$TMP/home XDG_DATA_HOME=$TMP/home/.local/share XDG_CONFIG_HOME=$TMP/home/.config
export XDG_RUNTIME_DIR=$TMP/run LANG=C.UTF-8
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# A display number nobody uses.
DISP=99
while [ -e "/tmp/.X11-unix/X$DISP" ] || [ -e "/tmp/.X$DISP-lock" ]; do DISP=$((DISP + 1)); done
Xvfb ":$DISP" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
XPID=$!
export DISPLAY=:$DISP
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# The first run creates the user data folder and seeds the starter profiles and the sample
# sender into it; the honorifics are the first-run list.
USRFLD=$("$BUILD/bin/hoplark-batch" where)

# The environment file names the profile the window opens with.
write_env() {
    printf '%s\r\n' "<?xml version='1.0' encoding='Shift-JIS' ?>" "<運用>" "   <印刷>" \
        "      <用紙>$1</用紙>" "   </印刷>" | iconv -f UTF-8 -t CP932 >"$USRFLD/User.xml"
    printf '%s' "</運用>" | iconv -f UTF-8 -t CP932 >>"$USRFLD/User.xml"
}

mkdir -p "$OUT"
shoot() { # profile name, file prefix
    write_env "$1"
    "$BUILD/bin/hoplark" ZAOEN "$ROOT/data/sample/addresses.csv" >"$TMP/app.log" 2>&1 &
    APID=$!
    local win
    win=$(xdotool search --sync --onlyvisible --name "宛名印刷" | head -1)
    sleep 2
    # Without a window manager the window is placed by hand: top left, 1200 x 760.
    xdotool windowmove --sync "$win" 0 0 2>/dev/null || true
    xdotool windowsize --sync "$win" 1200 760 2>/dev/null || true
    sleep 2
    # The four tabs of the settings panel (its width is fixed, so they stand here at 1200).
    local x
    local tab=1
    for x in 780 866 932 980; do
        xdotool mousemove --sync "$x" 34 click 1
        sleep 1
        xwd -silent -id "$win" | xwdtopnm 2>/dev/null | pnmtopng >"$OUT/$2-$tab.png"
        echo "$OUT/$2-$tab.png"
        tab=$((tab + 1))
    done
    kill "$APID" 2>/dev/null || true
    wait "$APID" 2>/dev/null || true
    APID=""
}
shoot "はがき 縦書き" vertical
shoot "はがき 横書き" horizontal
