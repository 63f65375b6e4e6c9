#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer, warnings as errors,
# checks the format of the sources, builds the browser edition (scripts/web.sh) and runs the whole
# suite, then gives every fuzz target a few seconds on its seeds (scripts/fuzz.sh, a clang build of
# its own in build/fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/test
# The browser edition first (build/web/site, build/web/testsim): the web tests run against it.
if command -v emcmake >/dev/null; then
    scripts/web.sh >/dev/null
else
    echo "test: emscripten is missing (scripts/setup.sh installs it): the web tests will be skipped"
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRADIO_SANITIZE=ON -DRADIO_WERROR=ON >/dev/null
cmake --build "$build" --target format-check
cmake --build "$build" -j2
# Leaks inside third-party libraries are not ours to fix (see the file); ours still fail a test.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
(cd "$build" && ctest --output-on-failure -j2 "$@")
scripts/fuzz.sh --seconds "${RADIO_FUZZ_SECONDS:-3}"
