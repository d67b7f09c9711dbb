#!/usr/bin/env bash
# scan --desktop on this machine: the desktop programs that scripts/install-deps.sh installs.
set -u
source "$(dirname "$0")/common.sh" "$1"

icons=$work/icons
expect 0 '"appName": "Mousepad"'                              -- scan --desktop --image-dir "$icons"
expect 0 "\"image\": \"$icons/qalculate.png\""                -- scan --desktop --image-dir "$icons"
expect 0 "\"imageFolder\": \"$work/programdata/OrvoKiv6/appImage/\"" -- scan --desktop
expect 0 'galculator.desktop: dropped: no "Name\[zh_CN\]=" value' -- scan --desktop --explain
expect 0 'mousepad-settings.desktop: dropped: category word "Settings"' -- scan --desktop --explain
expect 0 'org.xfce.mousepad.desktop: kept'                    -- scan --desktop --explain
expect 0 '^Usage: orvodata scan'                              -- scan --desktop --help
expect 2 'unexpected argument "extra"'                        -- scan --desktop extra

# The copies are real files, and the default folder was created on demand.
for icon in "$icons/org.xfce.mousepad.png" "$icons/qalculate.png" "$work/programdata/OrvoKiv6/appImage/qalculate.png"; do
    if [ -s "$icon" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: no icon $icon"; fi
done

finish
