#!/usr/bin/env bash
# Renders the main window of the desktop program in English and in Chinese into
# docs/screenshot-en.png and docs/screenshot-zh.png, and with cells selected and the Edit menu open
# into docs/editing-en.png and docs/editing-zh.png. Runs on the offscreen platform, so no display
# is needed. Each language starts from a copy of the program folder with its own Program.ini.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRADIO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target Program radioprog

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/runtime" docs
chmod 700 "$work/runtime"

# A club's channels, so that the grid shows what a programmed radio looks like.
sample="$work/club.dat"
prog() { XDG_CONFIG_HOME="$work/config" "$build/bin/radioprog" --ini res/Program.ini "$@" >/dev/null; }
prog new "$sample"
prog channel "$sample" 1 rx=145.500 rx-tone=88.5 tx-tone=88.5
prog channel "$sample" 2 rx=145.600 tx=145.000 tx-tone=D023N power=low
prog channel "$sample" 3 rx=146.520 width=narrow scan=no busy-lock=carrier
prog channel "$sample" 4 rx=147.000 rx-tone=D754I tx-tone=D754I busy-lock=tone
prog channel "$sample" 5 rx=144.8125 tx=144.8125 tx-tone=67.0

for pair in English:en Chinese:zh; do
    language=${pair%%:*}
    short=${pair##*:}
    dir="$work/$language"
    mkdir -p "$dir"
    cp "$build/bin/Program" "$build/bin/English.qm" "$build/bin/Chinese.qm" "$build/bin/title.ico" "$dir/"
    cp -r "$build/bin/help" "$dir/"
    sed "s/^Language=.*/Language=$language/" res/Program.ini >"$dir/Program.ini"
    for kind in screenshot editing; do
        option=--screenshot
        [ "$kind" = editing ] && option=--screenshot-editing
        XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen \
            "$dir/Program" "$option" "$PWD/docs/$kind-$short.png" "$sample" 2>/dev/null
        echo "screenshots: docs/$kind-$short.png"
    done
done
