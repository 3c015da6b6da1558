#!/usr/bin/env bash
# Drives plenwick in a virtual X server: opens a drawing made by plenwick-cli, zooms in with
# PageUp and checks the screen for the drawing's pixels, creates a new drawing through the
# information dialog, saves it with the keyboard and reads the file back with plenwick-cli.
#   app_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert compare

e2e_drawing_from_json <<'JSON'
{"header": {"drawingName": "e2e", "paperSize": 4, "scale": 1},
 "block": {"areaMin": [0, 0, 0], "areaMax": [297, 210, 0]},
 "entities": [
  {"kind": 20, "lineAttr": 3, "colour": 255, "codes": [10, 20, 11, 22], "values": [20, 20, 277, 190]},
  {"kind": 20, "lineAttr": 3, "colour": 255, "codes": [10, 20, 11, 22], "values": [20, 190, 277, 20]},
  {"kind": 30, "lineAttr": 3, "colour": 16711680, "codes": [10, 20, 40], "values": [148, 105, 60]}]}
JSON

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"

# Pixels of a colour in a screenshot.
count() { convert "$1" -alpha off -fuzz 20% -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:int(mean*w*h+0.5)]' info:; }
shot() { import -window root "$1"; }

e2e_open_drawing

step "drawing pixels on the screen"
red=0
for _ in $(seq 1 40); do
  shot "$work/before.png"
  red=$(count "$work/before.png" red)
  [ "$red" -gt 300 ] && break
  sleep 0.25
done
[ "$red" -gt 300 ] || fail "only $red red pixels before zooming"

step "PageUp zooms in"
xdotool key Prior
changed=0
for _ in $(seq 1 20); do
  sleep 0.25
  shot "$work/after.png"
  diff=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
  if [ "${diff%%.*}" -gt 500 ] 2>/dev/null; then changed=1; break; fi
done
[ "$changed" = 1 ] || fail "the picture did not change after PageUp"
red_after=$(count "$work/after.png" red)
[ "$red_after" -gt 300 ] || fail "only $red_after red pixels after zooming"
blue_after=$(count "$work/after.png" blue)
[ "$blue_after" -gt 100 ] || fail "the circle is missing after zooming ($blue_after blue pixels)"

step "new drawing through the information dialog"
xdotool key ctrl+n
info=$(window '図面情報' 15) || fail "no drawing-information dialog"
focus "$info"
xdotool type --delay 20 'e2e new drawing'
xdotool key Return
window 'Plenwick - \[名称未設定\]' 15 >/dev/null || fail "no window for the new drawing"
focus "$main"

step "save with the keyboard"
xdotool key ctrl+s
save=$(window '名前を付けて保存' 15) || fail "no save dialog"
focus "$save"
xdotool key ctrl+a
xdotool type --delay 10 "$work/new.pwk"
xdotool key Return
for _ in $(seq 1 40); do [ -s "$work/new.pwk" ] && break; sleep 0.25; done
[ -s "$work/new.pwk" ] || fail "new.pwk was not written"
window 'Plenwick - \[new.pwk\]' 10 >/dev/null || fail "the window did not take the saved file's name"

step "the saved file"
"$cli" info "$work/new.pwk" >"$work/info.txt" || fail "plenwick-cli cannot read new.pwk"
grep -q '^drawing name: e2e new drawing$' "$work/info.txt" || { cat "$work/info.txt"; fail "drawing name not saved"; }
grep -q '^format version: 3$' "$work/info.txt" || fail "not a version-3 drawing"
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
