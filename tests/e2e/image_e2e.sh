#!/usr/bin/env bash
# Drives plenwick in a virtual X server through the picture tool: 画像貼付け on the drawing
# palette, a first corner on the red line's start and the second on the blue lines' crossing
# (both met by the magnet), the path of a green PNG made by ImageMagick typed into the dialog
# 画像ファイル指定. The screen shows green inside the rectangle; after Ctrl+S plenwick-cli's dump
# holds one picture (kind 80) with the corners and the path, and Plenwick.ini remembers the file.
#   image_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3
e2e_lines_drawing "image e2e"
convert -size 90x10 xc:'#00c000' "$work/green.png"

cat >"$work/check.py" <<'PY'
# Checks a plenwick-cli JSON dump: one picture from (40, 60) to (220, 70) placing green.png.
import json, sys
entities = json.load(open(sys.argv[1]))["entities"]
images = [e for e in entities if e["kind"] == 80]
assert len(images) == 1, images
assert images[0]["values"] == [40, 60, 220, 70], images[0]["values"]
assert images[0]["text"] == sys.argv[2], images[0]["text"]
PY

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

e2e_open_drawing
e2e_find_red_line

step "画像貼付け on the drawing palette"
e2e_on_palette 80 94  # the picture family: the third button of the fourth row
focus "$main"

step "corners on the red line's start and on the crossing of the blue lines"
e2e_click_near 40 60 3 -2
e2e_click_near 220 70 2 3

step "the picture chosen in 画像ファイル指定"
dialog=$(window '画像ファイル指定' 15) || fail "no picture file dialog"
focus "$dialog"
xdotool type --delay 10 "$work/green.png"
xdotool key Return
for _ in $(seq 1 20); do window '画像ファイル指定' 1 --onlyvisible >/dev/null || break; done
sleep 1

step "green inside the rectangle on the screen"
read -r gx gy <<<"$(e2e_pixel 130 65)"
import -window root "$work/screen.png"
colour=$(convert "$work/screen.png" -format "%[pixel:p{$gx,$gy}]" info:)
case "$colour" in
  *"0,192,0"*|*"00C000"*) ;;
  *) fail "the picture's centre shows $colour, not its green" ;;
esac

step "Ctrl+S: one picture with the corners and the path; Plenwick.ini remembers it"
e2e_save_and_check "$work/green.png"
grep -q "OpenDir=$work/green.png" "$PLENWICK_HOME/Plenwick.ini" || fail "Plenwick.ini does not remember the picture"
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
