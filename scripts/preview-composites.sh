#!/usr/bin/env bash
# Pictures as the game puts them together, for judging the art: faces stacked from their four
# layers, the genome log with every page shown, and each verdict's animation as one strip.
#   scripts/preview-composites.sh DATA_FOLDER PREVIEW_FOLDER ASSETGEN
# (the log is left out while the data folder has no memoTile.bmp). The sheets are cut by the
# game's own layout of them, as `ASSETGEN --layout` prints it.
set -euo pipefail
usage="usage: preview-composites.sh DATA_FOLDER PREVIEW_FOLDER ASSETGEN"
data=${1:?$usage}
out=${2:?$usage}
assetgen=${3:?$usage}
mkdir -p "$out"

declare -A cell_w cell_h columns rows
while read -r file w h c r _; do
    cell_w[$file]=$w cell_h[$file]=$h columns[$file]=$c rows[$file]=$r
done < <("$assetgen" --layout)

face_key='#FE00FE'   # colour 6, the face sheet's key
sprite_key='#00FE01' # colour 215, the key of the memo and bonus sheets
panel='#E8E4D8'      # a light stand-in for the panel behind the face

# One cell of a sheet cut where the game cuts it, its key made transparent, as convert arguments.
cut() { # sheet column row key
    local name w h
    name=$(basename "$1")
    w=${cell_w[$name]} h=${cell_h[$name]}
    printf '%s\n' "(" "$1" -crop "${w}x$h+$(($2 * (w + 1) + 1))+$(($3 * (h + 1) + 1))" +repage \
        -transparent "$4" ")"
}
face_columns=${columns[FaceTile.BMP]} # ordinary pictures per layer; the special ones lie below

# A face from four frames (layers 0-3, frames 0-19) written to a PNG at the given scale.
face() { # png scale a b c d
    local png=$1 scale=$2 layer=0 args=()
    shift 2
    for frame in "$@"; do
        local row=$layer
        [ "$frame" -ge "$face_columns" ] && row=$((layer + 4))
        mapfile -t -O "${#args[@]}" args < <(cut "$data/FaceTile.BMP" $((frame % face_columns)) "$row" "$face_key")
        layer=$((layer + 1))
    done
    convert -size "${cell_w[FaceTile.BMP]}x${cell_h[FaceTile.BMP]}" "xc:$panel" "${args[@]}" -background none -flatten -scale "$scale" "$png"
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
stage=(convert "$data/background.bmp" -crop "${cell_w[background.bmp]}x${cell_h[background.bmp]}+1+1" +repage)
layer=0
for frame in 0 0 0 0; do
    mapfile -t -O "${#stage[@]}" stage < <(cut "$data/FaceTile.BMP" "$frame" "$layer" "$face_key")
    stage+=(-geometry +480+70 -composite)
    layer=$((layer + 1))
done
# One cell's stage and a one-pixel gap, tiled under the row as the cells lie in the sheet.
bonus=bonusTile.BMP
cell=${cell_w[$bonus]}
half=$((${columns[$bonus]} / 2 * (cell + 1))) # half a row of cells, each with the line after it
"${stage[@]}" -crop "${cell}x$cell+513+48" +repage -background '#808080' -extent "$((cell + 1))x$cell" \
    "$tmp/stage.png"
for row in $(seq 0 $((${rows[$bonus]} - 1))); do
    top=$((row * (cell + 1) + 1))
    convert -size "${half}x$((2 * cell))" "tile:$tmp/stage.png" \
        "(" "(" "$data/$bonus" -crop "${half}x$cell+1+$top" +repage ")" \
        "(" "$data/$bonus" -crop "${half}x$cell+$((half + 1))+$top" +repage ")" -append \
        -transparent "$sprite_key" ")" -composite -scale 300% \
        "$out/bonus-verdict-$(printf %02d $((row + 1))).png"
done

# The genome log as the game draws it: the pages of the codons found (here every other one) and
# the notebook last, over them, on the panel's paper.
[ -f "$data/memoTile.bmp" ] || exit 0
args=()
for page in $(seq 0 2 39); do
    mapfile -t -O "${#args[@]}" args < <(cut "$data/memoTile.bmp" $((page % ${columns[memoTile.bmp]})) $((page / ${columns[memoTile.bmp]})) "$sprite_key")
done
mapfile -t -O "${#args[@]}" args < <(cut "$data/memoTile.bmp" 0 4 "$sprite_key")
convert -size "${cell_w[memoTile.bmp]}x${cell_h[memoTile.bmp]}" 'xc:#EDE2C0' "${args[@]}" -background none -flatten -scale 300% \
    "$out/memo-all-pages.png"
