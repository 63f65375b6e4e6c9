#!/usr/bin/env bash
# Builds everything and starts the desktop program. Arguments are passed to it
# (for example a .dat file, or --demo to use the simulated radio).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRADIO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2
if [ -x "$build/bin/Program" ]; then
    exec "$build/bin/Program" "$@"
fi
echo "run: built $(ls "$build"/core/*.a "$build"/bin/* 2>/dev/null | tr '\n' ' ')"
echo "run: the desktop program is not part of this build yet"
