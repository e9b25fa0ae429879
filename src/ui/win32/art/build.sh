#!/bin/sh
# Rebuilds the tree and toolbar button icons from their pixel sources (ImageMagick). The built
# icons are committed beside the program's other resources, so a build does not need this.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../../../app/win32/res"
for name in add_folder add_reply delete save_all; do
    convert "$here/$name.xpm" "$out/$name.ico"
done
