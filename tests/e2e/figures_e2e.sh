#!/usr/bin/env bash
# Drives plenwick in a virtual X server through the polygon and point tools on a drawing of lines
# and a red point: ボックス on the palette from just off one line's start to just off another's
# (the magnet brings both corners), then 任意点 just off the red point. After Ctrl+S
# plenwick-cli's dump holds one group header at the first corner and its four sides of its group
# number around the box, and a new point exactly on the red one; Ctrl+Z and another save take the
# point back only.
#   figures_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

# The lines of e2e_lines_drawing (the red one finds the drawing on the screen) and a red point.
e2e_drawing_from_json <<'JSON'
{"header": {"drawingName": "figures e2e", "paperSize": 4, "scale": 1},
 "block": {"areaMin": [0, 0, 0], "areaMax": [297, 210, 0]},
 "entities": [
  {"kind": 20, "lineAttr": 7, "colour": 255, "codes": [10, 20, 11, 22], "values": [40, 60, 160, 60]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [180, 30, 260, 110]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [180, 110, 260, 30]},
  {"kind": 10, "subKind": 1, "lineAttr": 7, "colour": 255, "codes": [10, 20], "values": [100, 150]}]}
JSON

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1) against what the clicks drew; $2 "undone": the new point is gone.
import json, sys
entities = json.load(open(sys.argv[1]))["entities"]
headers = [e for e in entities if e["kind"] == 60]
assert len(headers) == 1, f"one group header: {headers}"
h = headers[0]
assert h["values"] == [40, 60, 1, 0] and h["codes"] == [10, 20, 10, 20], f"the header: {h}"
assert h["lineAttr"] == 0 and h["colour"] == 0 and h["groupNo"] > 0, f"the header: {h}"
sides = [e for e in entities if e["kind"] == 20 and e["groupNo"] == h["groupNo"]]
assert len(sides) == 4, f"four sides of the group: {sides}"
corners = [(40, 60), (180, 60), (180, 110), (40, 110)]
for i, s in enumerate(sides):
    assert s["codes"] == [10, 20, 11, 22], f"a side's codes: {s}"
    assert (s["values"][0], s["values"][1]) == corners[i], f"side {i} starts at {corners[i]}: {s['values']}"
    assert (s["values"][2], s["values"][3]) == corners[(i + 1) % 4], f"side {i} closes onto the next: {s['values']}"
points = [e for e in entities if e["kind"] == 10]
print("points", [(p["subKind"], p["values"]) for p in points])
expected = 1 if sys.argv[2:] == ["undone"] else 2
assert len(points) == expected, f"{expected} points"
assert all(p["values"] == [100, 150] for p in points), "the new point on the red one"
PY

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

e2e_open_drawing

step "where the drawing is on the screen"
e2e_find_red_line

step "ボックス: from one line's start to another's"
e2e_on_palette 55 40   # the polygon family: the second button of the second row
e2e_on_palette 30 113  # the list's first row
e2e_click_near 40 60 3 -2
e2e_click_near 180 110 -2 3

step "任意点 on the red point"
e2e_on_palette 55 13   # the point family: the second button of the first row
e2e_on_palette 30 113
e2e_click_near 100 150 2 -1

step "Ctrl+S"
e2e_save_and_check

step "Ctrl+Z takes the point back"
focus "$main"
xdotool key ctrl+z
sleep 0.3
e2e_save_and_check undone
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
