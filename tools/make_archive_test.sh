#!/bin/sh
# Checks make_archive's build, check-exe and header commands: usage: make_archive_test.sh MAKE_ARCHIVE
tool="$1"
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
failures=0

# expect CODE PATTERN ARGS...: the tool exits with CODE and says PATTERN on stderr.
expect() {
    code="$1"; pattern="$2"; shift 2
    "$tool" "$@" 2>"$work/err" >/dev/null
    got=$?
    if [ "$got" -ne "$code" ]; then
        echo "FAIL: make_archive $*: expected exit $code, got $got ($(cat "$work/err"))"
        failures=$((failures + 1))
    elif [ -n "$pattern" ] && ! grep -q -- "$pattern" "$work/err"; then
        echo "FAIL: make_archive $*: expected stderr to mention '$pattern', got '$(cat "$work/err")'"
        failures=$((failures + 1))
    fi
}

printf '##\n19=Glowmere 1.77\n##\n##\n##=German\tDeutsch\n40=Mit Windows starten\n##=Englisch\tEnglish\n40=Start with Windows\n##\n' >"$work/a.txt"
printf '\377\376bad utf-8\n' >"$work/bad.txt"

expect 2 "usage"
expect 2 "usage" build "$work/a.txt"
expect 1 "cannot read" build "$work/missing.txt" "$work/out.bin"
expect 1 "not valid UTF-8" build "$work/bad.txt" "$work/out.bin"
expect 0 "" build "$work/a.txt" "$work/a.bin"

# The framed archive ends in 16 spaces of filler and the 44-byte end marker.
if [ "$(tail -c 60 "$work/a.bin" | head -c 16)" != "                " ]; then
    echo "FAIL: expected 16 spaces of filler before the end marker, saw: $(tail -c 60 "$work/a.bin" | head -c 16 | od -c | head -1)"
    failures=$((failures + 1))
fi

# An executable stand-in holding the archive once passes; twice, none or reversed fails.
{ printf 'MZ code'; cat "$work/a.bin"; printf 'more code'; } >"$work/once.exe"
cat "$work/once.exe" "$work/a.bin" >"$work/twice.exe"
printf 'MZ nothing' >"$work/none.exe"
tail -c 44 "$work/a.bin" >"$work/reversed.exe"
head -c 45 "$work/a.bin" >>"$work/reversed.exe"
expect 0 "" check-exe "$work/once.exe"
expect 1 "start marker 2 times" check-exe "$work/twice.exe"
expect 1 "end marker 0 times" check-exe "$work/none.exe"
expect 1 "does not follow" check-exe "$work/reversed.exe"
expect 1 "cannot read" check-exe "$work/missing.exe"

# header: names and texts must agree, and the caption must carry the version.
printf '# names\ncommon 19 Caption\ncommon 25 Note optional\n40 StartWithWindows\n' >"$work/names.txt"
printf '40 StartWithWindows\n41 RestoreAtStart\n' >"$work/extra-name.txt"
printf 'common 19 Caption\n' >"$work/no-name.txt"
printf '40 StartWithWindows\n40 Again\n' >"$work/twice.txt"
printf '40 startWithWindows\n' >"$work/lower.txt"
expect 0 "" header "$work/a.txt" "$work/names.txt" 1.77 "$work/ids.h"
grep -q '^constexpr int kTextStartWithWindows = 40;$' "$work/ids.h" &&
    grep -q '^constexpr int kCommonTextCaption = 19;$' "$work/ids.h" ||
    { echo "FAIL: header: expected kTextStartWithWindows = 40 and kCommonTextCaption = 19, got: $(cat "$work/ids.h")"
      failures=$((failures + 1)); }
expect 1 "asks for \"Glowmere 1.78\"" header "$work/a.txt" "$work/names.txt" 1.78 "$work/ids.h"
expect 1 "RestoreAtStart names text 41" header "$work/a.txt" "$work/extra-name.txt" 1.77 "$work/ids.h"
expect 1 "text 40 has no name" header "$work/a.txt" "$work/no-name.txt" 1.77 "$work/ids.h"
expect 1 "already taken" header "$work/a.txt" "$work/twice.txt" 1.77 "$work/ids.h"
expect 1 "CapitalisedName" header "$work/a.txt" "$work/lower.txt" 1.77 "$work/ids.h"

[ "$failures" -eq 0 ] && echo "make_archive: all checks passed"
exit "$failures"
