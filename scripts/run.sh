#!/usr/bin/env bash
# Builds the program and starts it. Arguments are passed to corvane-chords.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target corvane-chords corvane-cli

exec build/app/corvane-chords "$@"
