#!/usr/bin/env bash
# The command-line host on the sample environment: answers, exit status, one-line errors.
set -u
source "$(dirname "$0")/common.sh" "$1"

expect 0 '^Usage: orvodata'                      -- --help
expect 2 'unknown command "bogus"'               -- bogus
expect 2 'missing command'                       --
expect 2 'unknown option "--nope"'               -- --nope paths
expect 2 'environment folder .* does not exist'  -- --env "$work/none" paths
expect 0 "dataRootDir: $work/programdata/Board$" -- --app-name Board paths
expect 0 '"logRootDir": ".*/OrvoKiv6/Log"'      -- paths --json
expect 2 'unexpected argument "extra"'           -- paths extra

expect 0 '^$'                                    -- ini set "$work/a.ini" screen mode wide
expect 0 '^wide$'                                -- ini get "$work/a.ini" screen mode
expect 0 '^fallback$'                            -- ini get "$work/a.ini" screen size fallback
expect 0 '^$'                                    -- ini write "$work/a.ini" startup/puid 42
expect 0 '^42$'                                  -- ini get "$work/a.ini" startup puid
expect 1 'could not write "g/k" to /proc/x.ini'  -- ini set /proc/x.ini g k v
expect 2 'ini get: missing arguments'            -- ini get "$work/a.ini"
expect 2 'ini: unknown action "put"'             -- ini put

expect 0 '^/usr/bin/env$'                        -- reg get 'HKLM\SOFTWARE\Tesvari\OrvoKiv6' StartShellPath
expect 0 '^OrvoUpdateService$'                   -- reg keys 'HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari' --view 32
expect 1 'no value "Nope"'                       -- reg get 'HKLM\SOFTWARE\Tesvari\OrvoKiv6' Nope
expect 2 '--view takes 32 or 64'                 -- reg keys 'HKLM\SOFTWARE' --view 16

echo '[1, 2]' >"$work/a.json"; echo '{]' >"$work/bad.json"; echo '[]' >"$work/empty.json"
expect 0 '^array$'                               -- json get "$work/a.json"
expect 0 '^array$'                               -- json get "$work/empty.json"
expect 1 'holds no valid JSON'                    -- json get "$work/bad.json"
expect 1 'does not exist'                        -- json get "$work/none.json"

expect 0 '^J$'                                   -- initial 教师
expect 0 '^z$'                                   -- initial zoe
expect 2 'TEXT is empty'                         -- initial ''

expect 0 '"appPath": "/usr/bin/env"'             -- catalogue --section commonApp
expect 0 '"teachingTools"'                       -- catalogue
expect 0 'OrvoPepBook counts as installed'       -- catalogue --explain --section commonApp
expect 0 'not an application: 4 field'           -- catalogue --explain --section teachingTools
expect 1 'catalogue file .* does not exist'      -- catalogue --file "$work/none.ini"
expect 0 '"title": "桌面应用"'                   -- section "$(dirname "$0")/../../env/defconfigs/launcherSections.ini" desktop
expect 0 '"recognisedBy": "isOrvoNewApp"'        -- recognise 演示 'C:/Program Files/Tesvari/OrvoDemoShell.exe'
expect 0 '"recognisedBy": null'                  -- recognise Other C:/Other/other.exe

expect 0 '"name": "Dodivuri 课件"'               -- scan
expect 2 'positive number of seconds'            -- scan --timeout 0

finish
