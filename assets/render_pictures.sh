#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The ポムル developers
# Regenerates every rendered picture and icon in this folder from its source:
#   girl.svg, boy.svg, children.svg      -> *.gif  (palette GIFs with one transparent colour)
#   icon16.xpm                           -> icon16.png and the 16 px theme icon
#   icons/src/pomuru-{22,24,32}.xpm      -> the 22, 24 and 32 px theme icons
#   icons/hicolor/scalable/apps/pomuru.svg -> the 48, 64, 128 and 256 px theme icons
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert. The output is deterministic:
# no dithering noise and no time stamps or other metadata are written.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here"

for tool in rsvg-convert convert; do
  command -v "$tool" >/dev/null 2>&1 || { echo "render_pictures.sh: $tool is missing" >&2; exit 1; }
done

# The pictures are shown in a box with this light-yellow background.
box_bg='rgb(255,255,192)'

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# PNG output without time stamps, text chunks or other metadata.
# shellcheck disable=SC2054  # the commas are part of one option value
png_opts=(-strip -define png:exclude-chunks=date,time,tEXt,zTXt,iTXt)

# render_gif NAME WIDTH HEIGHT
# Renders NAME.svg at its exact pixel size, blends anti-aliased edges onto the box
# background, makes everything that is mostly empty fully transparent, and reduces
# the result to at most 255 opaque colours plus one transparent colour. The transparent
# palette entry holds the box colour too, so a viewer that ignores transparency still
# shows the right background.
render_gif() {
  local name=$1 width=$2 height=$3
  rsvg-convert --width "$width" --height "$height" --background-color none \
    "$name.svg" --output "$work/$name.png"
  convert "$work/$name.png" \
    \( -clone 0 -background "$box_bg" -alpha remove -alpha off \) \
    \( -clone 0 -alpha extract -threshold 50% \) \
    -delete 0 -alpha off -compose CopyOpacity -composite \
    -background "$box_bg" -alpha background \
    +dither -colors 255 \
    -transparent-color "$box_bg" \
    -strip "$name.gif"
  echo "wrote $name.gif"
}

render_gif girl 173 190
render_gif boy 226 239
render_gif children 213 227

theme=icons/hicolor

# pixel_png SOURCE.xpm TARGET.png: pixel art copied as is, as an indexed PNG.
pixel_png() {
  mkdir -p "$(dirname "$2")"
  convert "$1" "${png_opts[@]}" "PNG8:$2"
  echo "wrote $2"
}

pixel_png icon16.xpm icon16.png
pixel_png icon16.xpm "$theme/16x16/apps/pomuru.png"
for n in 22 24 32; do
  pixel_png "icons/src/pomuru-$n.xpm" "$theme/${n}x${n}/apps/pomuru.png"
done

for n in 48 64 128 256; do
  out="$theme/${n}x${n}/apps/pomuru.png"
  mkdir -p "$(dirname "$out")"
  rsvg-convert --width "$n" --height "$n" --background-color none \
    "$theme/scalable/apps/pomuru.svg" --output "$work/pomuru-$n.png"
  convert "$work/pomuru-$n.png" "${png_opts[@]}" "PNG32:$out"
  echo "wrote $out"
done

# Sanity check of everything just written (sizes, palettes, transparency).
if command -v python3 >/dev/null 2>&1; then
  python3 -B check_pictures.py
fi
