#!/usr/bin/env bash
# Drives plenwick in a virtual X server through 伸縮 on a drawing of lines: chosen on the drawing
# palette, a click on one blue line beyond the crossing of the two and a click on the other trim
# it back to the crossing. plenwick-cli's dump after Ctrl+S holds the shortened line, and after
# Ctrl+Z and another Ctrl+S the drawing as it was.
#   expansion_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

e2e_lines_drawing "expansion e2e"

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1) for the state $2: "trimmed" (the rising blue line from the
# crossing (220, 70) up) or "original" (the lines as drawn).
import json, sys
entities = json.load(open(sys.argv[1]))["entities"]
lines = [e for e in entities if e["kind"] == 20]
blue = sorted(e["values"] for e in lines if e["colour"] == 16711680)
print(sys.argv[2], "blue", blue)
assert len(entities) == 3 and len(lines) == 3, "one record replaced by one, nothing added"
assert [e["values"] for e in lines if e["colour"] == 255] == [[40, 60, 160, 60]], "the red line untouched"
if sys.argv[2] == "trimmed":
    assert blue == [[180, 110, 260, 30], [220, 70, 260, 110]], "the rising line ends on the crossing"
else:
    assert blue == [[180, 30, 260, 110], [180, 110, 260, 30]], "the drawing as it was"
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

step "伸縮 on the drawing palette"
e2e_on_palette 55 67   # the expansion family: the second button of the third row
e2e_on_palette 30 113  # the mode list's first row: 伸縮
focus "$main"

step "the rising line beyond the crossing, then the falling one"
e2e_click_near 240 90 1 1
e2e_click_near 200 90 1 1
e2e_save_and_check trimmed

step "Ctrl+Z gives the line back"
focus "$main"
xdotool key ctrl+z
e2e_save_and_check original
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
