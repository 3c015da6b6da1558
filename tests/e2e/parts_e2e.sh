#!/usr/bin/env bash
# Drives plenwick in a virtual X server through the parts library: a part (a line (0, 0)-(20, 10)
# and a circle of radius 3 at (10, 5)) lies in the default parts folder; 表示 > 部品データ opens the
# browser in the palette's place, the part is chosen in its tree, 倍率 2 and 角度 90 are typed, and
# a click near the red line's end (the magnet brings (160, 60)) places it. After Ctrl+S
# plenwick-cli's dump holds one group header (10, 5, 2, 90) with the line turned a quarter and
# doubled about the click and the circle of radius 6 centred on it.
#   parts_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3
e2e_lines_drawing "parts e2e"

parts="$XDG_DATA_HOME/BRENTA/Plenwick/部品データ"
mkdir -p "$parts"
cat >"$work/part.json" <<'JSON'
{"header": {"drawingName": "bolt", "paperSize": 4, "scale": 1},
 "entities": [
  {"kind": 20, "lineAttr": 7, "colour": 0, "codes": [10, 20, 11, 22], "values": [0, 0, 20, 10]},
  {"kind": 30, "lineAttr": 7, "colour": 0, "codes": [10, 20, 40], "values": [10, 5, 3]}]}
JSON
"$cli" from-json "$work/part.json" "$parts/bolt.pwk"

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1): the part placed once, turned, doubled, its centre at (160, 60).
import json, math, sys
entities = json.load(open(sys.argv[1]))["entities"]
headers = [e for e in entities if e["kind"] == 60]
assert len(headers) == 1, f"group headers: {headers}"
h = headers[0]
assert h["values"] == [10, 5, 2, 90] and h["codes"] == [10, 20, 10, 20], f"the header: {h}"
members = [e for e in entities if e["kind"] != 60 and e["groupNo"] == h["groupNo"]]
assert len(members) == 2, f"members: {members}"
line = [e["values"] for e in members if e["kind"] == 20][0]
assert math.dist(line[:2], (170, 40)) < 1e-9 and math.dist(line[2:], (150, 80)) < 1e-9, f"the line: {line}"
circle = [e["values"] for e in members if e["kind"] == 30][0]
assert math.dist(circle[:2], (160, 60)) < 1e-9 and circle[2] == 6, f"the circle: {circle}"
PY

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

e2e_open_drawing
e2e_find_red_line

step "表示 > 部品データ"
xdotool key alt+v sleep 0.5 key Down Down Down Return
browser=$(window '^部品データ$' 15 --onlyvisible) || fail "no parts browser"
import -window root "$work/browser.png"

step "the part chosen in the tree, 倍率 2, 角度 90"
focus "$browser"
eval "$(xdotool getwindowgeometry --shell "$browser")"
# The tree's first row (40 pixels high for the thumbnails) is the parts folder, the second the
# part; the fields 倍率 and 角度 are the last two rows of the window.
xdotool mousemove $((X + 100)) $((Y + 78)) click 1
sleep 0.5
xdotool mousemove $((X + 150)) $((Y + HEIGHT - 48)) click --repeat 3 1 sleep 0.2 type --delay 20 "2"
xdotool mousemove $((X + 150)) $((Y + HEIGHT - 20)) click --repeat 3 1 sleep 0.2 type --delay 20 "90"
xdotool key Tab
sleep 0.3
import -window root "$work/chosen.png"
# The view may have moved meanwhile: the red line is looked for again.
e2e_find_red_line

step "the place: the red line's end"
focus "$main"
e2e_click_near 160 60 3 -2

step "Ctrl+S: the placed part"
e2e_save_and_check
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
