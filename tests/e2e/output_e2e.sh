#!/usr/bin/env bash
# Drives plenwick in a virtual X server: Ctrl+C in a drawing's window puts the whole drawing on
# the X clipboard, which another program (xclip) then lists with the metafile, SVG and picture
# types, and whose metafile starts with an EMF header naming the drawing's A4 frame.
#   output_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool xclip python3

e2e_lines_drawing "output e2e"

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

e2e_open_drawing
sleep 1

step "Ctrl+C"
focus "$main"
xdotool key ctrl+c
targets=""
for _ in $(seq 1 40); do
  targets=$(timeout 5 xclip -o -selection clipboard -t TARGETS 2>/dev/null || true)
  echo "$targets" | grep -qx 'image/x-emf' && break
  sleep 0.25
done
for t in image/x-emf image/emf image/svg+xml image/png; do
  echo "$targets" | grep -qx "$t" || fail "the clipboard does not offer $t: $targets"
done

step "the metafile from the clipboard"
timeout 10 xclip -o -selection clipboard -t image/x-emf >"$work/clip.emf"
python3 - "$work/clip.emf" <<'PY' || fail "the clipboard's metafile is not the A4 drawing"
import struct, sys
b = open(sys.argv[1], "rb").read()
kind, size = struct.unpack_from("<II", b, 0)
frame = struct.unpack_from("<4i", b, 24)
signature, version, total, records = struct.unpack_from("<IIII", b, 40)
assert kind == 1 and signature == 0x464D4520 and total == len(b), (kind, signature, total, len(b))
assert frame == (0, 0, 29700, 21000), frame
assert struct.unpack_from("<I", b, len(b) - 20)[0] == 14  # the end record last
PY
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
