#!/usr/bin/env bash
# Installs the build into a staging folder (DESTDIR) and runs the installed programs from there,
# as a user who cannot write the shared folder: they must find what they ship with under
# share/radio-programmer, and the desktop program must keep what it stores in the user's own
# copy of Program.ini, never in the shipped one.
#
#   installed_programs.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1
source=$2
version=$3

stage=$(mktemp -d)
trap 'chmod -R u+w "$stage" 2>/dev/null; rm -rf "$stage"' EXIT
chmod 755 "$stage"
DESTDIR="$stage/root" cmake --install "$build" --prefix /usr >/dev/null
bin=$stage/root/usr/bin
share=$stage/root/usr/share/radio-programmer
chmod -R a-w "$share"

home=$stage/home
mkdir -p "$home/config" "$home/data" "$home/runtime" "$home/readonly" "$home/work"
chmod 700 "$home/runtime"
chmod 555 "$home/readonly"

# The superuser writes anywhere; the programs then run as an ordinary user.
as_user=()
if [ "$(id -u)" = 0 ]; then
    chown -R nobody:nogroup "$home"
    chmod 555 "$home/readonly"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# run CONFIG_DIR PROGRAM ARGS...: output in $out, errors in $err, status in $status.
run() {
    local config=$1
    shift
    set +e
    out=$(cd "$home/work" && "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$config" \
        XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
        LSAN_OPTIONS="suppressions=$source/scripts/lsan.supp:print_suppressions=0" "$@" 2>"$stage/err")
    status=$?
    set -e
    err=$(cat "$stage/err")
}

expect() { # expect DESCRIPTION CONDITION...
    local what=$1
    shift
    "$@" || fail "$what (status $status, out: $out, err: $err)"
}
contains() { [[ $1 == *"$2"* ]]; }

for program in radioprog radio-sim radio-programmer; do
    run "$home/config" "$bin/$program" --version
    expect "$program --version" [ "$status" = 0 ]
    expect "$program --version names $version" [ "$out" = "$program $version" ]
done

run "$home/config" "$bin/radio-programmer" --help
expect "radio-programmer --help" [ "$status" = 0 ]
expect "... prints the usage without a window" contains "$out" "--language NAME"

run "$home/config" "$bin/radioprog" new new.dat
expect "radioprog new finds the band list in the share folder" contains "$out" "band 0 136 - 174MHz"
run "$home/config" "$bin/radioprog" show new.dat
expect "radioprog show" contains "$out" "Type: HT-16 (0)"

run "$home/config" "$bin/radio-programmer" --screenshot "$home/work/first.png"
expect "the desktop program starts from the share folder" [ "$status" = 0 ]
expect "... in the shipped language" contains "$out" "Radio Programmer"

run "$home/config" "$bin/radio-programmer" --language Chinese --screenshot "$home/work/switch.png"
expect "the language switch keeps running" [ "$status" = 0 ]
expect "... and starts in the new language" contains "$out" "对讲机编程软件"
expect "the switch is stored in the user's copy" grep -q "^Language=Chinese" "$home/config/Radio Programmer/Program.ini"
expect "the shipped Program.ini is untouched" cmp -s "$share/Program.ini" "$source/res/Program.ini"

run "$home/config" "$bin/radio-programmer" --screenshot "$home/work/next.png"
expect "the next start uses the user's copy" contains "$out" "对讲机编程软件"

run "$home/readonly" "$bin/radio-programmer" --language Chinese --screenshot "$home/work/readonly.png"
expect "with no folder to keep the choice, the switch says so" contains "$err" "the language could not be saved"
expect "... and the program keeps running" [ "$status" = 0 ]
expect "... in the language it had" contains "$out" "Radio Programmer"
expect "... showing its window" [ -s "$home/work/readonly.png" ]

if [ "$failures" != 0 ]; then
    exit 1
fi
echo "installed programs: all checks passed"
