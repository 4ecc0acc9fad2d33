#!/usr/bin/env bash
# Plays the real game for a few seconds on a virtual X display and saves PNG screenshots of the
# opening, title and play screens into BUILD/screens/ (BUILD defaults to build; it must hold the
# built game and its data folder: ./run screens builds both).
set -euo pipefail
cd "$(dirname "$0")/.."

# Inside the virtual display (the script runs itself there): the game in its data folder, keys
# pressed through XTEST, screenshots of the whole screen.
if [ "${1:-}" = --inside ]; then
    game=$2 data=$3 out=$4
    # A key is held for a few frames, as a player does.
    press() { xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"; }
    # The player's folders are the screenshots' own, so a look at the game touches no one's scores.
    (cd "$data" && SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$out/player-data" \
        XDG_CONFIG_HOME="$out/player-config" exec "$game") &
    pid=$!
    window=$(xdotool search --sync --onlyvisible --class helixdash | head -1)
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    sleep 2
    import -window root "$out/opening.png"
    sleep 4.5 # the opening lasts 44 frames of 120 ms
    import -window root "$out/title.png"
    press space
    # Sweep the field row by row (the catcher keeps going the way it was last sent), catching
    # whatever lies in the way, so the face and the genome log fill up.
    steer() { press "$1"; sleep "$2"; }
    steer Up 0.6
    steer Left 0.6
    for row in 1 2 3; do
        steer Right 2.4
        steer Down 0.25
        steer Left 2.4
        steer Down 0.25
    done
    import -window root "$out/play.png"
    press Escape
    wait "$pid"
    exit
fi

build=$(realpath "${1:-build}")
game=$build/app/helixdash
data=$build/data
out=$build/screens
for needed in "$game" "$data/bonusTile.BMP"; do
    [ -e "$needed" ] || { echo "screenshots: $needed is missing; build the game first" >&2; exit 1; }
done
mkdir -p "$out"

xvfb-run -a -s "-screen 0 640x480x24" bash "$0" --inside "$game" "$data" "$out"
echo "screenshots: $out/opening.png $out/title.png $out/play.png"
