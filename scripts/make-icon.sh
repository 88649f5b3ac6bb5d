#!/usr/bin/env bash
# Draws the editor's icon (app/morvane.ico): three sliders on a blue tile, at 16, 32 and 48 px.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 32 48; do
  s=$((size - 1))
  bar() {  # y of the bar, x of its knob, as fractions of 16
    local y=$(($1 * size / 16)) k=$(($2 * size / 16)) t=$((size / 16 > 0 ? size / 16 : 1))
    echo "-fill white -draw 'rectangle $((3 * size / 16)),$y $((13 * size / 16)),$((y + t))'" \
      "-fill '#f0c020' -draw 'rectangle $((k - t)),$((y - 2 * t)) $((k + t)),$((y + 3 * t))'"
  }
  eval /usr/bin/convert -size "${size}x${size}" xc:none -fill "'#1f4e8c'" \
    -draw "'roundrectangle 0,0 $s,$s $((size / 6)),$((size / 6))'" \
    "$(bar 4 6)" "$(bar 8 11)" "$(bar 12 8)" "PNG32:$work/icon-$size.png"
done
# 16 and 32 px in 16 colours with a plain mask, 4 bits a pixel, as icons of those sizes were
# made for Windows XP: a fifth of the bytes of 32-bit ones, in an editor that must stay small;
# 48 px keeps its smooth edges for the larger views of later Windows.
small() {  # png
  echo "( $1 -channel A -threshold 50% +channel -colors 15 )"
}
# shellcheck disable=SC2046
/usr/bin/convert $(small "$work/icon-16.png") $(small "$work/icon-32.png") "$work/icon-48.png" \
  app/morvane.ico
