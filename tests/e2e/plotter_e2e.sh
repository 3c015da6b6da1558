#!/usr/bin/env bash
# Drives plenwick in a virtual X server to a plotter: COM1 is set to a pseudo-terminal in
# Plenwick.ini, Alt+P opens プロッター出力処理 and its プロッター出力 plots the drawing, whose bytes
# the other end of the terminal receives as plenwick-cli convert writes them (without the file's
# line ends); then HPGL形式で保存... from the File menu by keyboard writes the file convert writes.
#   plotter_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool python3
e2e_lines_drawing "plot"
"$cli" convert "$work/drawing.pwk" "$work/expected.pgl"

# The plotter: a pseudo-terminal whose master is read into plot.out until the end string.
python3 - "$work" <<'PY' &
import os, select, sys, time
work = sys.argv[1]
master, slave = os.openpty()
with open(f"{work}/slave.tmp", "w") as f:
    f.write(os.ttyname(slave))
os.rename(f"{work}/slave.tmp", f"{work}/slave")
got = b""
until = time.time() + 90
while time.time() < until and b"PUSPPG;" not in got:
    if select.select([master], [], [], 0.2)[0]:
        got += os.read(master, 65536)
open(f"{work}/plot.out", "wb").write(got)
PY
plotter=$!
trap 'kill $plotter 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 1 40); do [ -s "$work/slave" ] && break; sleep 0.1; done
[ -s "$work/slave" ] || fail "no pseudo-terminal"
mkdir -p "$PLENWICK_HOME"
printf '[Plotter%%20Ports]\nCOM1=%s\n' "$(cat "$work/slave")" >"$PLENWICK_HOME/Plenwick.ini"

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"
e2e_open_drawing

step "Alt+P and プロッター出力 plot to COM1"
xdotool key alt+p
plot=$(window 'プロッター出力処理' 15) || fail "no プロッター出力処理 window"
focus "$plot"
xdotool key Return
for _ in $(seq 1 60); do [ -e "$work/plot.out" ] && break; sleep 0.25; done
[ -e "$work/plot.out" ] || fail "the plotter received no end string"
python3 - "$work" <<'PY' || fail "the plotter received other bytes than the drawing's commands"
import sys
work = sys.argv[1]
got = open(f"{work}/plot.out", "rb").read()
expected = open(f"{work}/expected.pgl", "rb").read().replace(b"\r\n", b"")
assert got == expected, (len(got), len(expected), got[:80])
PY

step "HPGL形式で保存... by keyboard"
main=$(window 'Plenwick - \[drawing.pwk' 10) || fail "the drawing's window is gone"
focus "$main"
# The File menu's enabled items down to HPGL形式で保存...
xdotool key alt+f
sleep 0.5
xdotool key Down Down Down Down Down Down Down Down Down Down Down Down Return
save=$(window 'HPGL形式で図面データの保存' 15) || fail "no HPGL save dialog"
focus "$save"
xdotool key ctrl+a
xdotool type --delay 10 "$work/out"
xdotool key Return
for _ in $(seq 1 40); do [ -s "$work/out.pgl" ] && break; sleep 0.25; done
[ -s "$work/out.pgl" ] || fail "out.pgl was not written"
cmp "$work/expected.pgl" "$work/out.pgl" || fail "out.pgl differs from what plenwick-cli convert writes"
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
