#!/usr/bin/env bash
# Installs the build into a temporary root and checks the tree, then moves the tree elsewhere and
# plays the game from it: it must find its data beside itself, keep its scores in the player's
# folder and never write into its data folder.
#   bash install_tree.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1 build=$2

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() {
    echo "install_tree: $*" >&2
    exit 1
}

DESTDIR=$tmp "$cmake" --install "$build" --prefix /usr >/dev/null

# Exactly these files: no libraries, headers, test programs or score file slip in.
expected=(
    usr/bin/helixdash
    usr/share/applications/net.helixdash.HelixDash.desktop
    usr/share/metainfo/net.helixdash.HelixDash.metainfo.xml
    usr/share/man/man6/helixdash.6.gz
    usr/share/doc/helixdash/README.md
    usr/share/doc/helixdash/LICENSE
    usr/share/doc/helixdash/copyright
    usr/share/doc/helixdash/changelog.gz
)
for size in 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/helixdash.png")
done
for file in BrindleTile.BMP TitleBack.bmp background.bmp FaceTile.BMP memoTile.bmp \
    DNAStrand2.BMP chromoTile.bmp CatcherTile.BMP bonusTile.BMP Untitled4.WAV untitled.WAV \
    untitled2.WAV untitled3.WAV untitled5.WAV untitled6.WAV untitled7.WAV mainPalette.PAL; do
    expected+=("usr/share/helixdash/$file")
done
installed=$(cd "$tmp" && find usr ! -type d | LC_ALL=C sort)
wanted=$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)
if [ "$installed" != "$wanted" ]; then
    diff <(echo "$wanted") <(echo "$installed") >&2 || true
    fail "the installed files differ from the expected list (diff above: < missing, > unexpected)"
fi
[ -x "$tmp/usr/bin/helixdash" ] || fail "the program is not executable"

# Each icon is a PNG of the size its folder names: width and height open the IHDR chunk.
for size in 32 48 64 128 256; do
    icon=$tmp/usr/share/icons/hicolor/${size}x${size}/apps/helixdash.png
    read -r -a b <<<"$(od -An -tu1 -N24 "$icon" | tr '\n' ' ')"
    [ "${b[*]:0:8}" = "137 80 78 71 13 10 26 10" ] || fail "icon ${size}x$size is not a PNG"
    width=$(((b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19]))
    height=$(((b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23]))
    [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] ||
        fail "icon ${size}x$size is ${width}x$height"
done

# The moved tree has no compiled-in data folder and the working folder holds nothing of the
# game's: the program can only find its data as ../share/helixdash beside itself.
mv "$tmp/usr" "$tmp/moved"
data=$tmp/moved/share/helixdash
mkdir "$tmp/work" "$tmp/xdg" "$tmp/cfg" "$tmp/cache" "$tmp/home"
# Every entry's name and every file's checksum: a new, removed or rewritten file shows.
snapshot() {
    cd "$data"
    find . | LC_ALL=C sort
    find . -type f -exec sha256sum {} + | LC_ALL=C sort
}
before=$(snapshot)

status=0
(cd "$tmp/work" &&
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME=$tmp/xdg XDG_CONFIG_HOME=$tmp/cfg \
        XDG_CACHE_HOME=$tmp/cache HOME=$tmp/home \
        timeout -s TERM 2 "$tmp/moved/bin/helixdash" --window >/dev/null 2>"$tmp/stderr") ||
    status=$?

# 124: still playing when the timeout's SIGTERM ended it, normally.
[ "$status" -eq 0 ] || [ "$status" -eq 124 ] ||
    fail "the game exited with status $status: $(cat "$tmp/stderr")"
[ ! -s "$tmp/stderr" ] || fail "the game wrote to stderr: $(cat "$tmp/stderr")"
[ -f "$tmp/xdg/helixdash/scores.brd" ] || fail "no score file in \$XDG_DATA_HOME/helixdash"
[ "$(snapshot)" = "$before" ] || fail "the game changed its data folder"
[ -z "$(ls -A "$tmp/work")" ] || fail "the game wrote into its working folder: $(ls -A "$tmp/work")"
