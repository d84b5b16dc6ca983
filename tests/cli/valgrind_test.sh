#!/usr/bin/env bash
# formula-scan under valgrind's memcheck, for a success and for the overflow
# failure before and after the write-back: no memory error, nothing lost.
set -u
cli=$1
log=$(mktemp)
trap 'rm -f "$log"' EXIT
failures=0

# run EXPECTED-EXIT ARGS...
run() {
    local expected=$1
    shift
    valgrind --leak-check=full --error-exitcode=1 --log-file="$log" "$cli" "$@" >/dev/null 2>&1
    local got=$?
    if [ "$got" -ne "$expected" ] || ! grep -q 'ERROR SUMMARY: 0 errors' "$log" \
        || ! grep -qE 'in use at exit: 0 bytes|definitely lost: 0 bytes' "$log"; then
        echo "FAIL formula-scan $*: exit $got"; grep -E 'ERROR SUMMARY|lost|in use' "$log"
        failures=$((failures + 1))
    else
        echo "ok   formula-scan $*"
    fi
}

run 0
run 1 1e400 5
run 1 1.79e308 1.79e308
run 1 5 "$(head -c 10000 /dev/zero | tr '\0' '9')"
[ "$failures" -eq 0 ]
