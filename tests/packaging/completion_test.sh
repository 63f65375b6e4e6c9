#!/usr/bin/env bash
# Checks the bash completion of radioprog: each case is a command line, the cursor at its end,
# and the words the completion must offer, in any order.
#   completion_test.sh PATH/TO/completion/radioprog
set -uo pipefail
completion=${1:?usage: completion_test.sh COMPLETION_FILE}
# shellcheck source=/dev/null
source "$completion" || exit 1

work=$(mktemp -d)
stubs=$(mktemp -d)
trap 'rm -rf "$work" "$stubs"' EXIT
cd "$work" || exit 1
mkdir folder
touch club.dat BIG.DAT list.csv report.pdf Program.ini notes.txt
# A radioprog that lists two plans, for the plan names.
printf '#!/bin/sh\nprintf "Name    Region\\nPMR446  EU\\nMURS    US\\n"\n' >"$stubs/radioprog"
chmod +x "$stubs/radioprog"
PATH=$stubs:$PATH

failures=0
# check 'COMMAND LINE' 'EXPECTED WORDS': the line is split as bash splits it for completion
# (at blanks, and '=' as a word of its own); a line ending in a blank completes an empty word.
check() {
    local line=$1 expected=$2
    local spaced=${line//=/ = }
    local -a words
    read -ra words <<<"$spaced"
    [[ $line == *" " || $line == *"=" ]] && words+=("")
    COMP_WORDS=("${words[@]}")
    COMP_CWORD=$((${#words[@]} - 1))
    COMPREPLY=()
    _radioprog
    local got want
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort | tr '\n' ' ')
    want=$(printf '%s\n' $expected | sed '/^$/d' | sort | tr '\n' ' ')
    if [[ $got != "$want" ]]; then
        echo "FAIL: '$line'"
        echo "  expected: $want"
        echo "  got:      $got"
        failures=$((failures + 1))
    fi
}

all_commands="new show diff read write history restore fleet channel set export import plan check print ports help"

check 'radioprog ' "$all_commands"
check 'radioprog p' 'plan print ports'
check 'radioprog --' '--help --version --ini'
check 'radioprog --ini ' 'folder Program.ini'
check 'radioprog --ini Program.ini ch' 'channel check'
check 'radioprog help ' "$all_commands"
check 'radioprog nonsense ' ''
# Operands: the files each command takes.
check 'radioprog new ' 'folder club.dat BIG.DAT'
check 'radioprog show c' 'club.dat'
check 'radioprog show club.dat ' ''
check 'radioprog diff club.dat ' 'folder club.dat BIG.DAT'
check 'radioprog diff club.dat club.dat ' ''
check 'radioprog print ' 'folder club.dat BIG.DAT'
check 'radioprog export ' 'folder club.dat BIG.DAT'
check 'radioprog export club.dat ' 'folder list.csv'
check 'radioprog export club.dat list.csv ' ''
check 'radioprog import ' 'folder list.csv'
check 'radioprog import list.csv ' 'folder club.dat BIG.DAT'
check 'radioprog write --port COM1 ' 'folder club.dat BIG.DAT'
check 'radioprog write --port COM1 club.dat ' ''
check 'radioprog ports ' ''
check 'radioprog fleet ' 'write check'
check 'radioprog fleet check ' 'folder club.dat BIG.DAT'
check 'radioprog fleet write club.dat --port COM1 --log ' 'folder list.csv'
check 'radioprog plan ' 'list show apply'
check 'radioprog plan show ' 'PMR446 MURS'
check 'radioprog plan apply ' 'folder club.dat BIG.DAT'
check 'radioprog plan apply club.dat --from 3 M' 'MURS'
check 'radioprog plan list ' ''
check 'radioprog check ' 'folder club.dat BIG.DAT'
# Options of each command, and --ini and --help everywhere.
check 'radioprog new -' '--type --band --ini --help'
check 'radioprog show club.dat --' '--json --lang --ini --help'
check 'radioprog read -' '--port --output --retries --trace --ini --help'
check 'radioprog write -' '--port --no-backup --no-verify --retries --trace --force --dry-run --changed-only --ini --help'
check 'radioprog restore --no' '--no-backup --no-verify'
check 'radioprog history -' '--json --ini --help'
check 'radioprog channel club.dat 1 --' '--delete --ini --help'
check 'radioprog set club.dat -' '--ini --help'
check 'radioprog print club.dat --' '--pdf --lang --ini --help'
check 'radioprog ports --' '--json --watch --ini --help'
check 'radioprog plan apply club.dat PMR446 --' '--json --lang --from --channels --replace-all --ini --help'
check 'radioprog check club.dat --' '--json --lang --ini --help'
# Option values, given as the next word or after '='.
check 'radioprog read --port ' 'COM1 COM2 COM3 COM4'
check 'radioprog read --port=CO' 'COM1 COM2 COM3 COM4'
check 'radioprog read --port COM1 --output ' 'folder club.dat BIG.DAT'
check 'radioprog read --output=' 'folder club.dat BIG.DAT'
check 'radioprog print club.dat --pdf ' 'folder report.pdf'
check 'radioprog show club.dat --lang ' 'English Chinese'
check 'radioprog print club.dat --lang C' 'Chinese'
check 'radioprog read --trace n' 'notes.txt'
check 'radioprog new club.dat --type ' ''
# channel: the image, the channel number, then FIELD= words and their values.
check 'radioprog channel ' 'folder club.dat BIG.DAT'
check 'radioprog channel club.dat 1' '1 10 11 12 13 14 15 16'
check 'radioprog channel club.dat 3 ' 'rx= tx= rx-tone= tx-tone= width= scan= busy-lock= power='
check 'radioprog channel club.dat 3 rx=145.5 t' 'tx= tx-tone='
check 'radioprog channel club.dat 3 width=' 'wide narrow'
check 'radioprog channel club.dat 3 rx=145.5 busy-lock=c' 'carrier'
check 'radioprog channel club.dat 3 power=' 'high low'
check 'radioprog channel --port=COM1 club.dat 3 scan=' 'yes no'
check 'radioprog channel club.dat 3 rx=' ''
# set: KEY= words and their values.
check 'radioprog set club.dat ' 'tot= squelch= vox= vox-gain= vox-delay= voice= priority= monitor= beep= battery-saver= type= band='
check 'radioprog set club.dat vox' 'vox= vox-gain= vox-delay='
check 'radioprog set club.dat voice=' 'off chinese english'
check 'radioprog set club.dat tot=60 monitor=m' 'monitor momentary'
check 'radioprog set club.dat vox-delay=1' '1.0 1.5'
check 'radioprog set club.dat priority=1' '1 10 11 12 13 14 15 16'

if ((failures > 0)); then
    echo "$failures completion cases failed"
    exit 1
fi
echo "all completion cases passed"
