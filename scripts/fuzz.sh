#!/usr/bin/env bash
# Builds the chord-name reader's and the lead-sheet reader's fuzzers with clang in build-fuzz and runs
# them, half the time each. Usage: scripts/fuzz.sh [seconds]   (default 60). Exits non-zero when a
# fuzzer finds something; the input that broke it is left in build-fuzz/artifacts/.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON -DCORVANE_GUI=OFF -DCORVANE_BENCH=OFF >/dev/null
cmake --build "$build" --target name_reading_fuzz lead_sheet_fuzz -j2
lead_sheet_seconds=$((seconds / 2))

# New inputs go to the build's own corpus; the seeds in the repository stay as they are.
mkdir -p "$build/corpus" "$build/artifacts"
"$build/fuzz/name_reading_fuzz" \
    -max_total_time="$((seconds - lead_sheet_seconds))" -max_len=512 -timeout=10 -print_final_stats=1 \
    -dict="$root/fuzz/name_reading.dict" -artifact_prefix="$build/artifacts/" \
    "$build/corpus" "$root/fuzz/corpus"

mkdir -p "$build/lead_sheet_corpus"
"$build/fuzz/lead_sheet_fuzz" \
    -max_total_time="$lead_sheet_seconds" -max_len=256 -timeout=10 -print_final_stats=1 \
    -dict="$root/fuzz/lead_sheet.dict" -artifact_prefix="$build/artifacts/" \
    "$build/lead_sheet_corpus" "$root/fuzz/lead_sheet_corpus"
