#!/usr/bin/env bash
# Drives plenwick in a virtual X server through a crash: a line drawn in an opened drawing and one
# in a new drawing are autosaved after the short interval of Plenwick.ini; the program is killed
# with SIGKILL; started again it offers both, 復元 brings both back (the opened one under its own
# path, as a changed drawing) and saving writes exactly the autosaved lines to the drawings' files
# and leaves no autosave behind. Then that run autosaves another new drawing and quits without
# saving it: no files are left, and the next start asks nothing.
#   autosave_e2e.sh PLENWICK PLENWICK_CLI
set -euo pipefail
source "$(dirname "$0")/e2e_common.sh"
e2e_start "$@" xvfb-run xdotool import convert python3
e2e_lines_drawing "autosave e2e"
mkdir -p "$PLENWICK_HOME"
# Three seconds.
printf '[Autosave]\nInterval=0.05\n' >"$PLENWICK_HOME/Plenwick.ini"

cat >"$work/lines.py" <<'PY'
# Prints the lines (kind 20) of a plenwick-cli JSON dump, one "x1 y1 x2 y2" per line, sorted.
import json, sys
print("\n".join(sorted(" ".join(repr(float(v)) for v in e["values"]) for e in json.load(open(sys.argv[1]))["entities"] if e["kind"] == 20)))
PY

cat >"$work/inside.sh" <<'INSIDE'
#!/usr/bin/env bash
# Runs inside xvfb-run.
set -euo pipefail
plenwick=$1 cli=$2 work=$3
source "$4"
autosave=$work/state/plenwick/autosave
lines() { "$cli" dump --json "$1" >"$work/dump.json" && python3 "$work/lines.py" "$work/dump.json"; }
records() { ls "$autosave"/*.rec 2>/dev/null | wc -l; }
# The autosaved drawing whose record names path $1 ("" for the new drawing).
autosave_of() { grep -lx "path $1" "$autosave"/*.rec | sed 's/\.rec$/.pwk/'; }
# 新規作成 through the drawing-information dialog.
new_drawing() {
  xdotool key ctrl+n
  info=$(window '図面情報' 15) || fail "no drawing-information dialog"
  focus "$info"
  xdotool key Return
  window 'Plenwick - \[名称未設定\]' 15 >/dev/null || fail "no window for the new drawing"
}

e2e_open_drawing
e2e_find_red_line

step "a line between the blue lines' left ends in the opened drawing"
e2e_palette_family 80
focus "$main"
e2e_click_near 180 30 0 0
e2e_click_near 180 110 0 0

step "a line in a new drawing"
new_drawing
focus "$main"
e2e_click_near 60 150 0 0
e2e_click_near 140 170 0 0

step "both autosaved after the interval"
for _ in $(seq 1 60); do [ "$(records)" -eq 2 ] && break; sleep 0.25; done
[ "$(records)" -eq 2 ] || { ls -la "$autosave" || true; fail "expected two autosaved drawings"; }
sleep 0.5
opened_lines=$(lines "$(autosave_of "$work/drawing.pwk")") || fail "the opened drawing's autosave is unreadable"
new_lines=$(lines "$(autosave_of "")") || fail "the new drawing's autosave is unreadable"
[ "$(echo "$opened_lines" | grep -c .)" -eq 4 ] || fail "the opened drawing's autosave holds: $opened_lines"
echo "$opened_lines" | grep -qx '180.0 30.0 180.0 110.0' || fail "the new line is not (180, 30)-(180, 110): $opened_lines"
[ "$(echo "$new_lines" | grep -c .)" -eq 1 ] || fail "the new drawing's autosave holds: $new_lines"
[ "$(lines "$work/drawing.pwk" | grep -c .)" -eq 3 ] || fail "autosave touched the user's own file"

step "SIGKILL"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true

step "started again: the recovery dialog, 復元"
"$plenwick" --no-splash >"$work/plenwick.log" 2>&1 &
pid=$!
dialog=$(window '図面の復元' 20) || fail "no recovery dialog"
focus "$dialog"
xdotool key Return
main=$(window 'Plenwick - \[名称未設定 \*\]' 15) || fail "the new drawing was not restored as a changed drawing"
focus "$main"

step "上書き保存 of the restored new drawing asks for a name"
xdotool key ctrl+s
save=$(window '名前を付けて保存' 15) || fail "no save dialog"
focus "$save"
xdotool key ctrl+a
xdotool type --delay 10 "$work/new.pwk"
xdotool key Return
for _ in $(seq 1 40); do [ -s "$work/new.pwk" ] && break; sleep 0.25; done
[ "$(lines "$work/new.pwk")" = "$new_lines" ] || fail "new.pwk holds $(lines "$work/new.pwk"), not $new_lines"

step "閉じる, then 上書き保存 of the restored opened drawing writes its own file"
focus "$main"
xdotool key alt+f
sleep 0.5
xdotool key Down Down Return
main=$(window 'Plenwick - \[drawing.pwk \*\]' 15) || fail "the opened drawing was not restored under its path"
focus "$main"
xdotool key ctrl+s
window 'Plenwick - \[drawing.pwk\]' 15 >/dev/null || fail "上書き保存 did not save the opened drawing"
[ "$(lines "$work/drawing.pwk")" = "$opened_lines" ] || fail "drawing.pwk holds $(lines "$work/drawing.pwk"), not $opened_lines"
[ -z "$(ls "$autosave"/*.pwk "$autosave"/*.rec 2>/dev/null)" ] || fail "saved drawings left autosaves: $(ls "$autosave")"

step "a line in another new drawing, autosaved, then 終了 without saving"
new_drawing
e2e_palette_family 80
focus "$main"
e2e_click_near 60 150 0 0
e2e_click_near 140 170 0 0
for _ in $(seq 1 60); do [ "$(records)" -eq 1 ] && break; sleep 0.25; done
[ "$(records)" -eq 1 ] || fail "the change was not autosaved"
xdotool key alt+f
sleep 0.5
xdotool key Up Return
sleep 1
xdotool key alt+n
for _ in $(seq 1 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
! kill -0 "$pid" 2>/dev/null || fail "the program did not end"
[ -z "$(ls -A "$autosave")" ] || fail "a clean end left files: $(ls -A "$autosave")"
[ "$(lines "$work/drawing.pwk")" = "$opened_lines" ] || fail "the unsaved change reached drawing.pwk"

step "started again: no recovery dialog"
"$plenwick" --no-splash >"$work/plenwick.log" 2>&1 &
pid=$!
window 'Plenwick' 20 >/dev/null || fail "the program did not start"
! window '図面の復元' 4 >/dev/null || fail "a recovery dialog after a clean end"
kill "$pid"
echo "PASS"
INSIDE
e2e_run_inside "$plenwick" "$cli"
