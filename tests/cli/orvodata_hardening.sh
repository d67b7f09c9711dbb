#!/usr/bin/env bash
# Hostile input through the command-line host: special files, odd names and values, options
# after the command; each answered on stderr with the right status, nothing hanging.
set -u
source "$(dirname "$0")/common.sh" "$1"

mkfifo "$work/fifo"; mkdir "$work/noenv"
printf '[commonApp]\n1=A, B|b|c|d|e|f|thirdparty\n2="Quoted, fine|b|c|d|e|f|thirdparty"\n' >"$work/list.ini"
printf '[commonApp]\n1=\xc0\xff|b|c|d|e|f|thirdparty\n' >"$work/latin.ini"
printf '[g]\nk=@Variant(\\0\\0\\0\\x9\\x7f\\xff\\xff\\xff)\n' >"$work/poisoned.ini"

expect 0 'ZRWinAppUtils::appInstallInSystem'         -- scan --verbose
expect 0 "dataRootDir: $work/programdata/Board$"     -- paths --app-name Board
expect 2 'argument 3 is not valid UTF-8'             -- ini get "$work/$(printf '\xff').ini" g k

expect 1 'none.ini does not exist'                   -- ini get "$work/none.ini" g k
expect 1 'is not a regular file'                     -- ini get "$work" g k
expect 1 'is not a regular file'                     -- ini get "$work/fifo" g k
expect 1 'is not a regular file'                     -- json get "$work/fifo"
expect 1 'is not a regular file'                     -- json get /dev/zero
expect 1 'could not write "k" to /dev/zero'          -- ini write /dev/zero k v
expect 1 'poisoned.ini holds a value that cannot be read safely' -- ini get "$work/poisoned.ini" g k
expect 1 'could not write "g/k"'                     -- ini write "$work/poisoned.ini" g/k v

expect 1 'has no section "nope"'                     -- catalogue --section nope
expect 0 'the group is field 6'                      -- catalogue --explain --section teachingTools
expect 0 'unquoted comma makes Qt read the value as a list' -- catalogue --explain --file "$work/list.ini"
expect 0 'latin.ini is not valid UTF-8'              -- catalogue --explain --file "$work/latin.ini"
expect 1 'no catalogue to recognise against'         -- --env "$work/noenv" recognise Other C:/Other/other.exe
expect 0 '"recognisedBy": "isOrvoNewApp"'            -- recognise 演示 'C:\Program Files\Tesvari\OrvoDemoShell.exe'

expect 0 'SketchpadUpdate: dropped \(no DisplayName'    -- scan --explain
expect 0 'Player 12.1.*dropped, merged into .{0,2}Media Player' -- scan --explain
expect 0 'shortcut Calculator: kept as'              -- scan --explain

for timeout in 1e10 inf nan -1 x; do
    expect 2 'positive number of seconds'            -- scan --timeout "$timeout"
done
# A Start menu that takes longer to walk than the limit: the scan is stopped, not abandoned.
mkdir -p "$work"/big/{1..40}/{1..100}
export ORVO_COMMON_PROGRAMS=$work/big
expect 1 'no answer within 0.001 s'                  -- scan --timeout 0.001
unset ORVO_COMMON_PROGRAMS

finish
