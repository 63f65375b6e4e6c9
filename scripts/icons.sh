#!/usr/bin/env bash
# Renders the application icon packaging/icons/radio-programmer.svg into the PNG sizes of the
# hicolor theme (packaging/icons/NxN/radio-programmer.png). The PNGs are committed, so a build
# needs no SVG renderer; run this again after changing the SVG (needs librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
if ! command -v rsvg-convert >/dev/null; then
    echo "icons: rsvg-convert is missing: sudo apt-get install librsvg2-bin" >&2
    exit 1
fi
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio \
        --output "${size}x${size}/radio-programmer.png" radio-programmer.svg
done
echo "icons: rendered $(ls -d ./*x*/ | wc -l) sizes"
