#!/usr/bin/env bash
# Drives plenwick in a virtual X server through the circle and curve tools on a drawing of lines:
# 円(半径) on the palette from just off a line's midpoint to just off its end (the magnet brings
# both), ３点円弧 from the list from just off a crossing to just off a line's end through a free
# point, ベジェ曲線 with three clicks and a right click, and a dragged 自由曲線. After Ctrl+S
# plenwick-cli's dump holds the circle and the arc exactly on those points, the control-point
# curve and the free curve; Ctrl+Z and another save drop the free curve only.
#   curves_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

e2e_lines_drawing "curves e2e"

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1) against what the clicks drew; $2 "undone": the free curve is gone.
import json, math, sys
entities = json.load(open(sys.argv[1]))["entities"]
kinds = lambda k: [e for e in entities if e["kind"] == k]
circles, arcs, splines, frees = kinds(30), kinds(31), kinds(24), kinds(26)
print("circles", [c["values"] for c in circles], "arcs", [a["values"] for a in arcs],
      "splines", [s["values"] for s in splines], "free curves", len(frees))
assert [c["values"] for c in circles] == [[100, 60, 60]], "the circle from the midpoint to the end"
assert len(arcs) == 1, "one arc"
cx, cy, r, start, end = arcs[0]["values"]
at = lambda a: (cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
assert math.dist(at(start), (220, 70)) < 1e-6, f"the arc starts on the crossing: {at(start)}"
assert math.dist(at(end), (260, 110)) < 1e-6, f"the arc ends on the line's end: {at(end)}"
assert len(splines) == 1 and len(splines[0]["values"]) == 6, "a control-point curve of three points"
assert len(frees) == (0 if sys.argv[2:] == ["undone"] else 1), "the free curve"
PY

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

save_and_dump() {
  focus "$main"
  xdotool key ctrl+s
  sleep 1
  "$cli" dump --json "$work/drawing.pwk" >"$work/dump.json"
}

e2e_open_drawing

step "where the drawing is on the screen"
e2e_find_red_line

step "円(半径): from the line's midpoint to its end"
e2e_on_palette 25 40   # the circle family: the first button of the second row
e2e_click_near 100 60 3 -2
e2e_click_near 160 60 -2 3

step "３点円弧: from the crossing to a line's end through a free point"
e2e_on_palette 30 183  # the list's sixth row
e2e_click_near 220 70 2 2
e2e_click_near 260 110 -3 1
e2e_click_near 240 40 0 0

step "ベジェ曲線: three clicks and a right click"
e2e_on_palette 118 13  # the curve family: the fourth button of the first row
e2e_click_near 60 150 0 0
e2e_click_near 120 175 0 0
e2e_click_near 180 150 0 0
xdotool click 3
sleep 0.5

step "自由曲線: a drag"
e2e_on_palette 30 141  # the list's third row
read -r fx fy <<<"$(e2e_pixel 60 190)"
xdotool mousemove "$fx" "$fy" mousedown 1
for i in $(seq 1 30); do xdotool mousemove $((fx + 4 * i)) $((fy + (i % 5))); done
xdotool mouseup 1
sleep 0.5

step "Ctrl+S"
save_and_dump
python3 "$work/check.py" "$work/dump.json" || fail "the saved drawing is not what was drawn"

step "Ctrl+Z takes the free curve back"
focus "$main"
xdotool key ctrl+z
sleep 0.3
save_and_dump
python3 "$work/check.py" "$work/dump.json" undone || fail "undo did not take only the free curve"
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
