#!/usr/bin/env bash
# Draws the program icon from small.mvg (16, 20, 24 px) and large.mvg (32, 48, 256 px) with
# ImageMagick and writes them into one .ico.
# Usage: make_icon.sh OUT.ico
set -euo pipefail
out=${1:?usage: make_icon.sh OUT.ico}
here=$(cd "$(dirname "$0")" && pwd)
command -v convert >/dev/null || { echo "make_icon.sh: ImageMagick's convert is needed" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The drawing is passed inline: Debian's ImageMagick policy forbids reading "@file" arguments.
draw() { # SIZE GRID MVG
    local scale
    scale=$(awk -v s="$1" -v g="$2" 'BEGIN { printf "%.6f", s / g }')
    convert -size "$1x$1" xc:none -depth 8 \
        -draw "scale $scale,$scale $(grep -v '^#' "$3")" "PNG32:$tmp/$1.png"
}
for size in 16 20 24; do draw "$size" 16 "$here/small.mvg"; done
for size in 32 48 256; do draw "$size" 256 "$here/large.mvg"; done

# No time stamps inside, so that drawing twice gives the same bytes.
convert "$tmp"/{16,20,24,32,48,256}.png -define png:exclude-chunks=date,time "$tmp/icon.ico"
mv "$tmp/icon.ico" "$out"
