#!/usr/bin/env bash
# Drives plenwick in a virtual X server through the text tool on a drawing of lines: 任意文字 on
# the palette, a click just off a line's start and "AB 12" typed with Enter, another just off its
# end and "寸法文字" (typed as Unicode keys, as an input method hands them over), then 指示線付き
# from just off a crossing to a bend on its right and "R5". After Ctrl+S plenwick-cli's dump holds
# the texts exactly on those points, the file the Shift-JIS bytes, the leader text at the bend +
# (10, −10); Ctrl+Z and another save take the leader text back.
#   text_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

e2e_lines_drawing "text e2e"

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1) and the file ($2); $3 "undone": the leader text is gone.
import json, sys
entities = json.load(open(sys.argv[1]))["entities"]
texts = [e for e in entities if e["kind"] == 40]
leaders = [e for e in entities if e["kind"] == 41]
print("texts", [(e.get("text"), e["values"]) for e in texts], "leaders", [(e.get("text"), e["values"]) for e in leaders])
assert all("textBytes" not in e for e in texts + leaders), "every text reads as text"
assert [(e["text"], e["values"][:2]) for e in texts] == [("AB 12", [40, 60]), ("寸法文字", [160, 60])], "the texts on the line's ends"
assert "寸法文字".encode("cp932") in open(sys.argv[2], "rb").read(), "the file holds the Shift-JIS bytes"
if sys.argv[3:] == ["undone"]:
    assert leaders == [], "the leader text is taken back"
else:
    assert len(leaders) == 1 and leaders[0]["text"] == "R5", "one leader text"
    v = leaders[0]["values"]
    assert v[5:7] == [220, 70], "the leader starts on the crossing"
    assert v[7] > 230, "the bend is on its right"
    assert v[0] == v[7] + 10 and v[1] == v[8] - 10, "the text at the bend + (10, -10)"
PY

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

e2e_open_drawing
e2e_find_red_line

step "任意文字: AB 12 just off the line's start"
e2e_on_palette 82 40   # the text family: the third button of the second row
focus "$main"
e2e_click_near 40 60 3 -2
xdotool type --delay 50 "AB 12"
xdotool key Return
sleep 0.4

step "寸法文字 just off its end"
e2e_click_near 160 60 -2 3
xdotool type --delay 100 "寸法文字"
xdotool key Return
sleep 0.4

step "指示線付き from the crossing, bent to its right: R5"
e2e_on_palette 30 127  # the list's second row
focus "$main"
e2e_click_near 220 70 2 2
e2e_click_near 250 150 0 0
xdotool type --delay 50 "R5"
xdotool key Return
sleep 0.4
e2e_save_and_check "$work/drawing.pwk"

step "Ctrl+Z takes the leader text back"
focus "$main"
xdotool key ctrl+z
e2e_save_and_check "$work/drawing.pwk" undone
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
