#!/usr/bin/env bash
# Draws the splash picture dist/files/图片/flash.jpg (551 × 337) with ImageMagick: a dark blue
# field with faint ruled lines and a draw of seven lottery balls, five red front balls and two
# blue back balls. The picture is committed; run this only to change it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/dist/files/图片/flash.jpg"

args=(-size 551x337 "gradient:#0b1d4a-#123f63" -stroke "#21507a" -strokewidth 1)
for y in $(seq 20 24 330); do
    args+=(-draw "line 0,$y 551,$y")
done

# ball X Y COLOUR NUMBER: a ball of radius 26 at (X, Y) with a highlight and its number.
ball() {
    local x=$1 y=$2 colour=$3 number=$4
    args+=(-fill "$colour" -stroke "#00000060" -strokewidth 2 -draw "circle $x,$y $((x + 26)),$y")
    args+=(-fill "#ffffff50" -stroke none -draw "circle $((x - 9)),$((y - 10)) $((x - 1)),$((y - 10))")
    args+=(-fill white -font DejaVu-Sans-Bold -pointsize 20 -draw "text $((x - 13)),$((y + 8)) '$number'")
}

x=290
for n in 03 09 17 25 33; do
    ball $x 96 "#d62828" $n
    x=$((x + 56))
done
ball 402 156 "#1f4fd6" 04
ball 458 156 "#1f4fd6" 11

convert "${args[@]}" -quality 85 "$out"
echo "$out"
