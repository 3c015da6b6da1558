#!/usr/bin/env bash
# Drives plenwick in a virtual X server through ハッチング and 塗りつぶし: four lines crossing at
# the corners of (60, 60)-(140, 120) (the red one drawn last, whole over the crossings), picked on the screen in turn and the
# first again: after Ctrl+S plenwick-cli's dump holds one hatching whose boundary is exactly the
# four crossings, with the bar's pattern, spacings and angle, and plenwick-cli render shows hatch
# lines inside the rectangle and none outside it; Ctrl+Z and another save take it back. Then a
# circle painted alone, saved, and taken back likewise.
#   hatch_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

e2e_drawing_from_json <<'JSON'
{"header": {"drawingName": "hatch e2e", "paperSize": 4, "scale": 1},
 "block": {"areaMin": [0, 0, 0], "areaMax": [297, 210, 0]},
 "entities": [
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [140, 40, 140, 140]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [160, 120, 30, 120]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [60, 140, 60, 40]},
  {"kind": 30, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 40], "values": [230, 90, 30]},
  {"kind": 20, "lineAttr": 7, "colour": 255, "codes": [10, 20, 11, 22], "values": [40, 60, 160, 60]}]}
JSON

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1): "hatched": the hatching only, "painted": the paint only,
# "undone": neither.
import json, sys
entities = json.load(open(sys.argv[1]))["entities"]
hatches = [e for e in entities if e["kind"] == 71]
paints = [e for e in entities if e["kind"] == 70]
stage = sys.argv[2]
assert len(hatches) == (1 if stage == "hatched" else 0), f"hatchings: {hatches}"
assert len(paints) == (1 if stage == "painted" else 0), f"paints: {paints}"
for h in hatches:
    assert h["subKind"] == 1, f"the bar's pattern (横線): {h}"
    assert h["codes"] == [4, 0, 0, 60, 61, 62, 63] + [10, 20] * 4, f"the codes: {h['codes']}"
    assert h["values"] == [20, 20, 0, 60, 60, 140, 120, 60, 60, 140, 60, 140, 120, 60, 120], f"the values: {h['values']}"
for p in paints:
    assert p["subKind"] == 1 and p["codes"] == [1, 0, 50, 51, 52], f"a circle alone: {p}"
    assert p["values"] == [0, 0, 230, 90, 30], f"the circle: {p['values']}"
PY

cat >"$work/pixels.py" <<'PY'
# In the rendered picture ($1, a binary PPM): the red line (40, 60)-(160, 60) fixes the mapping;
# black pixels (the hatch lines) lie inside the rectangle (60, 60)-(140, 120) and only there.
import sys
data = open(sys.argv[1], "rb").read()
parts = data.split(maxsplit=4)
w, h = int(parts[1]), int(parts[2])
pixels = parts[4]
def rgb(x, y):
    i = 3 * (y * w + x)
    return pixels[i], pixels[i + 1], pixels[i + 2]
red = [(x, y) for y in range(h) for x in range(w) if rgb(x, y) == (255, 0, 0)]
assert red, "no red line"
x0, x1 = min(p[0] for p in red), max(p[0] for p in red)
y60 = sorted(p[1] for p in red)[len(red) // 2]
k = (x1 - x0) / 120.0
px = lambda x: x0 + (x - 40) * k
py = lambda y: y60 - (y - 60) * k
black = [(x, y) for y in range(h) for x in range(w) if max(rgb(x, y)) < 60]
inside = [p for p in black if px(60) + 2 < p[0] < px(140) - 2 and py(120) + 2 < p[1] < py(60) - 2]
outside = [p for p in black if not (px(60) - 2 <= p[0] <= px(140) + 2 and py(120) - 2 <= p[1] <= py(60) + 2)]
print(f"{len(inside)} hatch pixels inside, {len(outside)} outside")
assert len(inside) > 50, "no hatch lines inside the rectangle"
assert not outside, f"hatch pixels outside the rectangle: {outside[:5]}"
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

step "ハッチング: the four lines in turn, then the red one again"
e2e_on_palette 55 94   # the hatching family: the second button of the fourth row
e2e_on_palette 30 113  # the list's first row
e2e_click_near 100 60 0 1
e2e_click_near 140 90 1 0
e2e_click_near 100 120 0 -1
e2e_click_near 60 90 -1 0
e2e_click_near 110 60 0 1

step "Ctrl+S: one hatching on the crossings"
e2e_save_and_check hatched

step "plenwick-cli render: hatch lines inside the rectangle only"
"$cli" render "$work/drawing.pwk" "$work/render.png" --width 960 --height 640 >/dev/null
convert "$work/render.png" -alpha off "$work/render.ppm"
python3 "$work/pixels.py" "$work/render.ppm" || fail "the rendered hatch lines"

step "Ctrl+Z takes the hatching back"
focus "$main"
xdotool key ctrl+z
sleep 0.3
e2e_save_and_check undone

step "塗りつぶし: the circle alone"
e2e_on_palette 30 127  # the list's second row
e2e_click_near 260 90 1 0
e2e_save_and_check painted

step "Ctrl+Z takes the paint back"
focus "$main"
xdotool key ctrl+z
sleep 0.3
e2e_save_and_check undone
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
