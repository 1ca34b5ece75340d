#!/usr/bin/env bash
# Regenerates the default skin from its sources: every file of assets/skins,
# assets/Strings.xml, the program's bitmaps and icon in assets/res, and the
# contact sheet assets/skin-src/contact-sheet.png (previews of every window go
# to build/skin-preview). Control rectangles come from the program's layout
# table through tools/layout-dump, which is built first.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

# rsvg-convert renders the drawings, ImageMagick writes the JPEG and the
# previews, fonts-wine has the Tahoma the previews use.
"$root/scripts/setup.sh" librsvg2-bin imagemagick fonts-wine python3

cd "$root"
cmake --preset linux >/dev/null
cmake --build --preset linux --target layout-dump >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/linux/bin/layout-dump >"$work/layout.json"
python3 "$here/generate.py" --layout "$work/layout.json" --assets "$root/assets" --preview "$root/build/skin-preview"
echo "Skin written to assets/; previews in build/skin-preview; contact sheet assets/skin-src/contact-sheet.png"
