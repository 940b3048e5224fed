#!/bin/sh
# Checks the lzari tool's handling of good and bad input: usage: lzari_tool_test.sh LZARI
lzari="$1"
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
failures=0

# expect CODE PATTERN ARGS...: the tool exits with CODE and says PATTERN on stderr
# (an empty PATTERN: says nothing).
expect() {
    code="$1"; pattern="$2"; shift 2
    "$lzari" "$@" 2>"$work/err" >/dev/null
    got=$?
    if [ "$got" -ne "$code" ]; then
        echo "FAIL: lzari $*: expected exit $code, got $got ($(cat "$work/err"))"
        failures=$((failures + 1))
    elif [ -z "$pattern" ] && [ -s "$work/err" ]; then
        echo "FAIL: lzari $*: expected no message, got '$(cat "$work/err")'"
        failures=$((failures + 1))
    elif [ -n "$pattern" ] && ! grep -q -- "$pattern" "$work/err"; then
        echo "FAIL: lzari $*: expected stderr to mention '$pattern', got '$(cat "$work/err")'"
        failures=$((failures + 1))
    fi
}

expect 2 "usage"
expect 2 "usage" squeeze "$work/a" "$work/b"
expect 1 "cannot open" decode "$work/missing" "$work/out"
expect 1 "cannot open" encode "$work/missing" "$work/out"
expect 1 "cannot read" decode "$work" "$work/out"

printf 'abc' >"$work/short"
expect 1 "truncated" decode "$work/short" "$work/out"

# 0x7FFFFFFF declared bytes: above the sane limit.
printf '\377\377\377\177\000\000' >"$work/huge"
expect 1 "limit" decode "$work/huge" "$work/out"

# 100000 declared bytes from 2 stream bytes: more than 60 bytes per bit.
printf '\240\206\001\000\000\000' >"$work/overlong"
expect 1 "at most 960" decode "$work/overlong" "$work/out"
if [ -e "$work/out" ]; then
    echo "FAIL: a refused decode left an output file"
    failures=$((failures + 1))
fi

# Round trip through both commands.
i=0
while [ $i -lt 200 ]; do echo "line $i: the quick brown fox jumps over the lazy dog"; i=$((i + 1)); done >"$work/text"
expect 0 "" encode "$work/text" "$work/text.lzari"
expect 0 "" decode "$work/text.lzari" "$work/text.back"
if ! cmp -s "$work/text" "$work/text.back"; then
    echo "FAIL: decode(encode(text)) differs from text"
    failures=$((failures + 1))
fi
expect 1 "cannot create" encode "$work/text" "$work/no/such/dir/out"

[ "$failures" -eq 0 ] && echo "all lzari tool checks passed"
[ "$failures" -eq 0 ]
