#!/usr/bin/env bash
# processes, windows, fullscreen and machine. Without a display the window answers are neutral.
set -u
source "$(dirname "$0")/common.sh" "$1"
unset DISPLAY XDG_CONFIG_HOME

expect 0 'PID'                                       -- processes
expect 0 '^[0-9]+$'                                  -- processes bash
expect 1 'no process named "BASH"'                   -- processes BASH
expect 2 'unexpected argument "two"'                 -- processes one two
expect 1 "process $$ has no visible top-level window" -- windows $$
expect 2 'PID must be a positive number'             -- windows 0
expect 2 'windows: missing arguments'                -- windows
expect 0 '^false$'                                   -- fullscreen

# The identifier is created in the application's settings file on first demand, then kept.
expect 0 'pcUid: [0-9]{1,6}$'                        -- --app-name Board machine
settings="$work/.config/Tesvari/Board/Config/config.ini"
expect 0 "\"settingsFile\": \"$settings\""            -- --app-name Board machine --json
puid=$(sed -n 's/^puid={\(.*\)}$/\1/p' "$settings" 2>/dev/null | tr -d -)
expect 0 "^pcGUID: ${puid:-missing}$"                -- --app-name Board machine
expect 0 '^Usage: orvodata machine'                   -- machine --help

finish
