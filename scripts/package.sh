#!/usr/bin/env bash
# Builds the Windows release: the program (release build), a per-user installer made with NSIS,
# and a portable archive, both named after the version in the top-level CMakeLists.txt.
# Usage: scripts/package.sh [--bin DIR] [--out DIR]
#   --bin DIR   package the programs already built in DIR instead of building them
#   --out DIR   where Textwright-VERSION-setup.exe and -portable.zip go (default build/release)
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$TW_ROOT"

bin="" out="$TW_ROOT/build/release"
while [ $# -gt 0 ]; do
    case "$1" in
    --bin) bin=$(cd "${2:?--bin needs a folder}" && pwd); shift 2 ;;
    --out) out=${2:?--out needs a folder}; shift 2 ;;
    *) echo "usage: scripts/package.sh [--bin DIR] [--out DIR]" >&2; exit 2 ;;
    esac
done

version=$(sed -nE 's/^project\(Textwright VERSION ([0-9]+\.[0-9]+\.[0-9]+)[ )].*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package.sh: no VERSION in the project() line" >&2; exit 1; }

if [ -z "$bin" ]; then
    tw_need_packages "${TW_BASE_PACKAGES[@]}" g++-mingw-w64-x86-64-posix nsis zip imagemagick
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j "$(nproc)" --target Textwright KeybDll twlib
    bin="$TW_ROOT/build/windows/bin"
else
    tw_need_packages nsis zip imagemagick
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
app="$stage/Textwright"
mkdir -p "$app" "$out"
out=$(cd "$out" && pwd)
for f in Textwright.exe KeybDll.dll twlib.exe; do
    [ -f "$bin/$f" ] || { echo "package.sh: $bin/$f is missing" >&2; exit 1; }
    cp "$bin/$f" "$app/"
done
# Symbols only: half the download, the same program.
if command -v x86_64-w64-mingw32-strip >/dev/null; then
    x86_64-w64-mingw32-strip "$app"/*.exe "$app"/*.dll
fi
# The help files come from another build step; a release without them is still a release.
for f in Textwright.chm TextwrightTutors.chm; do
    if [ -f "$bin/$f" ]; then cp "$bin/$f" "$app/"; else echo "package.sh: no $f, packaged without it"; fi
done
# The sample library from the sources: the copy in the bin folder may have been edited by a run.
cp -r Replies "$app/Replies"
find "$app/Replies" -name '.git*' -delete
cp installer/README.txt "$app/README.txt"

setup="$out/Textwright-$version-setup.exe"
zip="$out/Textwright-$version-portable.zip"
bash art/icon/make_wizard_bitmap.sh "$stage/wizard.bmp"
makensis -V2 -NOCD -DVERSION="$version" -DSTAGE="$app" -DOUTFILE="$setup" \
    -DICON="$TW_ROOT/src/app/win32/res/textwright.ico" -DWIZARD_BITMAP="$stage/wizard.bmp" \
    installer/textwright.nsi
rm -f "$zip"
(cd "$stage" && zip -q -r -X "$zip" Textwright)
echo "Built $setup"
echo "Built $zip"
