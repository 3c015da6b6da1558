#!/usr/bin/env bash
# Drives plenwick in a virtual X server through the transforming tool on a blue square of four
# lines (60, 100)–(100, 140): 拡大・縮小 from the drawing palette, a window around the square, the
# right-click menu's 拡大・縮小 and 2 typed into the factor dialog double it about its centre; after
# Ctrl+S plenwick-cli's dump holds the square (40, 80)–(120, 160), and after Ctrl+Z and another
# save the square as drawn. Then オフセット (the mode list's third row) with 5 typed into the bar,
# a window, 選択終了 and a click outside add the square (55, 95)–(105, 145) around it.
#   transform_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

# The red line (40, 60)-(160, 60) the helpers map pixels by, and the blue square.
e2e_drawing_from_json <<'JSON'
{"header": {"drawingName": "transform e2e", "paperSize": 4, "scale": 1},
 "block": {"areaMin": [0, 0, 0], "areaMax": [297, 210, 0]},
 "entities": [
  {"kind": 20, "lineAttr": 7, "colour": 255, "codes": [10, 20, 11, 22], "values": [40, 60, 160, 60]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [60, 100, 100, 100]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [100, 100, 100, 140]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [100, 140, 60, 140]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [60, 140, 60, 100]}]}
JSON

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1) for the state $2: "scaled", "original" or "offset".
import json, sys
entities = json.load(open(sys.argv[1]))["entities"]
lines = [e for e in entities if e["kind"] == 20]
blue = sorted(e["values"] for e in lines if e["colour"] == 16711680)
print(sys.argv[2], "blue", blue)
assert len(entities) == len(lines), "lines only"
assert [e["values"] for e in lines if e["colour"] == 255] == [[40, 60, 160, 60]], "the red line untouched"
square = lambda a, b: sorted([[a, a, b, a], [b, a, b, b], [b, b, a, b], [a, b, a, a]])
shift = lambda s, dx, dy: sorted([[x + dx, y + dy, u + dx, v + dy] for x, y, u, v in s])
original = shift(square(60, 100), 0, 40)
if sys.argv[2] == "scaled":
    assert blue == shift(square(40, 120), 0, 40), "the square doubled about its centre (80, 120)"
elif sys.argv[2] == "original":
    assert blue == original, "the square as drawn"
else:
    assert blue == sorted(original + shift(square(55, 105), 0, 40)), "the square and its offset by 5 outside"
PY

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

# The right-click menu at model point ($1, $2), its first command chosen with the keyboard.
menu_command() {
  local px py
  read -r px py <<<"$(e2e_pixel "$1" "$2")"
  xdotool mousemove "$px" "$py" sleep 0.2 click 3
  sleep 0.6
  xdotool key Down sleep 0.2 key Return
  sleep 0.6
}

e2e_open_drawing
e2e_find_red_line
before=$(e2e_white_fields)

step "拡大・縮小 on the drawing palette"
e2e_on_palette 105 67  # the transform family: the fourth button of the third row
e2e_on_palette 30 113  # the mode list's first row: 拡大・縮小
focus "$main"

step "a window around the square, the menu's 拡大・縮小 and 2 typed"
e2e_drag 50 90 110 150
menu_command 180 170
dialog=$(window '数値入力' 15) || fail "no factor dialog"
focus "$dialog"
xdotool type --delay 50 "2"
xdotool key Return
sleep 0.6
e2e_save_and_check scaled

step "Ctrl+Z gives the square back"
focus "$main"
xdotool key ctrl+z
e2e_save_and_check original

step "オフセット: the mode list's third row, 5 into the bar's オフセット値"
e2e_on_palette 30 139  # rows are 13 pixels apart
after=$(e2e_white_fields)
# The bar's row lies above the drawing; the palette's list changes too.
edit=$(comm -13 <(echo "$before") <(echo "$after") | awk '$2 < 100' | head -n 1)
[ -n "$edit" ] || fail "no new edit field in the operation bar"
read -r ex ey _ <<<"$edit"
xdotool mousemove "$ex" "$ey" click --repeat 3 1
sleep 0.2
xdotool type --delay 50 "5"
xdotool key Tab
sleep 0.3
focus "$main"

step "a window around the square, 選択終了 and a click outside it"
e2e_drag 50 90 110 150
menu_command 180 170
e2e_click_near 140 120 0 0
e2e_save_and_check offset
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
