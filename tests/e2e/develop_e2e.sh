#!/usr/bin/env bash
# Drives plenwick in a virtual X server through the development tool: 円柱展開図 on the drawing
# palette, a click just off the red line's start (the magnet brings it), R 10, H1 20, H2 30 and 12
# pieces typed into "展開図" and 実　行. After Ctrl+S plenwick-cli's dump holds one group header
# at the start with the plan circle, the elevation and the development (base 2π·R long, the top
# at H1 at both ends and at H2 half way) as its members; Plenwick.ini keeps the typed texts, and
# the dialog shows them again when it next opens: 実　行 alone draws the same cylinder there.
#   develop_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3
e2e_lines_drawing "develop e2e"

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1) against the cylinder typed; $2 "again": a second one elsewhere.
import json, math, sys
entities = json.load(open(sys.argv[1]))["entities"]
headers = [e for e in entities if e["kind"] == 60]
again = sys.argv[2:] == ["again"]
assert len(headers) == (2 if again else 1), f"group headers: {headers}"
if again:
    other = [e for e in entities if e["kind"] != 60 and e["groupNo"] == headers[1]["groupNo"]]
    assert len(other) == 20, f"the second cylinder has {len(other)} members"
    assert [e["values"][2] for e in other if e["kind"] == 30] == [10], "the second cylinder's radius"
h = headers[0]
assert h["values"] == [40, 60, 1, 0] and h["codes"] == [10, 20, 10, 20] and h["groupNo"] > 0, f"the header: {h}"
members = [e for e in entities if e["kind"] != 60 and e["groupNo"] == h["groupNo"]]
# The plan, four sides of the elevation, the start edge, twelve pieces of the top, end edge, base.
assert len(members) == 1 + 4 + 1 + 12 + 2, f"{len(members)} members"
circles = [e for e in members if e["kind"] == 30]
assert len(circles) == 1 and circles[0]["values"] == [50, 70, 10], f"the plan: {circles}"
lines = [e["values"] for e in members if e["kind"] == 20]
assert [40, 90, 60, 90] in lines and [60, 90, 60, 120] in lines and [60, 120, 40, 110] in lines, "the elevation"
end = 70 + 2 * math.pi * 10
def has(x1, y1, x2, y2):
    return any(math.dist(v[:2], (x1, y1)) < 1e-9 and math.dist(v[2:], (x2, y2)) < 1e-9 for v in lines)
assert has(70, 90, 70, 110), "the start edge up to H1"
assert has(end, 110, end, 90) and has(end, 90, 70, 90), "the end edge and the base, 2πR long"
assert any(math.dist(v[2:], (70 + math.pi * 10, 120)) < 1e-9 for v in lines), "H2 half way round"
PY

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

e2e_open_drawing
e2e_find_red_line

step "円柱展開図 on the drawing palette"
e2e_on_palette 105 94  # the development family: the fourth button of the fourth row
e2e_on_palette 30 113  # the list's first row
focus "$main"

step "the place: the red line's start"
e2e_click_near 40 60 3 -2

step "R, H1, H2 and the pieces typed, 実　行"
dialog=$(window '^展開図$' 15) || fail "no development dialog"
focus "$dialog"
xdotool type --delay 20 "10"
xdotool key Tab sleep 0.1 type --delay 20 "20"
xdotool key Tab sleep 0.1 type --delay 20 "30"
xdotool key Tab sleep 0.1 type --delay 20 "12"
xdotool key Return
for _ in $(seq 1 20); do window '^展開図$' 1 --onlyvisible >/dev/null || break; done
sleep 0.5

step "Ctrl+S: the group"
e2e_save_and_check
grep -q "^Edit01=10$" "$PLENWICK_HOME/Plenwick.ini" || fail "Plenwick.ini does not keep the radius"
grep -q "^Edit04=12$" "$PLENWICK_HOME/Plenwick.ini" || fail "Plenwick.ini does not keep the pieces"

step "the next dialog shows the texts again: 実　行 alone"
focus "$main"
e2e_click_near 200 150 0 0
dialog=$(window '^展開図$' 15) || fail "no development dialog"
focus "$dialog"
xdotool key Return
for _ in $(seq 1 20); do window '^展開図$' 1 --onlyvisible >/dev/null || break; done
sleep 0.5
e2e_save_and_check again
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
