#!/bin/sh
# Renders the program's icons (resources/icons/*.svg, drawn on a 24 px grid)
# to the 16 and 24 px PNGs the resource file holds: Qt here reads no SVG.
set -eu
cd "$(dirname "$0")/../resources/icons"
for svg in *.svg; do
  name=${svg%.svg}
  for size in 16 24; do
    convert -background none -density 96 "$svg" -resize "${size}x${size}" "PNG32:${name}_${size}.png"
  done
done
