#!/usr/bin/env bash
# Installs the Debian packages one use of HELIX DASH needs, when they are missing.
#   bash scripts/setup-debian.sh play|test|package|all
#     play     build the game and its data, and play it
#     test     play + the test suites, the house rules and the install checks
#     package  play + building the Debian package
#     all      everything: the above + benchmarks, fuzzing, screenshots and previews
# Idempotent and quiet; run as root or as a user with sudo, on Debian 12.
set -euo pipefail

play=(
    g++ cmake ninja-build pkg-config
    # platform, graphics, sound, text; the font is found through fontconfig at run time
    libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libfontconfig-dev zlib1g-dev
    fonts-dejavu-core
)
test=(
    git googletest libgtest-dev libbenchmark-dev clang-format
    # the music tests play MIDI through FluidSynth, which needs a sound font
    timgm6mb-soundfont
    # the install checks: menu entry, metadata and manual page validators
    desktop-file-utils appstream dpkg-dev man-db
)
package=(
    # cpack's DEB generator: dpkg-shlibdeps finds the libraries, file tells it which are programs
    dpkg-dev file
)
extra=(
    # fuzzing the file readers (libFuzzer with ASan + UBSan)
    clang libclang-rt-14-dev
    # looking at the real window (screenshots) and the contact sheets of the pictures
    xvfb xauth xdotool imagemagick
    # measuring the generated sounds
    sox
)

case "${1:-}" in
    play) packages=("${play[@]}") ;;
    test) packages=("${play[@]}" "${test[@]}") ;;
    package) packages=("${play[@]}" "${package[@]}") ;;
    all) packages=("${play[@]}" "${test[@]}" "${package[@]}" "${extra[@]}") ;;
    *)
        echo "usage: bash scripts/setup-debian.sh play|test|package|all" >&2
        exit 2
        ;;
esac

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
