#!/usr/bin/env bash
# Drives plenwick in a virtual X server through the selection and window-deletion tools on a
# drawing of lines: 図形選択 picks a red line with a dragged window and drags it so that its end
# drops just off the crossing of two blue lines (the drag's snap brings it exactly there);
# グループ削除 takes two clicks around the red line and, with 範囲外を削除 chosen by the keyboard
# in its dialog, deletes the blue lines. plenwick-cli's dump after each Ctrl+S holds the moved
# line, and after each Ctrl+Z the drawing as it was.
#   select_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

e2e_lines_drawing "select e2e"

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1) for the state $2: "moved" (the red line's end on the crossing),
# "original" (all three lines as drawn) or "red only" (the blue lines deleted).
import json, math, sys
lines = [e for e in json.load(open(sys.argv[1]))["entities"] if e["kind"] == 20]
red = [e["values"] for e in lines if e["colour"] == 255]
blue = sorted(e["values"] for e in lines if e["colour"] == 16711680)
print(sys.argv[2], "red", red, "blue", blue)
original_blue = [[180, 30, 260, 110], [180, 110, 260, 30]]
assert len(red) == 1, "one red line"
x1, y1, x2, y2 = red[0]
if sys.argv[2] == "moved":
    assert [x2, y2] == [220, 70], "the dragged end is exactly on the crossing"
    assert math.dist((x1, y1), (x2, y2)) == 120, "the length is kept"
    assert y1 == y2, "the line stays level"
    assert blue == original_blue, "the blue lines are left"
elif sys.argv[2] == "original":
    assert red[0] == [40, 60, 160, 60] and blue == original_blue, "the drawing as it was"
else:
    assert red[0] == [40, 60, 160, 60] and blue == [], "only the red line is left"
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

step "図形選択: a window around the red line picks it"
e2e_on_palette 25 13   # the selection family: the first button of the first row
focus "$main"
e2e_drag 30 50 170 70 0 0

step "a drag from the line drops its end just off the crossing"
# The grab is away from the line's ends and midpoint (handles); the end (160, 60) goes to 2
# pixels right and 3 down of (220, 70), where the crossing is the nearest point by far.
e2e_drag 70 60 130 70 2 3
e2e_save_and_check moved

step "Ctrl+Z puts the line back"
focus "$main"
xdotool key ctrl+z
e2e_save_and_check original

step "グループ削除: two corners around the red line"
e2e_on_palette 25 67   # the delete family: the first button of the third row
e2e_on_palette 30 141  # the list's third row
focus "$main"
e2e_click_near 30 50 0 0
e2e_click_near 170 70 0 0
dialog=$(window '^グループ削除$' 15) || fail "no グループ削除 dialog"
focus "$dialog"
# The focus starts on 全てを対象; Tab goes past the disabled kind boxes to 範囲内を削除, the
# arrow chooses 範囲外を削除 and Enter presses 実　行.
xdotool key Tab sleep 0.2 key Right sleep 0.2 key Return
for _ in $(seq 1 40); do
  xdotool search --name '^グループ削除$' >/dev/null 2>&1 || break
  sleep 0.25
done
e2e_save_and_check "red only"

step "Ctrl+Z brings the blue lines back"
focus "$main"
xdotool key ctrl+z
e2e_save_and_check original
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
