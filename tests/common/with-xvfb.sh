#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private virtual X server, started for it and stopped
# after it. Xvfb picks a free display number itself (-displayfd), so parallel runs never clash.
#
#   tests/common/with-xvfb.sh COMMAND [ARGUMENTS...]
#
# Exit status: the command's; 1 when Xvfb is missing or does not start.
set -u
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "with-xvfb: Xvfb not found (Debian package xvfb)" >&2
    exit 1
fi
dir=$(mktemp -d "${TMPDIR:-/tmp}/orvo-xvfb.XXXXXX") || exit 1
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$dir"' EXIT
for _ in $(seq 200); do
    [ -s "$dir/display" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.05
done
if [ ! -s "$dir/display" ]; then
    echo "with-xvfb: Xvfb did not start:" >&2
    cat "$dir/log" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$dir/display")"
"$@"
