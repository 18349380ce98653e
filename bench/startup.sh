#!/usr/bin/env bash
# Runs startup_bench under a virtual display with the sound on. Without a sound server it starts a
# private PulseAudio with a null output (needs pulseaudio and pulseaudio-utils) for the run.
#   bench/startup.sh [build-dir] [runs]      (default: build, 3)
set -euo pipefail

build_dir=${1:-build}
runs=${2:-3}
bench="$build_dir/bench/startup_bench"
[ -x "$bench" ] || { echo "startup.sh: build $bench first" >&2; exit 2; }

started_server=
if ! pactl info >/dev/null 2>&1; then
    pulseaudio --daemonize=yes --exit-idle-time=-1 --system=false -n \
        --load=module-null-sink --load=module-native-protocol-unix --load=module-always-sink >/dev/null
    started_server=yes
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
fi
trap '[ -n "$started_server" ] && pulseaudio --kill' EXIT

# One display for every run, so that its own start is not counted.
xvfb-run -a bash -c 'for run in $(seq "$2"); do
    echo "== run $run"
    CORVANE_LAUNCH_NS=$(date +%s%N) "$1"
done' _ "$bench" "$runs"
