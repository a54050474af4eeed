#!/usr/bin/env bash
# Renders the menu icon in the sizes a desktop menu asks for from
# packaging/icons/kvr27dust32.svg into packaging/icons/. Run it after changing the drawing and
# commit the result. Needs librsvg2-bin.
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 48 128 256; do
    rsvg-convert --width "$size" --height "$size" packaging/icons/kvr27dust32.svg --output "packaging/icons/kvr27dust32-$size.png"
done
