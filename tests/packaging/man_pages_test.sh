#!/usr/bin/env bash
# Every program has a manual page that troff reads without a warning, and the page of
# each tool describes every option its --help lists. Skipped (77) without groff.
# Usage: man_pages_test.sh BUILD_FOLDER
set -uo pipefail
BUILD=$(cd "$1" && pwd)
pages="$BUILD/packaging/man"
command -v groff > /dev/null || { echo "no groff: skipped"; exit 77; }
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for program in kestro kestro-lib kestro-sch kestro-netlist kestro-examples tarn graphon; do
    [ -x "$BUILD/bin/$program" ] || continue
    page="$pages/$program.1"
    [ -f "$page" ] || { fail "$program has no manual page"; continue; }
    warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "$program.1: $warnings"
    text=$(groff -man -Tascii -P-cbou "$page" 2> /dev/null)
    help=$(QT_QPA_PLATFORM=offscreen "$BUILD/bin/$program" --help 2> /dev/null)
    [ -n "$help" ] || fail "$program --help printed nothing"
    for option in $(grep -o -- '--[a-z][a-z-]*' <<< "$help" | sort -u); do
        [[ $text == *"$option"* ]] || fail "$program.1 does not describe $option"
    done
done
[ "$failures" -eq 0 ] || exit 1
echo "manual pages complete"
