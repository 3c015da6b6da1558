#!/usr/bin/env bash
# Drives plenwick in a virtual X server through the corner tool: with 角丸 as the bar's style
# (from the settings file a first run wrote), コーナー on the drawing palette, 5 typed into the
# bar's 距離, then a click on a red horizontal line and one on a blue vertical line above it.
# After Ctrl+S plenwick-cli's dump holds an arc of radius 5 and the two lines trimmed to its
# ends; 元に戻す (the Edit menu's first item) and another save give back the two lines as they were and no arc.
#   corner_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

# The red line (40, 60)-(160, 60) the helpers map pixels by (whole: nothing may cross it), and a
# blue line above it that the corner extends down to it.
e2e_drawing_from_json <<'JSON'
{"header": {"drawingName": "corner e2e", "paperSize": 4, "scale": 1},
 "block": {"areaMin": [0, 0, 0], "areaMax": [297, 210, 0]},
 "entities": [
  {"kind": 20, "lineAttr": 7, "colour": 255, "codes": [10, 20, 11, 22], "values": [40, 60, 160, 60]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [100, 70, 100, 120]}]}
JSON

cat >"$work/check.py" <<'PY'
# Checks a plenwick-cli JSON dump: the round corner (or, with "undone", the lines as they were).
import json, math, sys
entities = json.load(open(sys.argv[1]))["entities"]
lines = sorted(tuple(e["values"]) for e in entities if e["kind"] == 20)
arcs = [e["values"] for e in entities if e["kind"] == 31]
close = lambda a, b: all(abs(x - y) < 1e-6 for x, y in zip(a, b))
if len(sys.argv) > 2 and sys.argv[2] == "undone":
    assert not arcs, arcs
    assert lines == [(40, 60, 160, 60), (100, 70, 100, 120)], lines
else:
    assert len(arcs) == 1 and close(arcs[0][:3], (105, 65, 5)), (arcs, lines)
    assert len(lines) == 2 and close(lines[0], (100, 120, 100, 65)) and close(lines[1], (160, 60, 105, 60)), lines
PY

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

step "a first run writes the settings file; 角丸 goes into it"
e2e_open_drawing
for _ in $(seq 1 40); do [ -s "$PLENWICK_HOME/PWKPRM.DAT" ] && break; sleep 0.25; done
kill "$pid"
wait "$pid" 2>/dev/null || true
[ -s "$PLENWICK_HOME/PWKPRM.DAT" ] || fail "no settings file after the first run"
python3 - "$PLENWICK_HOME/PWKPRM.DAT" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
struct.pack_into("<h", data, 318, 2)  # the corner style: 角丸
open(sys.argv[1], "wb").write(data)
PY

e2e_open_drawing
e2e_find_red_line
before=$(e2e_white_fields)

step "コーナー on the drawing palette"
e2e_on_palette 80 67  # the corner family: the third button of the third row
focus "$main"
sleep 0.5

step "5 into 距離, the field the corner bar brought"
after=$(e2e_white_fields)
edit=$(comm -13 <(echo "$before") <(echo "$after") | head -n 1)
[ -n "$edit" ] || fail "no new edit field in the operation bar"
read -r ex ey _ <<<"$edit"
xdotool mousemove "$ex" "$ey" click --repeat 3 1
sleep 0.2
xdotool type --delay 50 "5"
xdotool key Tab
sleep 0.3

step "the red line right of the crossing, the blue line above it"
focus "$main"
e2e_click_near 140 60 0 0
e2e_click_near 100 100 0 0
e2e_save_and_check

step "元に戻す gives the lines back"
# By the menu: the bar's edit keeps the keyboard focus, and there Ctrl+Z undoes the typing.
focus "$main"
xdotool key alt+e
sleep 0.5
xdotool key Return
sleep 0.5
e2e_save_and_check undone
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
