#!/usr/bin/env bash
# Regenerates the menu icons in packaging/icons/ from the launcher's logo: the
# wide logo centred on a transparent square of each size the desktop uses.
# Needs ImageMagick; run it by hand after changing resources/velt.png.
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 48 128 256; do
  convert resources/velt.png -resize "${size}x${size}" -background none \
    -gravity center -extent "${size}x${size}" -depth 8 -strip \
    "PNG32:packaging/icons/kydveltlauncher-$size.png"
done
