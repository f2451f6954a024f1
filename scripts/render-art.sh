#!/usr/bin/env bash
# Renders the artwork sources app/art/*.svg to the PNG files the program
# compiles in, packs the hotkey window's three icon sizes into one .ico, and
# renders the desktop icon (the main window's drawing) at the sizes the
# installed program puts into the icon theme (dist/icons).
# The rendered files are committed, so a build never needs this script; run it
# after editing an SVG. Needs rsvg-convert (librsvg2-bin) and ImageMagick, and
# the fonts the banner names (DejaVu Sans, WenQuanYi Zen Hei).
set -euo pipefail
art="$(cd "$(dirname "$0")/../app/art" && pwd)"
icons="$(cd "$(dirname "$0")/../dist/icons" && pwd)"

render() { # source.svg size output.png
    rsvg-convert --width "$2" --height "$2" --keep-aspect-ratio "$art/$1" --output "$art/$3"
}

rsvg-convert --width 310 --height 65 "$art/banner.svg" --output "$art/banner.png"
render about16.svg 16 about16.png
render web16.svg 16 web16.png
render tip16.svg 16 tip16.png
render lock32.svg 32 lock32.png
render hand.svg 32 hand.png
render form1.svg 32 form1.png
render form2.svg 32 form2.png
for size in 48 32 16; do
    render form3.svg "$size" "form3-$size.png"
done
# One icon file with all three sizes, so the window manager picks the best fit.
convert "$art/form3-48.png" "$art/form3-32.png" "$art/form3-16.png" "$art/form3.ico"

for size in 16 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio "$art/form1.svg" --output "$icons/vorlin-$size.png"
done

# Strip the time stamps PNG writers add, so an unchanged drawing renders to an
# unchanged file.
for png in "$art"/*.png "$icons"/*.png; do
    mogrify -strip "$png"
done
# The Windows program's icon (its resource), from the same renderings.
convert "$icons/vorlin-256.png" "$icons/vorlin-48.png" "$icons/vorlin-32.png" "$icons/vorlin-16.png" "$icons/vorlin.ico"

echo "rendered into $art and $icons"
