#!/usr/bin/env bash
# Drives plenwick in a virtual X server: opens 初期値設定 from the Options menu, goes to the
# ペン設定 page with Ctrl+Tab, types a new width for pen 1 and presses 設定保存; the parameter file
# holds the width at once (offset 164, float), and still after quitting, when closing the
# drawing writes the program's settings back into it.
#   settings_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool python3

e2e_drawing_from_json <<'JSON'
{"header": {"drawingName": "settings e2e", "paperSize": 4, "scale": 1},
 "block": {"areaMin": [0, 0, 0], "areaMax": [297, 210, 0]},
 "entities": [
  {"kind": 20, "lineAttr": 0, "colour": 255, "codes": [10, 20, 11, 22], "values": [40, 60, 160, 60]}]}
JSON

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

# Pen 1's width in the parameter file, "%.2f".
pen1() { python3 -c 'import struct, sys; d = open(sys.argv[1], "rb").read(); assert len(d) == 728, len(d)
print("%.2f" % struct.unpack_from("<f", d, 164)[0])' "$PLENWICK_HOME/PWKPRM.DAT"; }

e2e_open_drawing
[ "$(pen1)" = "0.13" ] || fail "pen 1 is $(pen1) mm before the dialog, not the default 0.13"

step "初期値設定 from the Options menu"
xdotool key alt+o
sleep 0.5
xdotool key Down Return
dialog=$(window '初期値設定' 15) || fail "no 初期値設定 dialog"
focus "$dialog"

step "ペン設定: pen 1 0.77 mm, 設定保存"
for _ in $(seq 1 7); do xdotool key ctrl+Tab; sleep 0.2; done
xdotool key ctrl+a
xdotool type --delay 20 "0.77"
xdotool key Return
for _ in $(seq 1 40); do [ "$(pen1)" = "0.77" ] && break; sleep 0.25; done
[ "$(pen1)" = "0.77" ] || fail "pen 1 is $(pen1) mm after 設定保存"

step "quit from the File menu"
focus "$main"
xdotool key alt+f
sleep 0.5
xdotool key Up Return
for _ in $(seq 1 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
kill -0 "$pid" 2>/dev/null && fail "the program is still running"
[ "$(pen1)" = "0.77" ] || fail "pen 1 is $(pen1) mm after quitting"
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
