#!/bin/sh
# Builds the browser edition into build/web and assembles the static site in build/web/site:
# the page (web/site), the engine (radio-engine.js/.wasm), Program.ini and the built-in channel
# plans (plans/*.csv and *.ini, listed by name in plans/index.json).
#   scripts/web.sh           build
#   scripts/web.sh --serve   build, then serve the site on http://127.0.0.1:8080/
set -eu
cd "$(dirname "$0")/.."
build=build/web
site=$build/site

# emscripten 3.1.6 links at -O2 only with Debian's node modules on the path.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B $build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build $build -j2

rm -rf $site
mkdir -p $site
cp -r web/site/. $site/
cp $build/radio-engine.js $build/radio-engine.wasm res/Program.ini $site/
mkdir -p $site/plans
cp res/plans/*.csv res/plans/*.ini $site/plans/
names=$(cd res/plans && ls *.csv | LC_ALL=C sort | sed 's/\.csv$//; s/.*/"&"/' | paste -sd, -)
echo "[$names]" >$site/plans/index.json
echo "The site is in $site"

if [ "${1:-}" = "--serve" ]; then
    echo "Serving it on http://127.0.0.1:8080/ (Ctrl+C ends)"
    exec python3 -m http.server --bind 127.0.0.1 --directory $site 8080
fi
