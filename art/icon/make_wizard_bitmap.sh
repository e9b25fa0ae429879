#!/usr/bin/env bash
# Draws the side picture of the installer's first and last pages (164 x 314, as the installer
# expects): the program icon from large.mvg on a pale blue gradient.
# Usage: make_wizard_bitmap.sh OUT.bmp
set -euo pipefail
out=${1:?usage: make_wizard_bitmap.sh OUT.bmp}
here=$(cd "$(dirname "$0")" && pwd)
command -v convert >/dev/null || { echo "make_wizard_bitmap.sh: ImageMagick's convert is needed" >&2; exit 1; }
# 112 px icon, 26 px from the left edge and 48 px from the top (112 / 256 = 0.4375).
convert -size 164x314 gradient:'#FFFFFF-#C9DDF6' \
    -draw "translate 26,48 scale 0.4375,0.4375 $(grep -v '^#' "$here/large.mvg")" \
    -type TrueColor "BMP3:$out"
