#!/usr/bin/env bash
# Checks the files that make an installed tree a desktop application, with the tools a
# distribution checks them with:
#   - the desktop entry with desktop-file-validate (errors and warnings fail; hints do not),
#   - the configured metainfo with appstreamcli validate --no-net,
#   - every manual page rendered by man and groff without a warning,
#   - that the manual pages and the bash completion name every command and option the programs
#     take (radioprog's exactly those of its command table), and that the files name each other
#     (icon, desktop id, version) consistently.
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

# The manual page and the completion name exactly the commands and options of radioprog's
# command table (cli/CommandTable.cpp): one line per command, "COMMAND --option --valued= ...",
# and "* ..." for the options every command takes.
table=$(awk '
    function flush() { if (command != "") print command options; options = "" }
    /CommandTable::commonOptions\(\)/ { flush(); command = "*" }
    /^ *\{"[a-z]+",/ { flush(); command = $0; sub(/^ *\{"/, "", command); sub(/".*/, "", command) }
    {
        rest = $0
        while (match(rest, /\{"--[a-z-]+", Argument::[A-Za-z]+\}/)) {
            option = substr(rest, RSTART + 2, RLENGTH - 3)
            name = option; sub(/".*/, "", name)
            options = options " " name (option ~ /::None$/ ? "" : "=")
            rest = substr(rest, RSTART + RLENGTH)
        }
    }
    END { flush() }' "$src/cli/CommandTable.cpp")
commands=$(grep -v '^\*' <<<"$table" | cut -d' ' -f1)
common=$(sed -n 's/^\* //p' <<<"$table" | tr -d '=')
[[ $(wc -w <<<"$commands") -ge 13 && $(wc -w <<<"$common") -eq 3 ]] ||
    fail "could not read the command table in cli/CommandTable.cpp"
all_options=$(cut -s -d' ' -f2- <<<"$table" | tr ' ' '\n' | tr -d '=' | sort -u)
valued=$(cut -s -d' ' -f2- <<<"$table" | tr ' ' '\n' | sed -n 's/=$//p' | sort -u)
words() { tr ' ' '\n' <<<"$*" | sed '/^$/d' | sort -u | tr '\n' ' '; }
# same WHAT EXPECTED GOT: the two lists hold the same words.
same() { [[ $(words "$2") == "$(words "$3")" ]] || fail "$1: expected '$(words "$2")', found '$(words "$3")'"; }

# The completion: its list of commands, the options it offers after each command, the options
# whose value it completes, and no other option.
same "the completion's commands" "$commands" "$(sed -n 's/^ *local commands="\(.*\)"$/\1/p' "$completion")"
same "the completion's options that take a value" "$valued" \
    "$(sed -n 's/^ *local valued="\(.*\)"$/\1/p' "$completion")"
while read -r command options; do
    [[ $command == "*" ]] && continue
    same "the completion's options of '$command'" "${options//=/}" \
        "$(sed -n "s/^ *$command) options=\"\(.*\)\" ;;$/\1/p" "$completion")"
done <<<"$table"
same "the options the completion names" "$all_options" "$(grep -oE -- '--[a-z][a-z-]*' "$completion")"

# The manual page: one item of COMMANDS per command, whose text names the command's options
# and maybe those of every command; OPTIONS names those of every command; no other option.
manual=$(sed 's/\\-/-/g' "$build/man/radioprog.1" 2>/dev/null)
sections=$(awk '
    /^\.SH/ { inside = ($0 == ".SH COMMANDS"); next }
    !inside { next }
    /^\.RS/ { depth++ } /^\.RE/ { depth-- }
    heading { heading = 0; command = $2; printf "\n%s", command }
    /^\.TP/ && depth == 0 { heading = 1 }
    command != "" { rest = $0; while (match(rest, /--[a-z][a-z-]*/)) {
        printf " %s", substr(rest, RSTART, RLENGTH); rest = substr(rest, RSTART + RLENGTH) } }
    END { print "" }' <<<"$manual" | sed '/^$/d')
same "the commands radioprog.1 describes" "$commands" "$(cut -d' ' -f1 <<<"$sections")"
while read -r command options; do
    [[ $command == "*" ]] && continue
    named=$(words "$(grep "^$command\( \|$\)" <<<"$sections" | cut -s -d' ' -f2-)")
    for option in $common; do named=${named//$option /}; done
    same "the options radioprog.1 names under '$command'" "${options//=/}" "$named"
done <<<"$table"
same "the options of every command in radioprog.1" "$common" \
    "$(sed -n '/^\.SH OPTIONS/,/^\.SH/p' <<<"$manual" | grep -oE -- '--[a-z][a-z-]*')"
same "the options radioprog.1 names" "$all_options $common" "$(grep -oE -- '--[a-z][a-z-]*' <<<"$manual")"
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
