#!/usr/bin/env bash
# Drives plenwick in a virtual X server through 移動 on a drawing of lines: chosen on the drawing
# palette, a dragged window around the red line selects it, 選択終了 from the right-click menu
# ends the selection, and clicks just off the red line's two ends (snapped onto them) give the
# base point and the destination. plenwick-cli's dump after Ctrl+S holds the red line moved by
# exactly (120, 0), and after Ctrl+Z and another Ctrl+S the drawing as it was. Then 図面間複写
# with that drawing and a second one (a green line in the red line's place) tiled side by side:
# the red line selected in the first, its start the base, and a click in the second window just
# off the green line's start puts the copy there; that drawing saved holds the red copy exactly
# on the green line, and after Ctrl+Z the green line alone.
#   move_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

e2e_lines_drawing "move e2e"
cat >"$work/target.json" <<'JSON'
{"header": {"drawingName": "target", "paperSize": 4, "scale": 1},
 "block": {"areaMin": [0, 0, 0], "areaMax": [297, 210, 0]},
 "entities": [
  {"kind": 20, "lineAttr": 7, "colour": 65280, "codes": [10, 20, 11, 22], "values": [40, 60, 160, 60]}]}
JSON
"$cli" from-json "$work/target.json" "$work/target.pwk"

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

cat >"$work/check_target.py" <<'PY'
# Checks plenwick-cli's dump ($1) of the second drawing for the state $2: "copied" (the red copy on
# the green line) or "original" (the green line alone).
import json, sys
entities = json.load(open(sys.argv[1]))["entities"]
lines = sorted((e["colour"], e["values"]) for e in entities if e["kind"] == 20)
print(sys.argv[2], lines)
if sys.argv[2] == "copied":
    assert lines == [(255, [40, 60, 160, 60]), (65280, [40, 60, 160, 60])], "the copy lies on the green line"
else:
    assert lines == [(65280, [40, 60, 160, 60])], "the green line alone"
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
kill "$pid"
wait "$pid" 2>/dev/null || true

# Ctrl+S in the active window (the second drawing's), then waits until check_target.py accepts
# its dump with the state given.
save_target() {
  focus "$frame"
  xdotool key ctrl+s
  for _ in $(seq 1 40); do
    "$cli" dump --json "$work/target.pwk" >"$work/target.json" 2>/dev/null &&
      python3 "$work/check_target.py" "$work/target.json" "$1" >/dev/null 2>&1 && break
    sleep 0.25
  done
  python3 "$work/check_target.py" "$work/target.json" "$1" || fail "the second drawing is not as expected ($1)"
}

step "both drawings open, tiled"
"$plenwick" --no-splash "$work/drawing.pwk" "$work/target.pwk" >"$work/plenwick.log" 2>&1 &
pid=$!
frame=$(window 'Plenwick - \[target.pwk\]' 20) || fail "no window for target.pwk"
focus "$frame"
xdotool key alt+w sleep 0.5 key t
sleep 1
# Tiled, each line is shorter on the screen than the first part's check asks.
import -window root "$work/screen.png"
red=$(largest_blob "$work/screen.png" 'rgb(255,0,0)' 10%)
green=$(largest_blob "$work/screen.png" 'rgb(0,255,0)' 10%)
[ -n "$red" ] && [ -n "$green" ] || fail "the red or the green line is not on the screen"
read -r rw rh rx ry <<<"$red"
read -r gw gh gx gy <<<"$green"
[ "$rw" -gt 50 ] && [ "$gw" -gt 50 ] || fail "the lines are only $rw and $gw pixels long"

step "図面間複写 on the drawing palette"
e2e_on_palette 25 94   # the move family
e2e_on_palette 30 197  # the mode list's seventh row: 図面間複写
focus "$frame"

step "the red line selected in the first drawing, 選択終了, its start the base"
e2e_drag 30 50 170 70
read -r px py <<<"$(e2e_pixel 100 120)"
xdotool mousemove "$px" "$py" sleep 0.2 click 3
sleep 0.6
xdotool key Down sleep 0.2 key Return
sleep 0.5
e2e_click_near 40 60 1 1

step "a click just off the green line's start in the second window"
rw=$gw rx=$gx ry=$gy
e2e_click_near 40 60 1 1
save_target copied

step "Ctrl+Z in the second drawing takes the copy back"
focus "$frame"
xdotool key ctrl+z
save_target original
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
