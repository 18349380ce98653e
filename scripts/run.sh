#!/usr/bin/env bash
# Builds the program and starts it; only what building and running need is installed, and the
# tests and benchmarks are not built. Arguments are passed to corvane-chords.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF
cmake --build build -j"$(nproc)" --target corvane-chords corvane-cli

exec build/app/corvane-chords "$@"
