#!/usr/bin/env bash
# Drives plenwick in a virtual X server with a JWW drawing of another program: opens it from the
# command line into a new drawing plan.pwk beside it, saves that with 上書き保存 and checks with
# plenwick-cli what it holds (the records the drawing's description lists, the first line where
# the JWW file puts it); then writes it through JWW形式で保存 and its dialog and reads that file
# back with plenwick-cli convert. Skipped when the real drawings are not at hand.
#   jww_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
sample="$(dirname "$0")/../../../shared/samples/jww/v700_ansi_rect_circle_text_point.jww"
if [ ! -f "$sample" ]; then
  echo "SKIP: no JWW sample drawings at $(dirname "$sample")"
  exit 77
fi
e2e_start "$@" xvfb-run xdotool python3
cp "$sample" "$work/plan.jww"

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

# The drawing: a rectangle of 4 lines, a circle, an arc, 2 points and 2 texts besides the 6 setting
# texts the program writes, on an A3 sheet at 1:1 whose centre is the JWW origin.
check_drawing() {  # $1: a .pwk file
  "$cli" dump --json "$1" >"$work/dump.json" || fail "plenwick-cli cannot read $1"
  python3 - "$work/dump.json" "$work/plan.jww" <<'PY' || fail "$1 does not hold the drawing of plan.jww"
import collections, json, struct, sys
d = json.load(open(sys.argv[1]))
kinds = collections.Counter(x["kind"] for x in d["entities"] if x["kind"] != 11)
assert kinds == {20: 4, 30: 1, 31: 1, 10: 2, 40: 8}, kinds
assert d["header"]["paperSize"] == 3 and d["header"]["scale"] == 1, d["header"]
# The first line record follows its class name: common fields (15 bytes in version 7), then x1 y1 x2 y2.
raw = open(sys.argv[2], "rb").read()
at = raw.index(b"CDataSen") + len(b"CDataSen") + 15
x1, y1, x2, y2 = struct.unpack_from("<4d", raw, at)
first = [x for x in d["entities"] if x["kind"] == 20][0]
assert first["values"] == [x1 + 210, y1 + 148.5, x2 + 210, y2 + 148.5], (first["values"], (x1, y1, x2, y2))
PY
}

step "plenwick plan.jww opens a new drawing beside it"
"$plenwick" --no-splash "$work/plan.jww" >"$work/plenwick.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
main=$(window 'Plenwick - \[plan.pwk\]' 20) || fail "no window for plan.pwk"
focus "$main"

step "上書き保存 writes plan.pwk"
xdotool key ctrl+s
for _ in $(seq 1 40); do [ -s "$work/plan.pwk" ] && break; sleep 0.25; done
[ -s "$work/plan.pwk" ] || fail "plan.pwk was not written"
check_drawing "$work/plan.pwk"

step "JWW形式で保存 through its dialog"
# The File menu from the keyboard: the enabled items down to JWW形式で保存.
xdotool key alt+f
sleep 0.5
xdotool key Down Down Down Down Down Down Down Down Down Return
save=$(window 'JWW形式で図面データの保存' 15) || fail "no JWW save dialog"
focus "$save"
xdotool key ctrl+a
xdotool type --delay 10 "$work/out"
xdotool key Return
for _ in $(seq 1 40); do [ -s "$work/out.jww" ] && break; sleep 0.25; done
[ -s "$work/out.jww" ] || fail "out.jww was not written"
head -c 8 "$work/out.jww" | grep -q 'JwwData\.' || fail "out.jww is no JWW file"

step "the JWW file read back"
"$cli" convert "$work/out.jww" "$work/back.pwk" || fail "plenwick-cli cannot convert out.jww"
"$cli" dump --json "$work/back.pwk" >"$work/back.json"
"$cli" dump --json "$work/plan.pwk" >"$work/plan.json"
python3 - "$work/plan.json" "$work/back.json" <<'PY' || fail "out.jww does not read back to the drawing"
import json, sys
a, b = (json.load(open(p))["entities"] for p in sys.argv[1:])
a = [x for x in a if x["kind"] != 11]
b = [x for x in b if x["kind"] != 11]
order = {20: 0, 30: 1, 31: 1, 40: 2, 10: 3}  # lines, arcs and circles, texts, points
a.sort(key=lambda x: order[x["kind"]])
assert [x["kind"] for x in a] == [x["kind"] for x in b], ([x["kind"] for x in a], [x["kind"] for x in b])
for x, y in zip(a, b):
    assert all(abs(p - q) < 1e-6 for p, q in zip(x["values"], y["values"])), (x, y)
    assert x.get("text") == y.get("text"), (x, y)
PY
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
