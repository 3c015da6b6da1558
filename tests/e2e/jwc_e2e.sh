#!/usr/bin/env bash
# Drives plenwick in a virtual X server with JWC files (drawings of the DOS JW_CAD): opens old.jwc
# from the command line into a new drawing old.pwk beside it, saves it with 上書き保存 and reads it
# with plenwick-cli (the elements at the file's unit, not shifted, the scale and paper of its
# header, the text as Shift-JIS); then opens other.JWC through JWＣファイルを開く and its dialog.
#   jwc_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool python3

# 1:20 on A3 (paper 3) given 420 units wide: 20 model mm a unit. A line, a circle, an arc from 90
# to 180 degrees, the text 平面図 (height table entry 1: 2.5 units) and a point.
python3 - "$work/old.jwc" <<'PY'
import struct, sys
header = [0.0] * 31
header[0:4] = [1, 2, 1, 1]
header[9], header[11], header[30] = 20, 3, 420
out = bytearray(b"JW_CAD a.f.m".ljust(200, b"\0"))
out += ",".join("%g" % v for v in header).encode() + b","
out = out.ljust(400, b"\0") + bytes(400 + 404 + 404 + 101 + 22 + 22)
out += struct.pack("<11h", 0, 25, 0, 0, 0, 0, 0, 0, 0, 0, 0)
out += bytes(22 + 64 + 16 + 256 + 16 + 256 + 16)
assert len(out) == 2421
out += struct.pack("<4f3B3x", 1, 2, 11, 7, 0, 0, 0)
out += struct.pack("<3f2x3I2B2xBx", 5, 5, 1, 0, 0, 0, 2, 0, 1)
out += struct.pack("<3f2x3I2B2xBx", 5, 5, 2, 90, 180, 0, 0, 0, 0)
out += struct.pack("<4f4x2B2x", 1, 8, 2, 8, 1, 0) + "平面図".encode("cp932") + b"\0"
out += struct.pack("<2f2B2x", 3, 3, 0, 0)
open(sys.argv[1], "wb").write(out)
PY
cp "$work/old.jwc" "$work/other.JWC"

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

check_drawing() {  # $1: a .pwk file; the elements of old.jwc at 20 model mm a unit
  "$cli" dump --json "$1" >"$work/dump.json" || fail "plenwick-cli cannot read $1"
  python3 - "$work/dump.json" <<'PY' || fail "$1 does not hold the drawing of old.jwc"
import json, sys
d = json.load(open(sys.argv[1]))
e = [x for x in d["entities"] if x["kind"] != 11]
kinds = [x["kind"] for x in e]
assert kinds == [20, 30, 31, 40, 10], kinds
assert e[0]["values"] == [20, 40, 220, 140], e[0]["values"]
assert e[1]["values"] == [100, 100, 20] and e[1]["lineAttr"] == 100, e[1]
assert e[2]["values"] == [100, 100, 40, 90, 180], e[2]["values"]
assert e[3]["values"] == [20, 160, 50, 50, 0], e[3]["values"]
assert e[3]["text"] == "平面図" and e[3]["font"] == "ＭＳゴシック", e[3]
assert e[4]["values"] == [60, 60], e[4]["values"]
assert d["header"]["paperSize"] == 3 and d["header"]["scale"] == 20, d["header"]
PY
}

step "plenwick old.jwc opens a new drawing beside it"
"$plenwick" --no-splash "$work/old.jwc" >"$work/plenwick.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
main=$(window 'Plenwick - \[old.pwk\]' 20) || fail "no window for old.pwk"
focus "$main"

step "上書き保存 writes old.pwk"
xdotool key ctrl+s
for _ in $(seq 1 40); do [ -s "$work/old.pwk" ] && break; sleep 0.25; done
[ -s "$work/old.pwk" ] || fail "old.pwk was not written"
check_drawing "$work/old.pwk"

step "JWＣファイルを開く through its dialog"
xdotool key alt+f
sleep 0.5
# The enabled items down to JWＣファイルを開く.
xdotool key Down Down Down Down Down Down Return
open=$(window 'ＪＷ-ＣＡＤ形式ファイル指定' 15) || fail "no JWC open dialog"
focus "$open"
xdotool key ctrl+a
xdotool type --delay 10 "$work/other.JWC"
xdotool key Return
other=$(window 'Plenwick - \[other.pwk\]' 20) || fail "no window for other.pwk"
focus "$other"
xdotool key ctrl+s
for _ in $(seq 1 40); do [ -s "$work/other.pwk" ] && break; sleep 0.25; done
[ -s "$work/other.pwk" ] || fail "other.pwk was not written"
check_drawing "$work/other.pwk"
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
