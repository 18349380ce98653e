#!/usr/bin/env bash
# Builds the readers' fuzzers with clang in build-fuzz and runs them, sharing the time among them.
# Usage: scripts/fuzz.sh [seconds] [target...]
#   seconds  the whole run (default 60), shared evenly among the targets run
#   target   names from the list below (default: all of them); "scripts/fuzz.sh 600 settings" runs
#            one reader for ten minutes
# Exits non-zero when a fuzzer finds something; the input that broke it is left in
# build-fuzz/artifacts/NAME/.
set -euo pipefail

# Every reader that is fuzzed: fuzz/NAME_fuzz.cpp, seeds in fuzz/corpus/NAME/, an optional
# dictionary fuzz/NAME.dict. A new target is one more name here and one line in fuzz/CMakeLists.txt.
all_targets=(
    name_reading
    progression_text
    played_frets
    tuning_option
    settings
    lead_sheet
)

seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
for name in "${targets[@]}"; do
    [[ " ${all_targets[*]} " == *" $name "* ]] || { echo "fuzz.sh: no target $name (${all_targets[*]})" >&2; exit 2; }
done

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON -DCORVANE_GUI=OFF -DCORVANE_BENCH=OFF \
    -DCORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/%/_fuzz}"

share=$((seconds / ${#targets[@]}))
[ "$share" -ge 1 ] || share=1
for name in "${targets[@]}"; do
    echo "== fuzzing $name for $share s"
    # New inputs go to the build's own corpus; the seeds in the repository stay as they are.
    mkdir -p "$build/corpus/$name" "$build/artifacts/$name"
    seeds=()
    [ -d "$root/fuzz/corpus/$name" ] && seeds+=("$root/fuzz/corpus/$name")
    dict=()
    [ -f "$root/fuzz/$name.dict" ] && dict+=("-dict=$root/fuzz/$name.dict")
    "$build/fuzz/${name}_fuzz" \
        -max_total_time="$share" -max_len=512 -timeout=10 -print_final_stats=1 \
        "${dict[@]}" -artifact_prefix="$build/artifacts/$name/" \
        "$build/corpus/$name" "${seeds[@]}"
done
