#!/usr/bin/env bash
# Renders the main window of the desktop program in English and in Chinese into
# docs/screenshot-en.png and docs/screenshot-zh.png. Runs on the offscreen platform, so no display
# is needed. Each language starts from a copy of the program folder with its own Program.ini.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRADIO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target Program

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/runtime" docs
chmod 700 "$work/runtime"

for pair in English:en Chinese:zh; do
    language=${pair%%:*}
    short=${pair##*:}
    dir="$work/$language"
    mkdir -p "$dir"
    cp "$build/bin/Program" "$build/bin/English.qm" "$build/bin/Chinese.qm" "$build/bin/title.ico" "$dir/"
    cp -r "$build/bin/help" "$dir/"
    sed "s/^Language=.*/Language=$language/" res/Program.ini >"$dir/Program.ini"
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen \
        "$dir/Program" --screenshot "$PWD/docs/screenshot-$short.png" 2>/dev/null
    echo "screenshots: docs/screenshot-$short.png"
done
