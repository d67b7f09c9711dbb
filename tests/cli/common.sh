# Sourced by the orvodata_*.sh scripts: a scratch home and data folder, and `expect`.
#   source common.sh ORVODATA
# Ends the run with the plain "N passed, N failed" line through `finish`.
orvodata=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work ORVO_PROGRAMDATA=$work/programdata
unset ORVO_REGISTRY ORVO_COMMON_PROGRAMS
passed=0 failed=0

# expect STATUS PATTERN -- ARGS...: exit status and a grep -E pattern over stdout+stderr.
expect() {
    local status=$1 pattern=$2; shift 3
    local out code
    out=$("$orvodata" "$@" 2>&1); code=$?
    if [ "$code" -eq "$status" ] && grep -qE -- "$pattern" <<<"$out"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: orvodata $* -> exit $code (want $status), output:"; echo "$out" | head -n 8
    fi
}

# verify DESCRIPTION COMMAND...: a check that is no orvodata call; passes when COMMAND does.
verify() {
    local what=$1; shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1)); echo "FAIL: $what"
    fi
}

finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
