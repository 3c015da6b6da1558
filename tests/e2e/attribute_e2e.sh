#!/usr/bin/env bash
# Drives plenwick in a virtual X server through the line attribute dialog: 図形選択 from the
# palette, a double click on the red line opens "直線作図属性変更", its end X is typed anew and
# 実　行 replaces the line (the dialog shows X relative to the drawing's origin, which lies at the
# sheet's centre x 148.5: typing 1.75 puts the end at 150.25). plenwick-cli's dump after Ctrl+S
# holds the new end with the line's own line attribute and colour, and after Ctrl+Z the line as
# it was. A double click on the text "ABC" opens "文字列作図属性変更", where the string typed anew
# replaces it.
#   attribute_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

e2e_lines_drawing "attribute e2e" ', {"kind": 40, "lineAttr": 0, "colour": 0, "codes": [10, 20, 30, 40, 50],
  "values": [200, 150, 10, 10, 0], "text": "ABC", "font": "ＭＳゴシック"}'

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1) for the state $2: "changed" (the red line ends at x 150.25),
# "original" (the red line as drawn) or "text" (the line as drawn, the text's string "XYZ"); the
# look and the blue lines never change.
import json, sys
entities = json.load(open(sys.argv[1]))["entities"]
texts = [e for e in entities if e["kind"] == 40]
assert len(texts) == 1, "one text"
assert texts[0]["text"] == ("XYZ" if sys.argv[2] == "text" else "ABC"), "the text's string"
assert texts[0]["values"] == [200, 150, 10, 10, 0], "the text stays where it was"
lines = [e for e in entities if e["kind"] == 20]
red = [e for e in lines if e["colour"] == 255]
blue = sorted(e["values"] for e in lines if e["colour"] == 16711680)
print(sys.argv[2], "red", red, "blue", blue)
assert len(red) == 1, "one red line"
assert red[0]["lineAttr"] == 7, "the line attribute is kept"
expected = [40, 60, 150.25, 60] if sys.argv[2] == "changed" else [40, 60, 160, 60]
assert red[0]["values"] == expected, "the red line's ends"
assert blue == [[180, 30, 260, 110], [180, 110, 260, 30]], "the blue lines are left"
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

# A double click at model point ($1, $2) opens the dialog titled $3; the keys $4.. typed into it
# (xdotool words), then Return, and the dialog must close.
change_in_dialog() {
  local px py title=$3 dialog
  focus "$main"
  read -r px py <<<"$(e2e_pixel "$1" "$2")"
  xdotool mousemove $((px + 12)) $((py + 9)) sleep 0.2 mousemove "$px" "$py" sleep 0.2 click --repeat 2 --delay 80 1
  dialog=$(window "^$title\$" 15) || fail "no $title dialog"
  focus "$dialog"
  shift 3
  xdotool "$@"
  xdotool sleep 0.2 key Return
  for _ in $(seq 1 40); do
    xdotool search --name "^$title\$" >/dev/null 2>&1 || return 0
    sleep 0.25
  done
  fail "$title stayed open"
}

step "図形選択: a double click on the red line opens its dialog; the end X typed anew, 実　行"
e2e_on_palette 25 13   # the selection family: the first button of the first row
# The focus starts in the start X edit; two Tabs reach the end X.
change_in_dialog 70 60 直線作図属性変更 key Tab sleep 0.2 key Tab sleep 0.2 key ctrl+a sleep 0.2 type "1.75"
e2e_save_and_check changed

step "Ctrl+Z puts the line back"
focus "$main"
xdotool key ctrl+z
e2e_save_and_check original

step "a double click on the text opens its dialog; its string typed anew, 実　行"
# The focus starts in the string's edit.
change_in_dialog 205 154 文字列作図属性変更 key ctrl+a sleep 0.2 type "XYZ"
e2e_save_and_check text
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
