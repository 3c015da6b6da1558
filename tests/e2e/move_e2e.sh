#!/usr/bin/env bash
# Drives plenwick in a virtual X server through 移動 on a drawing of lines: chosen on the drawing
# palette, a dragged window around the red line selects it, 選択終了 from the right-click menu
# ends the selection, and clicks just off the red line's two ends (snapped onto them) give the
# base point and the destination. plenwick-cli's dump after Ctrl+S holds the red line moved by
# exactly (120, 0), and after Ctrl+Z and another Ctrl+S the drawing as it was.
#   move_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

e2e_lines_drawing "move e2e"

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1) for the state $2: "moved" (the red line from (160, 60) to
# (280, 60)) or "original" (the lines as drawn).
import json, sys
entities = json.load(open(sys.argv[1]))["entities"]
lines = [e for e in entities if e["kind"] == 20]
red = [e["values"] for e in lines if e["colour"] == 255]
blue = sorted(e["values"] for e in lines if e["colour"] == 16711680)
print(sys.argv[2], "red", red, "blue", blue)
assert len(entities) == 3 and len(lines) == 3, "one record replaced by one, nothing added"
assert blue == [[180, 30, 260, 110], [180, 110, 260, 30]], "the blue lines untouched"
if sys.argv[2] == "moved":
    assert red == [[160, 60, 280, 60]], "the red line moved by (120, 0)"
else:
    assert red == [[40, 60, 160, 60]], "the drawing as it was"
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

step "移動 on the drawing palette"
e2e_on_palette 25 94   # the move family: the first button of the fourth row
e2e_on_palette 30 113  # the mode list's first row: 移動
focus "$main"

step "a window around the red line, then 選択終了 from the right-click menu"
e2e_drag 30 50 170 70
read -r px py <<<"$(e2e_pixel 100 120)"
xdotool mousemove "$px" "$py" sleep 0.2 click 3
sleep 0.6
# The menu's first entry is 選択終了.
xdotool key Down sleep 0.2 key Return
sleep 0.5

step "the base just off the red line's start, the destination just off its end"
e2e_click_near 40 60 1 1
e2e_click_near 160 60 1 -1
e2e_save_and_check moved

step "Ctrl+Z puts the line back"
focus "$main"
xdotool key ctrl+z
e2e_save_and_check original
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
