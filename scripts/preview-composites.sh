#!/usr/bin/env bash
# Pictures as the game puts them together, for judging the art: faces stacked from their four
# layers, the genome log with every page shown, and each verdict's animation as one strip.
#   scripts/preview-composites.sh DATA_FOLDER PREVIEW_FOLDER
# (the log is left out while the data folder has no memoTile.bmp)
set -euo pipefail
data=${1:?usage: preview-composites.sh DATA_FOLDER PREVIEW_FOLDER}
out=${2:?usage: preview-composites.sh DATA_FOLDER PREVIEW_FOLDER}
mkdir -p "$out"

face_key='#FE00FE'   # colour 6, the face sheet's key
sprite_key='#00FE01' # colour 215, the key of the memo and bonus sheets
panel='#E8E4D8'      # a light stand-in for the panel behind the face

# One cell of a sheet cut where the game cuts it, its key made transparent, as convert arguments.
cut() { # sheet cell_width cell_height column row key
    local left=$(($4 * ($2 + 1) + 1)) top=$(($5 * ($3 + 1) + 1))
    printf '%s\n' "(" "$1" -crop "$2x$3+$left+$top" +repage -transparent "$6" ")"
}

# A face from four frames (layers 0-3, frames 0-19) written to a PNG at the given scale.
face() { # png scale a b c d
    local png=$1 scale=$2 layer=0 args=()
    shift 2
    for frame in "$@"; do
        local row=$layer
        [ "$frame" -ge 10 ] && row=$((layer + 4))
        mapfile -t -O "${#args[@]}" args < <(cut "$data/FaceTile.BMP" 128 128 $((frame % 10)) "$row" "$face_key")
        layer=$((layer + 1))
    done
    convert -size 128x128 "xc:$panel" "${args[@]}" -background none -flatten -scale "$scale" "$png"
}

# The themes as the judging rules name them.
face "$out/face-clown.png" 300% 10 10 10 10
face "$out/face-pirate.png" 300% 11 12 11 10
face "$out/face-robot.png" 300% 12 14 18 14
face "$out/face-alien.png" 300% 17 15 12 12
face "$out/face-martian.png" 300% 19 19 19 19

# A grid of random faces (fixed seed: the same grid every run), mostly ordinary pictures.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
awk 'BEGIN { srand(7); for (i = 0; i < 20; i++) { line = "";
        for (l = 0; l < 4; l++) { f = int(rand() * 10); if (rand() < 0.25) f += 10; line = line " " f }
        print line } }' >"$tmp/frames"
n=0
while read -r a b c d; do
    face "$tmp/$(printf %02d $n).png" 100% "$a" "$b" "$c" "$d"
    n=$((n + 1))
done <"$tmp/frames"
montage "$tmp"/[0-9]*.png -tile 5x4 -geometry +4+4 -background '#283C5A' -scale 200% \
    "$out/faces-random.png"

# Each verdict's row: cells 0-12 over cells 13-25, over what the game shows behind the badge at
# (513, 48): the panel and the top of the face box, with an ordinary face in it.
stage=(convert "$data/background.bmp" -crop 640x480+1+1 +repage)
layer=0
for frame in 0 0 0 0; do
    mapfile -t -O "${#stage[@]}" stage < <(cut "$data/FaceTile.BMP" 128 128 "$frame" "$layer" "$face_key")
    stage+=(-geometry +480+70 -composite)
    layer=$((layer + 1))
done
# One cell's stage and a one-pixel gap, tiled under the row as the cells lie in the sheet.
"${stage[@]}" -crop 64x64+513+48 +repage -background '#808080' -extent 65x64 "$tmp/stage.png"
for row in $(seq 0 12); do
    top=$((row * 65 + 1))
    convert -size 845x128 "tile:$tmp/stage.png" \
        "(" "(" "$data/bonusTile.BMP" -crop "845x64+1+$top" +repage ")" \
        "(" "$data/bonusTile.BMP" -crop "845x64+846+$top" +repage ")" -append \
        -transparent "$sprite_key" ")" -composite -scale 300% \
        "$out/bonus-verdict-$(printf %02d $((row + 1))).png"
done

# The genome log as the game draws it: the pages of the codons found (here every other one) and
# the notebook last, over them, on the panel's paper.
[ -f "$data/memoTile.bmp" ] || exit 0
args=()
for page in $(seq 0 2 39); do
    mapfile -t -O "${#args[@]}" args < <(cut "$data/memoTile.bmp" 128 256 $((page % 10)) $((page / 10)) "$sprite_key")
done
mapfile -t -O "${#args[@]}" args < <(cut "$data/memoTile.bmp" 128 256 0 4 "$sprite_key")
convert -size 128x256 'xc:#EDE2C0' "${args[@]}" -background none -flatten -scale 300% \
    "$out/memo-all-pages.png"
