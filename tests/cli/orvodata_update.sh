#!/usr/bin/env bash
# orvodata update and nginx: the updater's message, the substitute updater beside orvodata, and
# the local web server deployed into the scratch data folder (started when no nginx runs).
set -u
source "$(dirname "$0")/common.sh" "$1"

expect 0 '"autoupdate": true'                    -- update --dry-run --auto
expect 0 '"language": "en",'                     -- update --dry-run --language en
expect 0 '"regeditversion": "6\.2\.1\.305"'      -- update --dry-run
expect 0 '"style": "3"'                          -- update --dry-run
expect 2 'unexpected argument "now"'             -- update now

# The substitute updater writes what it received; it is not waited for.
export ORVO_UPDATE_STUB_OUTPUT=$work/received.json
expect 0 '^started the updater .*/OrvoSoftwareUpdate$' -- update --language zh_CN
for _ in $(seq 50); do [ -s "$ORVO_UPDATE_STUB_OUTPUT" ] && break; sleep 0.1; done
verify "the updater received no message" grep -q '"language": "zh_CN"' "$ORVO_UPDATE_STUB_OUTPUT"

server="$work/programdata/OrvoUpdateService/nginx-1.16.0"
expect 0 'server: .*/nginx-1\.16\.0/nginx \(missing\)' -- nginx status
expect 0 '^copy: server in place$'               -- nginx deploy
expect 0 'content editor: .*index\.html \(present\)' -- nginx editor
expect 0 'content editor: .*index\.html \(present\)' -- nginx editor
expect 2 'nginx: unknown action "stop"'          -- nginx stop
expect 0 '^Usage: orvodata nginx deploy'         -- nginx deploy --help

# A real start on loopback, serving the deployed content editor, stopped again; skipped where
# another nginx already runs.
serves_editor() {
    local editor=$server/UpDate/contentEditor/editor/index.html
    for _ in $(seq 50); do
        { exec 3<>"/dev/tcp/127.0.0.1/$ORVO_NGINX_PORT"; } 2>/dev/null \
            && printf 'GET /contentEditor/editor/index.html HTTP/1.0\r\n\r\n' >&3 \
            && sed '1,/^\r$/d' <&3 | cmp -s - "$editor" && return 0
        exec 3<&-
        sleep 0.2
    done
    return 1
}
for _ in $(seq 50); do pgrep -x nginx >/dev/null || break; sleep 0.1; done
if ! pgrep -x nginx >/dev/null; then
    export ORVO_NGINX_PORT=$((20000 + RANDOM % 20000))
    chmod go+rx "$work" # nginx's workers run as another user when the test runs as root
    trap '[ -s "$server/logs/nginx.pid" ] && kill "$(cat "$server/logs/nginx.pid")"; rm -rf "$work"' EXIT
    expect 0 'running: pid [0-9]+'               -- nginx start
    verify "nginx does not serve the content editor" serves_editor
    expect 0 '^already running: nothing started' -- nginx start
else
    echo "SKIP: a process named nginx already runs"
fi

finish
