#!/usr/bin/env bash
# Installs the Debian packages that are missing:
#   scripts/install-deps.sh            what building and running the program need
#   scripts/install-deps.sh --tests    that, and what the tests, the fuzzer and the benchmarks need
# Safe to run again: it does nothing when everything is present. Not root and no sudo: it prints
# the one command to run as root and stops.
set -euo pipefail

run_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
    libfluidsynth-dev timgm6mb-soundfont
    libcli11-dev nlohmann-json3-dev
)
test_packages=(
    qt6-tools-dev qt6-tools-dev-tools
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-dev clang-format
    xvfb xauth desktop-file-utils appstream dpkg-dev file shared-mime-info libxml2-utils
    fonts-dejavu-core
    libxtst-dev xdotool pulseaudio pulseaudio-utils
)

packages=("${run_packages[@]}")
case "${1:-}" in
--tests) packages+=("${test_packages[@]}") ;;
"") ;;
*)
    echo "usage: $0 [--tests]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    # sudo without a password, or with one when someone is at the terminal to type it.
    if command -v sudo >/dev/null && { sudo -n true 2>/dev/null || { [ -t 0 ] && sudo -v; }; }; then
        sudo_cmd=(sudo)
    else
        echo "These packages are missing. Install them as root, then run this again:" >&2
        echo "  apt-get install ${missing[*]}" >&2
        exit 1
    fi
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
