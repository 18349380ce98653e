#!/usr/bin/env bash
# Runs the same random corvane-session lines through two builds, on the six-string guitar and with
# every other instrument chosen first, and compares the answers line by line.
#
#     scripts/compare_sessions.sh OLD_SESSION NEW_SESSION [COUNT]
#
# Exit status 1 when any answer differs; the first differing line of each run is shown.
set -u
old=$1
new=$2
count=${3:-2000}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
failed=0
for instrument in "" 7-string-guitar ukulele baritone-ukulele tenor-guitar mandolin; do
    python3 "$here/session_cases.py" "$count" 2026 $instrument >"$work/cases.jsonl"
    "$old" <"$work/cases.jsonl" >"$work/old.jsonl" 2>/dev/null
    "$new" <"$work/cases.jsonl" >"$work/new.jsonl" 2>/dev/null
    lines=$(wc -l <"$work/old.jsonl")
    if cmp -s "$work/old.jsonl" "$work/new.jsonl"; then
        echo "${instrument:-guitar}: $lines answers, identical"
    else
        failed=1
        echo "${instrument:-guitar}: answers differ"
        diff "$work/old.jsonl" "$work/new.jsonl" | head -4 | cut -c1-400
    fi
done
exit $failed
