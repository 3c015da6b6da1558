#!/usr/bin/env bash
# Drives plenwick in a virtual X server: chooses 直線 on the drawing palette, clicks two red
# points of a drawing (the magnet snaps to them; between them the tool's right-click menu is
# opened and closed), saves with the keyboard and finds exactly one
# line between the two points in plenwick-cli's JSON dump; then 元に戻す and another save leave
# no line.
#   line_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

# Two filled red points on the current layer, 100 mm apart.
e2e_drawing_from_json <<'JSON'
{"header": {"drawingName": "line e2e", "paperSize": 4, "scale": 1},
 "block": {"areaMin": [0, 0, 0], "areaMax": [297, 210, 0]},
 "entities": [
  {"kind": 11, "subKind": 0, "codes": [10, 20, 30], "values": [0, 0, 20]},
  {"kind": 10, "subKind": 1, "lineAttr": 7, "colour": 255, "codes": [10, 20], "values": [90, 110]},
  {"kind": 10, "subKind": 1, "lineAttr": 7, "colour": 255, "codes": [10, 20], "values": [190, 110]}]}
JSON

cat >"$work/lines.py" <<'PY'
# Prints the lines (kind 20) of a plenwick-cli JSON dump, one "x1 y1 x2 y2" per line.
import json, sys
for e in json.load(sys.stdin)["entities"]:
    if e["kind"] == 20:
        print(*e["values"])
PY

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

# Centres "x y" of the red blobs on the screen, left to right.
red_blobs() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -alpha off -fuzz 15% -fill black +opaque red -fill white -opaque red \
    -define connected-components:verbose=true -define connected-components:area-threshold=4 \
    -connected-components 8 null: 2>/dev/null |
    awk '$NF ~ /255,255,255|gray\(255\)|white/ { split($3, c, ","); printf "%d %d\n", c[1] + 0.5, c[2] + 0.5 }' | sort -n
}

e2e_open_drawing

step "直線 on the drawing palette"
e2e_palette_family 80

step "the two red points"
blobs=""
for _ in $(seq 1 40); do
  blobs=$(red_blobs)
  [ "$(echo "$blobs" | grep -c .)" -eq 2 ] && break
  sleep 0.25
done
[ "$(echo "$blobs" | grep -c .)" -eq 2 ] || fail "expected two red points on the screen, found: $blobs"
read -r ax ay <<<"$(echo "$blobs" | sed -n 1p)"
read -r bx by <<<"$(echo "$blobs" | sed -n 2p)"

step "click them"
# Slightly off each point: the magnet must bring the click onto it.
xdotool mousemove $((ax + 2)) $((ay + 1)) click 1
sleep 0.3

step "the tool's right-click menu, closed again"
# The menu must not keep the view thinking the right button is down: the next left click would
# start a zoom range instead of ending the line.
xdotool mousemove $((ax + 40)) $((ay + 40)) click 3
sleep 0.5
xdotool key Escape
sleep 0.3
xdotool mousemove $((bx + 20)) $((by + 5)) sleep 0.2 mousemove $((bx - 1)) $((by + 2)) sleep 0.2 click 1
sleep 0.5

step "save with the keyboard"
focus "$main"
xdotool key ctrl+s
for _ in $(seq 1 40); do
  "$cli" dump --json "$work/drawing.pwk" >"$work/dump.json" 2>/dev/null && python3 "$work/lines.py" <"$work/dump.json" >"$work/lines.txt" && [ -s "$work/lines.txt" ] && break
  sleep 0.25
done
[ "$(grep -c . "$work/lines.txt")" -eq 1 ] || { cat "$work/lines.txt"; fail "expected one line after saving"; }
read -r x1 y1 x2 y2 <"$work/lines.txt"
python3 - "$x1" "$y1" "$x2" "$y2" <<'PY' || fail "the line is not the 100 mm line between the points: $x1 $y1 $x2 $y2"
import math, sys
x1, y1, x2, y2 = map(float, sys.argv[1:])
assert sorted([(x1, y1), (x2, y2)]) == [(90.0, 110.0), (190.0, 110.0)]
assert math.hypot(x2 - x1, y2 - y1) == 100.0
PY

step "元に戻す and save again"
xdotool key ctrl+z
sleep 0.3
xdotool key ctrl+s
for _ in $(seq 1 40); do
  "$cli" dump --json "$work/drawing.pwk" >"$work/dump.json" 2>/dev/null && python3 "$work/lines.py" <"$work/dump.json" >"$work/lines.txt" && [ ! -s "$work/lines.txt" ] && break
  sleep 0.25
done
[ ! -s "$work/lines.txt" ] || { cat "$work/lines.txt"; fail "the line is still there after undo and saving"; }
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
