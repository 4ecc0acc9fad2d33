#!/usr/bin/env bash
# Installs the Debian packages that HELIX DASH builds, tests and runs with, when they are missing.
# Idempotent and quiet; run as root or as a user with sudo, on Debian 12.
set -euo pipefail

packages=(
    # build and test
    g++ cmake ninja-build pkg-config git
    googletest libgtest-dev libbenchmark-dev clang-format
    # fuzzing the file readers (libFuzzer with ASan + UBSan)
    clang libclang-rt-14-dev
    # platform, graphics, sound, text
    libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev
    fonts-dejavu-core timgm6mb-soundfont
    # looking at the real window (checks and screenshots)
    xvfb xauth xdotool imagemagick
    # measuring the generated sounds
    sox
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
        exit 1
    fi
    as_root=(sudo)
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
