#!/usr/bin/env bash
# Draws the kit's pictures into this folder and the menu icons into icons/ (render_artwork,
# built with the kit), and joins the frames of the GIF pictures with ImageMagick. The results are committed; run this
# again only to change the pictures.   needs: a built kit, imagemagick, fonts-thai-tlwg
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD_DIR:-$here/../build}
cmake --build "$build" --target render_artwork
frames=$(mktemp -d)
mkdir -p "$frames/frames"
QT_QPA_PLATFORM=offscreen "$build/assets/render_artwork" "$frames"
cp "$frames"/*.png "$here/"
mkdir -p "$here/icons"
cp "$frames"/icons/* "$here/icons/"
convert "$frames/frames/dictionary_background-0.png" "$here/dictionary_background.gif"
convert -delay 50 -loop 0 "$frames"/frames/credits_temple-*.png "$here/credits_temple.gif"
rm -rf "$frames"
