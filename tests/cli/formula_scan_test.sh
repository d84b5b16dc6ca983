#!/usr/bin/env bash
# formula-scan end to end: standard output byte for byte, standard error and exit code.
# Usage: formula_scan_test.sh EXPECTED-DIR [EMULATOR...] FORMULA-SCAN
set -u
expected=$1
shift
cli=("$@")
# A Windows build writes its lines with CR LF, and its command line ends at
# 32,767 characters.
windows=0
case "${cli[-1]}" in *.exe) windows=1 ;; esac
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# check NAME EXIT STDOUT-FILE STDERR-TEXT -- ARGS...
check() {
    local name=$1 code=$2 out=$3 err=$4
    shift 5
    "${cli[@]}" "$@" >"$work/out" 2>"$work/err"
    local got=$?
    if [ "$windows" -eq 1 ]; then
        sed -i 's/\r$//' "$work/out" "$work/err"
    fi
    if [ "$got" -ne "$code" ]; then
        echo "FAIL $name: exit $got, expected $code"; failures=$((failures + 1)); return
    fi
    if ! cmp -s "$work/out" "$out"; then
        echo "FAIL $name: standard output differs"; diff "$out" "$work/out" | head -n 5
        failures=$((failures + 1)); return
    fi
    if [ "$(cat "$work/err")" != "$err" ]; then
        echo "FAIL $name: standard error is '$(head -c 200 "$work/err")'"; failures=$((failures + 1)); return
    fi
    echo "ok   $name"
}

overflow="formula-scan: Floating point overflow."
printf 'Начальный угол:  1.8E+0308\nКонечный угол: 89.99\n' >"$work/after-write-back"
printf 'Начальный угол: 0.00\nКонечный угол: 0.00\n1 максимальных отклонений:\n0.0000 => 0.0000  d=0.0000\n' >"$work/empty-fields"
: >"$work/nothing"
digits=$(head -c 100000 /dev/zero | tr '\0' '9')
letters=$(head -c 100000 /dev/zero | tr '\0' 'z')

check "default run"             0 "$expected/default.txt" "" --
check "exchange, then limits"   0 "$expected/default.txt" "" -- 100 -5
check "negative start"          0 "$expected/default.txt" "" -- -5 100
check "empty fields"            0 "$work/empty-fields" "" -- "" ""
check "first reading overflows" 1 "$work/nothing" "$overflow" -- 1e400 5
check "end overflows"           1 "$work/nothing" "$overflow" -- 5 -1e400
check "second reading overflows" 1 "$work/after-write-back" "$overflow" -- 1.79e308 1.79e308
if [ "$windows" -eq 0 ]; then
    check "100000 digits"       1 "$work/nothing" "$overflow" -- "$digits"
    check "100000 letters"      0 "$work/empty-fields" "" -- "$letters" "$letters"
fi
check "three arguments"         2 "$work/nothing" "$("${cli[@]}" --help | tr -d '\r')" -- 1 2 3

# --samples: the CSV of the range the fields would show, and only that.
"${cli[@]}" --samples >"$work/samples" 2>&1
{ [ "$(head -n 2 "$work/samples")" = $'angle,value,d\n0,0,0' ] && [ "$(wc -l <"$work/samples")" -eq 9000 ] &&
    ! grep -q $'\r' "$work/samples" && [ "$(tail -n 1 "$work/samples" | cut -d, -f1)" = 89.98000000000913 ]; } &&
    echo "ok   samples of the defaults" || { echo "FAIL samples of the defaults"; failures=$((failures + 1)); }
printf 'angle,value,d\n0,0,0\n' >"$work/one-sample"
check "samples: normalised first" 0 "$work/samples" "" -- --samples 100 -5
check "samples: empty fields"   0 "$work/one-sample" "" -- --samples "" ""
check "samples: start overflows" 1 "$work/nothing" "$overflow" -- --samples 1e400
check "samples: second reading overflows" 1 "$work/nothing" "$overflow" -- --samples 1.79e308 1.79e308
check "samples: three arguments" 2 "$work/nothing" "$("${cli[@]}" --help | tr -d '\r')" -- --samples 1 2 3
"${cli[@]}" --samples 12.3456 12.4 | cut -d, -f1 | tr '\n' ' ' >"$work/angles"
[ "$(cat "$work/angles")" = "angle 12.35 12.36 12.37 12.379999999999999 12.389999999999999 12.399999999999999 " ] &&
    echo "ok   samples from the start read back" || { echo "FAIL samples from the start read back: $(cat "$work/angles")"; failures=$((failures + 1)); }
# Anywhere but first it is an angle text, which reads as 0.
check "--samples as an angle text" 0 "$work/empty-fields" "" -- 0 --samples

"${cli[@]}" --help | grep -q '^Usage: formula-scan \[START \[END\]\]' && "${cli[@]}" --help | grep -q '^       formula-scan --samples \[START \[END\]\]' &&
    echo "ok   --help" || { echo "FAIL --help"; failures=$((failures + 1)); }
"${cli[@]}" --version | grep -qE '^formula-scan [0-9]+\.[0-9]+' && echo "ok   --version" || { echo "FAIL --version"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ]
