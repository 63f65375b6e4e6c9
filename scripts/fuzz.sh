#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang++ in build/fuzz and runs them one at a
# time, each on a copy of its seed corpus in a scratch folder (the tree's corpus never grows).
#
#   scripts/fuzz.sh [--seconds N] [TARGET...]   fuzz each target for N seconds (default 60)
#   scripts/fuzz.sh --keep-going ...            go on fuzzing after a crash (libFuzzer's fork
#                                               mode) and count the crashing inputs at the end
#   scripts/fuzz.sh --known [TARGET...]         run the reproducers of tests/fuzz/known once
#
# Prints the executions and the coverage (cov: edges, ft: features) of every target and exits
# 1 when any target broke a contract, crashed or leaked; the scratch folder with the crashing
# input is then kept and named. Leak detection stays on: the core owns all its memory, so a
# leak is a fault like any other.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(fuzz_dat_load fuzz_ini_parse fuzz_csv_import fuzz_text_parse
    fuzz_cell_commit fuzz_image_roundtrip fuzz_report fuzz_history fuzz_settings
    fuzz_device_tree fuzz_paste fuzz_clone_session fuzz_plans)
seconds=60
known=0
keep_going=0
targets=()
while [ $# -gt 0 ]; do
    case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --seconds=*) seconds="${1#*=}"; shift ;;
    --known) known=1; shift ;;
    --keep-going) keep_going=1; shift ;;
    -h|--help) sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
    esac
done
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
    if [ ! -d "tests/fuzz/corpus/$t" ]; then
        echo "fuzz.sh: no target $t (targets: ${all_targets[*]})" >&2
        exit 2
    fi
done

if ! command -v clang++ >/dev/null; then
    echo "fuzz.sh: clang++ is missing: run scripts/setup.sh" >&2
    exit 2
fi
build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DRADIO_FUZZ=ON -DRADIO_BUILD_GUI=OFF -DRADIO_BUILD_TESTS=OFF -DRADIO_WERROR=ON >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/radio-fuzz.XXXXXX")
failed=()
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

if [ "$known" = 1 ]; then
    for t in "${targets[@]}"; do
        for input in tests/fuzz/known/"$t"/*; do
            [ -f "$input" ] || continue
            if TMPDIR="$scratch" "$build/bin/$t" "$input" >"$scratch/log" 2>&1; then
                printf '%-22s passes  %s\n' "$t" "$input"
            else
                printf '%-22s TRIPS   %s: %s\n' "$t" "$input" \
                    "$(grep -m1 -E 'fuzz contract broken|runtime error|ERROR: (Address|Leak)Sanitizer|ERROR: libFuzzer' "$scratch/log" || echo crashed)"
                failed+=("$input")
            fi
        done
    done
    rm -rf "$scratch"
    if [ ${#failed[@]} -gt 0 ]; then
        echo "fuzz.sh: ${#failed[@]} known reproducer(s) still trip"
        exit 1
    fi
    echo "fuzz.sh: every known reproducer passes: move them into tests/fuzz/corpus/"
    exit 0
fi

printf '%-22s %8s %12s %8s %8s %8s  %s\n' target seconds executions cov ft corpus result
for t in "${targets[@]}"; do
    work="$scratch/$t"
    mkdir -p "$work/corpus"
    # The targets write their inputs to files; on tmpfs the saves' fsync costs nothing.
    if [ -d /dev/shm ] && [ -w /dev/shm ]; then
        ln -s "$(mktemp -d /dev/shm/radio-fuzz.XXXXXX)" "$work/tmp"
    else
        mkdir -p "$work/tmp"
    fi
    cp tests/fuzz/corpus/"$t"/* "$work/corpus/"
    result=ok
    mode=()
    [ "$keep_going" = 0 ] || mode=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
    if ! TMPDIR="$work/tmp" "$build/bin/$t" "${mode[@]}" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" >"$work/log" 2>&1 ||
        compgen -G "$work/crash-*" >/dev/null || compgen -G "$work/leak-*" >/dev/null ||
        compgen -G "$work/timeout-*" >/dev/null; then
        result="FAILED: $(grep -m1 -E 'fuzz contract broken|runtime error|ERROR: (Address|Leak)Sanitizer|ERROR: libFuzzer' "$work/log" || echo "see $work/log")"
        failed+=("$t")
        [ "$keep_going" = 0 ] || result="$result ($(ls "$work" | grep -c -E '^(crash|leak|timeout|oom)-') inputs)"
    fi
    last=$(grep -E '^#[0-9]+:?[[:space:]].*cov: ' "$work/log" | tail -1 || true)
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
    [ -n "$execs" ] || execs=$(sed -n 's/^#\([0-9]*\).*/\1/p' <<<"$last")
    cov=$(sed -n 's/.*cov: \([0-9]*\).*/\1/p' <<<"$last")
    ft=$(sed -n 's/.*ft: \([0-9]*\).*/\1/p' <<<"$last")
    corp=$(sed -n 's/.*corp: \([0-9]*\)\/.*/\1/p' <<<"$last")
    printf '%-22s %8s %12s %8s %8s %8s  %s\n' "$t" "$seconds" "${execs:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" "$result"
    rm -rf "$(readlink -f "$work/tmp")" "$work/tmp"
    if [ "$result" != ok ]; then
        ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null | head -n 5 | sed 's/^/    reproducer: /' || true
        echo "    log: $work/log"
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz.sh: ${failed[*]} failed; inputs and logs kept in $scratch"
    exit 1
fi
rm -rf "$scratch"
