#!/usr/bin/env bash
# Drives the control gallery with real input and checks what its controls
# report. Usage: control_gallery.sh GALLERY_EXE OUTPUT_FOLDER
set -euo pipefail
exe=$1
e2e_out=$2
mkdir -p "$e2e_out"
e2e_log="$e2e_out/gallery.log"
rm -f "$e2e_log" "$e2e_out"/*.png
source "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh"
e2e_display

"$e2e_root/scripts/wine-run" "$exe" --log "Z:$e2e_log" --root "Z:$e2e_out/root/" >"$e2e_out/wine.out" 2>&1 &
e2e_program_pid=$!
e2e_wait_for '^ready$'
xdotool search --name '^Perix Control Gallery$' >/dev/null || e2e_fail "no gallery window"

# The gallery sits at (0, 0) without a frame: screen points are its client
# points (rectangles in GalleryImages.h).
normal='#406090'   # a button in the page images, by look
over='#5080D0'
page='#203040'

# Hover: the button shows its highlighted cut once the pointer is over it.
e2e_wait_pixel 25 25 "$normal"
e2e_move 80 36
e2e_wait_pixel 25 25 "$over"
e2e_move 300 420
e2e_wait_pixel 25 25 "$normal"

# A plain click.
e2e_click 80 36
e2e_wait_for '^command press$'

# Toggle mode: one click, one command, check mark flipped. The second click
# on another button makes sure nothing else was still on its way.
e2e_click 220 36
e2e_wait_for '^command toggle check=1$'
e2e_click 80 36
e2e_wait_for '^command press$' 2
e2e_expect_count '^command toggle' 1
e2e_click 220 36
e2e_wait_for '^command toggle check=0$'
e2e_expect_count '^command toggle' 2

# Slider 1..12 on a 404-pixel bar: its edges report the range's ends, each
# press and each release once.
e2e_click 423 267
e2e_wait_for '^slider pos=12 id=10001$' 2
e2e_click 20 267
e2e_wait_for '^slider pos=1 id=10001$' 2
# Drag the 14-pixel thumb 200 pixels right: left edge 200 of 390 -> 7.
e2e_move 26 265
xdotool mousedown 1
xdotool mousemove 100 265
xdotool mousemove 226 265
xdotool mouseup 1
e2e_wait_for '^slider pos=7 id=10001$'
e2e_expect_count '^slider ' 5

# Menu: items 24 pixels high from (400, 60), 160 wide; "Media" (2) and
# "Office" (3) have sub-menus, which open at x 560 level with their item.
e2e_click 450 36
e2e_wait_for '^menu open$'
e2e_move 450 115
e2e_wait_for '^submenu open item=2$'
# Along the item into the sub-menu, then down to "Stop" (sub-item 1).
for x in 500 540 570 600; do e2e_move $x 116; done
e2e_move 600 140
import -window root "$e2e_out/menu.png"
e2e_expect_count '^submenu closed$' 0
xdotool click 1
e2e_wait_for '^menu w=0x00020001 l=0x00130021 item=2 sub=1 command=19 value=33$'
e2e_wait_for '^menu closed$'

# Moving to another item closes the sub-menu; an item with its own opens it.
e2e_click 450 36
e2e_wait_for '^menu open$' 2
e2e_move 450 115
e2e_wait_for '^submenu open item=2$' 2
e2e_move 450 70
e2e_wait_for '^submenu closed$'
e2e_move 450 140
e2e_wait_for '^submenu open item=3$'
e2e_click 450 168
e2e_wait_for '^menu w=0x00040000 l=0x00070000 item=4 sub=0 command=7 value=0$'
e2e_wait_for '^menu closed$' 2

# A click elsewhere closes an open menu without choosing anything.
e2e_click 450 36
e2e_wait_for '^menu open$' 3
e2e_click 300 420
e2e_wait_for '^menu closed$' 3
e2e_expect_count '^menu w=' 2

# The coloured edit box reports each key release with its control ID, and
# the typing still lands in the box.
e2e_click 100 210
xdotool type --delay 50 'ab'
e2e_wait_for '^editkey key=0x41 id=20481 text=a$'
e2e_wait_for '^editkey key=0x42 id=20481 text=ab$'

# The mask cuts the window's bottom-right corner away: the bare screen shows.
e2e_move 300 420
import -window root "$e2e_out/gallery.png"
[ "$(e2e_pixel 630 470)" = '#000000' ] || e2e_fail "the masked corner is drawn"
[ "$(e2e_pixel 590 470)" = "$page" ] || e2e_fail "the page is not drawn next to the masked corner"
# The thumb (at 7: left edge 20 + 212) has the shape of its image: its
# key-colour corner is cut out and shows the bar.
[ "$(e2e_pixel 232 260)" != '#FF00FF' ] || e2e_fail "the thumb is not shaped"

e2e_click 570 36
e2e_wait_for '^closed result=1$'
wait "$e2e_program_pid" || e2e_fail "the gallery ended with status $?"
e2e_program_pid=""
echo "screenshots: $e2e_out/gallery.png $e2e_out/menu.png"
