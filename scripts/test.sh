#!/usr/bin/env bash
# Builds everything and runs every test, headless.
#   scripts/test.sh                 release build in build/
#   BUILD_DIR=... CMAKE_ARGS=... scripts/test.sh   another build (CI uses this for the sanitizer pass)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --tests

build_dir=${BUILD_DIR:-build}
read -r -a extra_args <<< "${CMAKE_ARGS:-}"

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON -DCORVANE_TESTS=ON \
    -DCORVANE_BENCH=ON "${extra_args[@]}"
cmake --build "$build_dir" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)" --timeout 300
