#!/usr/bin/env bash
# Drives plenwick in a virtual X server through the dimension tool: 寸法 on the drawing palette
# (its first row, 距離寸法), 2 typed into the bar's "少数桁数", then a click on each end of the
# hypotenuse of a 30-40-50 triangle of red points and one beside it for the dimension line.
# After Ctrl+S plenwick-cli's dump holds one dimension of kind 0 measuring 50 with format code
# 1120 whose generated parts show "50.00"; Ctrl+Z and another save leave none.
#   dimension_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3

# A(90, 110), B(130, 110), C(90, 140): the hypotenuse B-C is 50 mm long.
e2e_drawing_from_json <<'JSON'
{"header": {"drawingName": "dimension e2e", "paperSize": 4, "scale": 1},
 "block": {"areaMin": [0, 0, 0], "areaMax": [297, 210, 0]},
 "entities": [
  {"kind": 10, "subKind": 1, "lineAttr": 7, "colour": 255, "codes": [10, 20], "values": [90, 110]},
  {"kind": 10, "subKind": 1, "lineAttr": 7, "colour": 255, "codes": [10, 20], "values": [130, 110]},
  {"kind": 10, "subKind": 1, "lineAttr": 7, "colour": 255, "codes": [10, 20], "values": [90, 140]}]}
JSON

cat >"$work/check.py" <<'PY'
# Checks plenwick-cli's dump ($1); $2 "undone": no dimension is left.
import json, sys
dims = [e for e in json.load(open(sys.argv[1]))["entities"] if e["kind"] == 50]
print("dimensions", [(e.get("subKind"), dict(zip(e["codes"], e["values"]))) for e in dims])
if sys.argv[2:] == ["undone"]:
    assert dims == [], "the dimension is taken back"
else:
    assert len(dims) == 1 and dims[0].get("subKind", 0) == 0, "one distance dimension"
    v = dict(zip(dims[0]["codes"], dims[0]["values"]))
    assert v[10] == 50, "it measures the hypotenuse"
    assert v[13] == 1120, "with two decimal places"
    texts = [p.get("text") for p in dims[0].get("parts", []) if p["kind"] == 40]
    assert texts == ["50.00"], "its text: %r" % texts
PY

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

# Centres "x y" of the blobs of colour $1 (of at least $2 pixels) on the screen, left to right.
blobs_of() {
  convert "$work/screen.png" -alpha off -fuzz 15% -fill black +opaque "$1" -fill white -opaque "$1" \
    -define connected-components:verbose=true -define connected-components:area-threshold="$2" \
    -connected-components 8 null: 2>/dev/null |
    awk '$NF ~ /255,255,255|gray\(255\)|white/ { split($2, g, /[x+]/); split($3, c, ","); printf "%d %d %d %d\n", c[1] + 0.5, c[2] + 0.5, g[1], g[2] }' | sort -n
}

e2e_open_drawing

step "the three red points"
points=""
for _ in $(seq 1 40); do
  import -window root "$work/screen.png"
  points=$(blobs_of red 4)
  [ "$(echo "$points" | grep -c .)" -eq 3 ] && break
  sleep 0.25
done
[ "$(echo "$points" | grep -c .)" -eq 3 ] || fail "expected three red points on the screen, found: $points"

step "寸法 on the drawing palette: 距離寸法"
e2e_on_palette 112 40  # the dimension family: the fourth button of the second row
focus "$main"
sleep 0.5

step "2 into 少数桁数, the bar's second edit"
# The bar's edits are the row of white fields of one width above the drawing (the tool bar's one
# field has a row of its own), left to right.
import -window root "$work/screen.png"
edit=$(blobs_of white 200 | python3 -c '
import collections, sys
fields = [tuple(map(int, l.split())) for l in sys.stdin if l.strip()]
rows = collections.defaultdict(list)
for x, y, w, h in fields:
    if 40 < w < 200 and h < 40:
        rows[(y, w)].append(x)
row = max(rows.values(), key=len)
if len(row) >= 3:
    (y, _), = [k for k, v in rows.items() if v is row]
    print(sorted(row)[1], y)')
[ -n "$edit" ] || fail "no edit fields in the operation bar"
read -r ex ey _ <<<"$edit"
xdotool mousemove "$ex" "$ey" click --repeat 3 1
sleep 0.2
xdotool type --delay 50 "2"
xdotool key Tab
sleep 0.3

step "the hypotenuse's ends and a place beside it"
# The ends of the hypotenuse are the two points furthest apart; the line goes 40 pixels beyond
# its midpoint, away from the right angle.
read -r bx by cx cy px py <<<"$(echo "$points" | python3 -c '
import itertools, math, sys
p = [tuple(map(int, l.split()[:2])) for l in sys.stdin if l.strip()]
b, c = max(itertools.combinations(p, 2), key=lambda q: math.dist(*q))
a = next(q for q in p if q not in (b, c))
m = ((b[0] + c[0]) / 2, (b[1] + c[1]) / 2)
d = math.dist(m, a)
print(*b, *c, round(m[0] + (m[0] - a[0]) * 40 / d), round(m[1] + (m[1] - a[1]) * 40 / d))')"
focus "$main"
for xy in "$bx $by" "$cx $cy" "$px $py"; do
  read -r x y <<<"$xy"
  xdotool mousemove $((x + 12)) $((y + 9)) sleep 0.2 mousemove $((x + 1)) $((y + 1)) sleep 0.2 click 1
  sleep 0.4
done
e2e_save_and_check

step "Ctrl+Z takes the dimension back"
focus "$main"
xdotool key ctrl+z
sleep 0.3
e2e_save_and_check undone
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
