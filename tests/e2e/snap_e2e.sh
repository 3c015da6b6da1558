#!/usr/bin/env bash
# Drives plenwick in a virtual X server on a drawing without point elements: with the magnet on,
# 直線 from just off a line's midpoint to just off the crossing of two lines, then from just off
# the new line's own midpoint to just off a circle's top; with the magnet switched off by its tool
# button, the first two clicks again. After 上書き保存 plenwick-cli's dump must hold the first two
# lines exactly on those points and the third where the mouse was.
#   snap_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

# A red line (midpoint (100, 60)), two blue lines crossing at (220, 70), a green circle (top
# (100, 180)).
e2e_drawing_from_json <<'JSON'
{"header": {"drawingName": "snap e2e", "paperSize": 4, "scale": 1},
 "block": {"areaMin": [0, 0, 0], "areaMax": [297, 210, 0]},
 "entities": [
  {"kind": 20, "lineAttr": 7, "colour": 255, "codes": [10, 20, 11, 22], "values": [40, 60, 160, 60]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [180, 30, 260, 110]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [180, 110, 260, 30]},
  {"kind": 30, "lineAttr": 7, "colour": 65280, "codes": [10, 20, 40], "values": [100, 150, 30]}]}
JSON

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

# Moves to pixel ($1, $2) in two steps, as a hand does, then clicks.
click_at() { xdotool mousemove $(($1 + 12)) $(($2 + 9)) sleep 0.2 mousemove "$1" "$2" sleep 0.2 click 1; sleep 0.4; }

e2e_open_drawing

step "直線 on the drawing palette"
e2e_palette_family 80

step "where the drawing is on the screen"
red="" blue="" green="" magnet=""
for _ in $(seq 1 40); do
  import -window root "$work/screen.png"
  red=$(largest_blob "$work/screen.png" 'rgb(255,0,0)' 10%)
  blue=$(largest_blob "$work/screen.png" 'rgb(0,0,255)' 10%)
  green=$(largest_blob "$work/screen.png" 'rgb(0,255,0)' 10%)
  magnet=$(largest_blob "$work/screen.png" 'rgb(190,30,30)' 4%)
  [ -n "$red" ] && [ -n "$blue" ] && [ -n "$green" ] && [ -n "$magnet" ] && break
  sleep 0.25
done
[ -n "$red" ] && [ -n "$blue" ] && [ -n "$green" ] && [ -n "$magnet" ] ||
  fail "drawing or magnet button not found: red '$red' blue '$blue' green '$green' magnet '$magnet'"
read -r rw rh rx ry <<<"$red"
read -r bw bh bx by <<<"$blue"
read -r gw gh gx gy <<<"$green"
read -r mw mh mx my <<<"$magnet"
[ "$rw" -gt 100 ] || fail "the red line is only $rw pixels long"
# Screen pixels of the model points aimed at.
mid_x=$((rx + rw / 2)) mid_y=$((ry + rh / 2))        # (100, 60)
cross_x=$((bx + bw / 2)) cross_y=$((by + bh / 2))    # (220, 70)
top_x=$((gx + gw / 2)) top_y=$gy                     # (100, 180)
new_x=$(((mid_x + cross_x) / 2)) new_y=$(((mid_y + cross_y) / 2))  # (160, 65)
echo "$rw" >"$work/red_width"

step "a line from a midpoint to a crossing, with the magnet"
click_at $((mid_x + 3)) $((mid_y - 2))
click_at $((cross_x - 2)) $((cross_y + 3))

step "a line from the new line's midpoint to the circle's top"
click_at $((new_x + 2)) $((new_y + 3))
click_at $((top_x - 3)) $((top_y - 2))

step "the magnet off with its tool button, the first two clicks again"
xdotool mousemove $((mx + mw / 2)) $((my + mh / 2)) click 1
sleep 0.4
click_at $((mid_x + 3)) $((mid_y - 2))
click_at $((cross_x - 2)) $((cross_y + 3))

step "上書き保存"
focus "$main"
xdotool key ctrl+s
for _ in $(seq 1 40); do
  "$cli" dump --json "$work/drawing.pwk" >"$work/dump.json" 2>/dev/null &&
    python3 -c 'import json,sys; sys.exit(sum(e["kind"] == 20 for e in json.load(open(sys.argv[1]))["entities"]) < 6)' \
      "$work/dump.json" && break
  sleep 0.25
done
python3 - "$work/dump.json" "$rw" <<'PY' || fail "the lines are not where they must be"
import json, math, sys
lines = [e["values"] for e in json.load(open(sys.argv[1]))["entities"] if e["kind"] == 20][3:]
print("new lines:", lines)
assert len(lines) == 3, "three new lines"
assert lines[0] == [100, 60, 220, 70], "midpoint to crossing, exactly"
# The midpoint is half the length along the line: exact up to the last bit of that sum.
assert all(abs(a - b) < 1e-9 for a, b in zip(lines[1][:2], [160, 65])), "from the new line's midpoint"
assert lines[1][2:] == [100, 180], "to the circle's top, exactly"
# Without the magnet a click lands where it is: 3 pixels right and 2 up of the midpoint, then
# 2 left and 3 down of the crossing, in model mm at the screen's scale.
ppm = (int(sys.argv[2]) - 1) / 120.0
want = [100 + 3 / ppm, 60 + 2 / ppm, 220 - 2 / ppm, 70 - 3 / ppm]
free = lines[2]
assert free[:2] != [100, 60] and free[2:] != [220, 70], "the magnet was off"
assert all(abs(a - b) < 1.6 / ppm for a, b in zip(free, want)), f"unsnapped clicks: {free} against {want}"
PY
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
