#!/usr/bin/env bash
# Drives plenwick in a virtual X server through the entity list: 作図要素リスト (the selection
# family's fifth mode), a click marks the red line, the right-click menu's リスト編集... opens
# "作図要素リスト", the row taken from the table, its end X typed anew (the list shows X relative to
# the drawing's origin at the sheet's centre x 148.5: 1.75 puts the end at 150.25), 変　更 and
# データ反映. plenwick-cli's dump after Ctrl+S holds the new line in place of the red one, and
# after Ctrl+Z the red line as it was.
#   list_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

e2e_lines_drawing "list e2e"

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1) for the state $2: "applied" (the red line replaced by a line of
# the current look ending at x 150.25) or "original" (the red line as drawn); the blue lines stay.
import json, sys
lines = [e for e in json.load(open(sys.argv[1]))["entities"] if e["kind"] == 20]
red = [e for e in lines if e["colour"] == 255]
blue = sorted(e["values"] for e in lines if e["colour"] == 16711680)
others = [e for e in lines if e["colour"] not in (255, 16711680)]
print(sys.argv[2], "red", red, "blue", blue, "others", others)
assert blue == [[180, 30, 260, 110], [180, 110, 260, 30]], "the blue lines are left"
if sys.argv[2] == "applied":
    assert red == [], "the red line went"
    assert len(others) == 1 and others[0]["values"] == [40, 60, 150.25, 60], "the new line's ends"
else:
    assert others == [] and len(red) == 1 and red[0]["values"] == [40, 60, 160, 60], "the red line as drawn"
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

step "作図要素リスト: the selection family's fifth mode, a click on the red line"
e2e_on_palette 25 13   # the selection family: the first button of the first row
e2e_on_palette 30 165  # the mode list's fifth row (rows 13 pixels apart from 113)
focus "$main"
e2e_click_near 70 60 0 0
sleep 0.3

step "the right-click menu's リスト編集..."
read -r px py <<<"$(e2e_pixel 120 150)"
xdotool mousemove "$px" "$py" sleep 0.2 click 3
sleep 0.6
xdotool key Down sleep 0.2 key Return
dialog=$(window '^作図要素リスト$' 15) || fail "no 作図要素リスト dialog"
focus "$dialog"

step "the row into the fields, ③ typed anew, 変　更 and データ反映"
# The focus starts in field ①; the table lies before it and takes its first row on entering.
xdotool key shift+Tab sleep 0.3
xdotool key Tab sleep 0.2 key Tab sleep 0.2 key Tab sleep 0.2 key ctrl+a sleep 0.2 type "1.75"
# ④, then the buttons in their order: 追　加, 変　更 (pressed), 削　除, クリア, データ反映 (pressed).
xdotool sleep 0.2 key Tab sleep 0.2 key Tab sleep 0.2 key Tab sleep 0.2 key space
xdotool sleep 0.3 key Tab sleep 0.2 key Tab sleep 0.2 key Tab sleep 0.2 key space
for _ in $(seq 1 40); do
  xdotool search --name '^作図要素リスト$' >/dev/null 2>&1 || break
  sleep 0.25
done
e2e_save_and_check applied

step "Ctrl+Z puts the red line back"
focus "$main"
xdotool key ctrl+z
e2e_save_and_check original
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
