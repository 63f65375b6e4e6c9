#!/usr/bin/env bash
# Checks the files that make an installed tree a desktop application, with the tools a
# distribution checks them with:
#   - the desktop entry with desktop-file-validate (errors and warnings fail; hints do not),
#   - the configured metainfo with appstreamcli validate --no-net,
#   - every manual page rendered by man and groff without a warning,
#   - that the manual pages and the bash completion name every command and option the programs
#     take, and that the files name each other (icon, desktop id, version) consistently.
#   validate.sh SOURCE_DIR PACKAGING_BUILD_DIR VERSION
set -uo pipefail
src=${1:?usage: validate.sh SOURCE_DIR PACKAGING_BUILD_DIR VERSION}
build=${2:?usage: validate.sh SOURCE_DIR PACKAGING_BUILD_DIR VERSION}
version=${3:?usage: validate.sh SOURCE_DIR PACKAGING_BUILD_DIR VERSION}
export LC_ALL=C.UTF-8

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

desktop=$src/packaging/radio-programmer.desktop
metainfo=$(ls "$build"/*.metainfo.xml 2>/dev/null | head -n 1)
completion=$src/packaging/completion/radioprog

# The desktop entry.
out=$(desktop-file-validate "$desktop" 2>&1)
status=$?
if ((status != 0)) || grep -qiE '(error|warning):' <<<"$out"; then
    fail "desktop-file-validate $desktop: $out"
fi
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -f $src/packaging/icons/$icon.svg ]] || fail "the desktop entry's icon '$icon' has no $icon.svg"
for size in 16 22 24 32 48 64 128 256; do
    png=$src/packaging/icons/${size}x${size}/$icon.png
    if [[ ! -f $png ]]; then
        fail "no $png"
    elif ! file "$png" | grep -q "PNG image data, $size x $size,"; then
        fail "$png is not a $size x $size PNG: $(file -b "$png")"
    fi
done

# The metainfo, as CMake configured it.
if [[ -z $metainfo ]]; then
    fail "no configured metainfo in $build"
else
    out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate --no-net $metainfo: $out"
    id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
    [[ $(basename "$metainfo") == "$id.metainfo.xml" ]] || fail "$metainfo is not named after its id '$id'"
    launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
    [[ $launchable == "$(basename "$desktop")" ]] ||
        fail "the metainfo launches '$launchable', the desktop entry is $(basename "$desktop")"
    grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
fi

# The manual pages: rendered without a warning, of the version being built.
for page in "$build"/man/*.1; do
    out=$(man -l -Tutf8 "$page" 2>&1 >/dev/null)
    [[ -z $out ]] || fail "man -l $page: $out"
    out=$(groff -ww -z -man "$page" 2>&1)
    [[ -z $out ]] || fail "groff -ww $page: $out"
    grep -q "^\.TH .* $version\"" "$page" || fail "$page does not name version $version"
done
for page in radioprog radio-sim radio-programmer; do
    [[ -f $build/man/$page.1 ]] || fail "no manual page $page.1"
done

# Every command and option radioprog parses is in its manual page and its completion.
manual=$(sed 's/\\-/-/g' "$build/man/radioprog.1" 2>/dev/null)
commands=$(grep -oE '^ *\{"[a-z]+",' "$src/cli/CommandLine.cpp" | tr -dc 'a-z\n')
options=$(grep -oE '"--[a-z-]+"' "$src/cli/CommandLine.cpp" | tr -d '"' | sort -u)
[[ $(wc -w <<<"$commands") -ge 12 && $(wc -w <<<"$options") -ge 10 ]] ||
    fail "could not find the commands and options in cli/CommandLine.cpp"
for word in $commands; do
    grep -qE "^\.(B|BI|BR) $word( |$)" <<<"$manual" || fail "radioprog.1 does not describe the command '$word'"
    grep -qw -- "$word" "$completion" || fail "the completion does not offer the command '$word'"
done
for word in $options --ini --help --version; do
    grep -q -- "$word" <<<"$manual" || fail "radioprog.1 does not describe $word"
done
for word in $options --ini --help; do
    grep -q -- "$word" "$completion" || fail "the completion does not offer $word"
done
for word in 0 1 2; do
    sed -n '/^\.SH EXIT STATUS/,/^\.SH/p' "$build/man/radioprog.1" | grep -qx "\.B $word" ||
        fail "radioprog.1 does not explain exit status $word"
done

# Every option radio-sim parses is in its manual page.
manual=$(sed 's/\\-/-/g' "$build/man/radio-sim.1" 2>/dev/null)
options=$(grep -oE 'arg == "--[a-z-]+"' "$src/sim/main.cpp" | grep -oE -- '--[a-z-]+')
[[ -n $options ]] || fail "could not find the options in sim/main.cpp"
for word in $options; do
    grep -q -- "$word" <<<"$manual" || fail "radio-sim.1 does not describe $word"
done

if ((failures > 0)); then
    echo "$failures packaging checks failed"
    exit 1
fi
echo "all packaging checks passed"
