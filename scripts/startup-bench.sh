#!/bin/sh
# The desktop program's start to a painted main window, as a ratio to a bare QMainWindow measured
# in the same run: RUNS fresh processes of each, taken in turns, and the medians.
#   scripts/startup-bench.sh [BUILD_DIR] [RUNS]
set -eu
build=${1:-build/release}
runs=${2:-21}
bench="$build/bin/startup_benchmark"
[ -x "$bench" ] || { echo "startup-bench: build the target startup_benchmark in $build first" >&2; exit 2; }
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
i=0
while [ "$i" -lt "$runs" ]; do
    "$bench" bare >>"$tmp/bare" 2>/dev/null
    "$bench" program "$build/bin" >>"$tmp/program" 2>/dev/null
    i=$((i + 1))
done
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
bare=$(median "$tmp/bare")
program=$(median "$tmp/program")
echo "bare QMainWindow: ${bare} us  Program: ${program} us  ratio: $(awk "BEGIN { printf \"%.2f\", $program / $bare }")"
