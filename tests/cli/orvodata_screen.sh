#!/usr/bin/env bash
# orvodata screen, language and keyboard on a machine without a display, board or touch keyboard.
set -u
source "$(dirname "$0")/common.sh" "$1"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

expect 0 '^platform: offscreen$'                  -- screen
expect 0 '^pixsPerMm: 3\.779527'                  -- screen
expect 0 '^orvoScreen: false$'                    -- screen
expect 0 '"hardwareScreen": false'                -- screen --json
expect 2 'unexpected argument "x"'                -- screen x

expect 0 '^file: /.*/translations/OrvoKiv6_en_US\.qm$'   -- language OrvoKiv6 en_US
expect 0 '^language: English$'                           -- language OrvoKiv6 en_US
expect 0 '^language: 简体中文$'                           -- language OrvoPepBook fr_FR
expect 1 '^loaded: false$'                               -- language Nobody en_US
expect 2 'language: missing arguments'                   -- language OrvoKiv6

expect 0 '^\[virtualkeyboard\] Failed to open softkeyboard! : incorrect path$' -- keyboard show
expect 0 '^\[virtualkeyboard\] end show keyboard$'       -- keyboard show
expect 0 '^\[virtualkeyboard\] Failed to get keyboard rect! frameworkInputPane is NULL!$' -- keyboard hide
expect 2 'keyboard: unknown action "toggle"'             -- keyboard toggle
finish
