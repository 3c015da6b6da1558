#!/usr/bin/env bash
# Drives plenwick in a virtual X server with DXF: opens plan.dxf from the command line into a new
# drawing plan.pwk beside it, saves it with 上書き保存 and reads it with plenwick-cli (elements at
# their places on an A4 sheet, the Japanese text as Shift-JIS), writes it through ＤＸＦ形式で保存
# and its dialog and reads that file back with plenwick-cli convert; then opens other.dxf through
# ＤＸＦファイルを開く beside an other.pwk that exists, whose first 上書き保存 asks first.
#   dxf_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool python3

# An A4 sheet at 1:1 whose coordinates are relative to the paper's centre (148.5, 105).
python3 - "$work/plan.dxf" <<'PY'
import sys
pairs = [(0, "SECTION"), (2, "HEADER"), (9, "$ACADVER"), (1, "AC1009"), (9, "$DWGCODEPAGE"), (3, "ANSI_932"),
         (9, "$EXTMIN"), (10, "0"), (20, "0"), (9, "$EXTMAX"), (10, "297"), (20, "210"),
         (9, "$LTSCALE"), (40, "1.0"), (0, "ENDSEC"),
         (0, "SECTION"), (2, "ENTITIES"),
         (0, "LINE"), (8, "0"), (10, "-50"), (20, "-20"), (30, "0"), (11, "50"), (21, "30"), (31, "0"),
         (0, "CIRCLE"), (8, "0"), (10, "0"), (20, "0"), (40, "25"), (6, "DASHED"),
         (0, "TEXT"), (8, "0"), (10, "-40"), (20, "40"), (40, "5"), (1, "平面図"),
         (0, "ENDSEC"), (0, "EOF")]
with open(sys.argv[1], "wb") as f:
    for code, value in pairs:
        f.write(f"{code:3d}\r\n".encode("ascii") + value.encode("cp932") + b"\r\n")
PY

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

check_drawing() {  # $1: a .pwk file; the three elements where plan.dxf put them
  "$cli" dump --json "$1" >"$work/dump.json" || fail "plenwick-cli cannot read $1"
  python3 - "$work/dump.json" <<'PY' || fail "$1 does not hold the drawing of plan.dxf"
import json, sys
d = json.load(open(sys.argv[1]))
e = [x for x in d["entities"] if x["kind"] != 11]
kinds = [x["kind"] for x in e]
assert kinds == [20, 30, 40], kinds
assert e[0]["values"] == [98.5, 85, 198.5, 135], e[0]["values"]
assert e[1]["values"][:3] == [148.5, 105, 25] and e[1]["lineAttr"] == 200, e[1]
assert e[2]["values"][:3] == [108.5, 145, 5], e[2]["values"]
assert e[2]["text"] == "平面図", e[2]
assert d["header"]["paperSize"] == 4 and d["header"]["scale"] == 1, d["header"]
PY
}

step "plenwick plan.dxf opens a new drawing beside it"
"$plenwick" --no-splash "$work/plan.dxf" >"$work/plenwick.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
main=$(window 'Plenwick - \[plan.pwk\]' 20) || fail "no window for plan.pwk"
focus "$main"

step "上書き保存 writes plan.pwk"
xdotool key ctrl+s
for _ in $(seq 1 40); do [ -s "$work/plan.pwk" ] && break; sleep 0.25; done
[ -s "$work/plan.pwk" ] || fail "plan.pwk was not written"
check_drawing "$work/plan.pwk"

step "ＤＸＦ形式で保存 through its dialog"
# The File menu from the keyboard: the enabled items down to ＤＸＦ形式で保存.
xdotool key alt+f
sleep 0.5
xdotool key Down Down Down Down Down Down Down Down Return
save=$(window 'DXF形式で図面データの保存' 15) || fail "no DXF save dialog"
focus "$save"
xdotool key ctrl+a
xdotool type --delay 10 "$work/out"
xdotool key Return
for _ in $(seq 1 40); do [ -s "$work/out.dxf" ] && break; sleep 0.25; done
[ -s "$work/out.dxf" ] || fail "out.dxf was not written"

step "the DXF file read back"
"$cli" convert "$work/out.dxf" "$work/back.pwk" || fail "plenwick-cli cannot convert out.dxf"
check_drawing "$work/back.pwk"

step "ＤＸＦファイルを開く beside a drawing that exists"
cp "$work/plan.dxf" "$work/other.dxf"
printf 'an older drawing' >"$work/older"
cp "$work/older" "$work/other.pwk"
main=$(window 'Plenwick - \[plan.pwk' 10) || fail "the window of plan.pwk is gone"
focus "$main"
xdotool key alt+f
sleep 0.5
xdotool key Down Down Down Down Down Return
open=$(window 'ＤＸＦファイル指定' 15) || fail "no DXF open dialog"
focus "$open"
xdotool key ctrl+a
xdotool type --delay 10 "$work/other.dxf"
xdotool key Return
other=$(window 'Plenwick - \[other.pwk\]' 20) || fail "no window for other.pwk"
focus "$other"
xdotool key ctrl+s
ask=$(window '^Plenwick$' 15 --onlyvisible) ||
  fail "上書き保存 did not ask before replacing other.pwk"
cmp -s "$work/older" "$work/other.pwk" || fail "other.pwk was replaced before the answer"
focus "$ask"
xdotool key Return
for _ in $(seq 1 40); do cmp -s "$work/older" "$work/other.pwk" || break; sleep 0.25; done
check_drawing "$work/other.pwk"
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
