#!/usr/bin/env bash
# Builds the fuzzers with clang in build-fuzz and runs them: the chord-name reader, then the song
# reader, which share the time.
# Usage: scripts/fuzz.sh [seconds]   (default 60). Exits non-zero when a fuzzer finds something;
# the input that broke it is left in build-fuzz/artifacts/.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON -DCORVANE_GUI=OFF -DCORVANE_BENCH=OFF >/dev/null
cmake --build "$build" --target name_reading_fuzz song_reading_fuzz -j2
song_seconds=$((seconds / 2))
seconds=$((seconds - song_seconds))

# New inputs go to the build's own corpus; the seeds in the repository stay as they are.
mkdir -p "$build/corpus" "$build/artifacts"
"$build/fuzz/name_reading_fuzz" \
    -max_total_time="$seconds" -max_len=512 -timeout=10 -print_final_stats=1 \
    -dict="$root/fuzz/name_reading.dict" -artifact_prefix="$build/artifacts/" \
    "$build/corpus" "$root/fuzz/corpus"

# Songs: the repository's own songs and sheets are the seeds.
mkdir -p "$build/song_corpus"
"$build/fuzz/song_reading_fuzz" \
    -max_total_time="$song_seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
    -dict="$root/fuzz/song_reading.dict" -artifact_prefix="$build/artifacts/song-" \
    "$build/song_corpus" "$root/tests/song/songs" "$root/tests/song/sheets"
