# Shared by the end-to-end tests (sourced): skipping when X tools are missing, a private set of
# folders, helpers for windows inside the virtual X server, and running a script there.

e2e_common=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/e2e_common.sh

# Exits 77 (skipped) when one of the named commands is missing.
e2e_require() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
  done
}

# A private work folder ($work, removed on exit) and program folders inside it.
e2e_setup() {
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  export PLENWICK_HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# The start of every test: $plenwick and $cli from its arguments (PLENWICK PLENWICK_CLI), then
# e2e_require of the commands named after them and e2e_setup.
e2e_start() {
  plenwick=$1 cli=$2
  shift 2
  e2e_require "$@"
  e2e_setup
}

# The drawing $work/drawing.pwk made by plenwick-cli from the JSON on standard input.
e2e_drawing_from_json() {
  cat >"$work/in.json"
  "$cli" from-json "$work/in.json" "$work/drawing.pwk"
}

# The drawing of the tests that snap to lines: a red line (40, 60)-(160, 60) (midpoint (100, 60))
# and two blue lines crossing at (220, 70), from (180, 30) to (260, 110) and (180, 110) to
# (260, 30), on an A4 sheet named $1; $2, when given, adds elements (JSON objects, each after a
# comma).
e2e_lines_drawing() {
  e2e_drawing_from_json <<JSON
{"header": {"drawingName": "$1", "paperSize": 4, "scale": 1},
 "block": {"areaMin": [0, 0, 0], "areaMax": [297, 210, 0]},
 "entities": [
  {"kind": 20, "lineAttr": 7, "colour": 255, "codes": [10, 20, 11, 22], "values": [40, 60, 160, 60]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [180, 30, 260, 110]},
  {"kind": 20, "lineAttr": 7, "colour": 16711680, "codes": [10, 20, 11, 22], "values": [180, 110, 260, 30]}${2:-}]}
JSON
}

fail() { echo "FAIL: $*"; exit 1; }

# Inside the virtual X server: finds the red line (40, 60)-(160, 60) of the test's drawing on the
# screen and sets rw rh rx ry (its blob's width, height and corner) for e2e_pixel.
e2e_find_red_line() {
  local red=""
  for _ in $(seq 1 40); do
    import -window root "$work/screen.png"
    red=$(largest_blob "$work/screen.png" 'rgb(255,0,0)' 10%)
    [ -n "$red" ] && break
    sleep 0.25
  done
  [ -n "$red" ] || fail "the red line is not on the screen"
  read -r rw rh rx ry <<<"$red"
  [ "$rw" -gt 100 ] || fail "the red line is only $rw pixels long"
}

# Clicks ($3, $4) pixels off model point ($1, $2), after coming there as a hand does.
e2e_click_near() {
  local px py
  read -r px py <<<"$(e2e_pixel "$1" "$2")"
  xdotool mousemove $((px + $3 + 12)) $((py + $4 + 9)) sleep 0.2 mousemove $((px + $3)) $((py + $4)) sleep 0.2 click 1
  sleep 0.4
}
# Drags from model point ($1, $2) to $5 pixels right and $6 down (default 0) of model point ($3, $4)
# in small steps, after coming to the start as a hand does.
e2e_drag() {
  local ax ay bx by i
  read -r ax ay <<<"$(e2e_pixel "$1" "$2")"
  read -r bx by <<<"$(e2e_pixel "$3" "$4")"
  bx=$((bx + ${5:-0})) by=$((by + ${6:-0}))
  xdotool mousemove $((ax + 12)) $((ay + 9)) sleep 0.2 mousemove "$ax" "$ay" sleep 0.2 mousedown 1
  for i in $(seq 1 10); do
    xdotool mousemove $((ax + (bx - ax) * i / 10)) $((ay + (by - ay) * i / 10)) sleep 0.03
  done
  xdotool sleep 0.2 mouseup 1
  sleep 0.4
}
step() { echo "-- $*"; }
# The window whose title matches $1, waited for at most $2 seconds (default 15); further arguments
# are more options of xdotool search (--onlyvisible).
window() {
  local pattern=$1 deadline=$((SECONDS + ${2:-15})) id
  shift $(($# < 2 ? $# : 2))
  # xdotool gives up on an X error when a window goes away while it looks at it: look again.
  while [ "$SECONDS" -lt "$deadline" ]; do
    id=$(xdotool search "$@" --name "$pattern" 2>/dev/null | head -n 1) || true
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
  return 1
}
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.3; }

# "W H X Y" (pixels) of the largest blob of colour $2 (within fuzz $3) in screenshot $1; nothing
# when there is none.
largest_blob() {
  convert "$1" -alpha off -fuzz "$3" -fill black +opaque "$2" -fill white -opaque "$2" \
    -define connected-components:verbose=true -define connected-components:area-threshold=2 \
    -connected-components 8 null: 2>/dev/null |
    awk '$NF ~ /255,255,255|gray\(255\)|white/ { print $4, $2 }' | sort -n | tail -n 1 |
    awk '{ split($2, g, /[x+]/); print g[1], g[2], g[3], g[4] }'
}

# Inside the virtual X server: starts the program on $work/drawing.pwk ($pid, killed on exit) and
# focuses the drawing's window ($main).
e2e_open_drawing() {
  "$plenwick" --no-splash "$work/drawing.pwk" >"$work/plenwick.log" 2>&1 &
  pid=$!
  trap 'kill $pid 2>/dev/null || true' EXIT
  step "the drawing's window"
  main=$(window 'Plenwick - \[drawing.pwk\]' 20) || fail "no window for drawing.pwk"
  [ -n "$main" ] || fail "no window for drawing.pwk"
  focus "$main"
}

# Inside the virtual X server: Ctrl+S in the drawing's window, then waits until $work/check.py
# accepts plenwick-cli's dump ($work/dump.json, with the dimensions' parts) with the arguments
# given; fails when it never does.
e2e_save_and_check() {
  focus "$main"
  xdotool key ctrl+s
  for _ in $(seq 1 40); do
    "$cli" dump --json --parts "$work/drawing.pwk" >"$work/dump.json" 2>/dev/null &&
      python3 "$work/check.py" "$work/dump.json" "$@" >/dev/null 2>&1 && break
    sleep 0.25
  done
  python3 "$work/check.py" "$work/dump.json" "$@" || fail "the saved drawing is not as expected ($*)"
}

# Inside the virtual X server: the white fields "x y w h" (centres, pixels) of the screen that
# have the size of an edit field (the operation bar's edits).
e2e_white_fields() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -alpha off -fuzz 15% -fill black +opaque white -fill white -opaque white \
    -define connected-components:verbose=true -define connected-components:area-threshold=200 \
    -connected-components 8 null: 2>/dev/null |
    awk '$NF ~ /255,255,255|gray\(255\)|white/ { split($2, g, /[x+]/); split($3, c, ","); if (g[1] > 40 && g[1] < 200 && g[2] < 40) printf "%d %d %d %d\n", c[1] + 0.5, c[2] + 0.5, g[1], g[2] }' | sort
}

# Inside the virtual X server: clicks at ($1, $2) in the drawing palette window.
e2e_on_palette() {
  local X Y WIDTH HEIGHT SCREEN WINDOW palette
  palette=$(window '作図パレット' 15) || fail "no drawing palette"
  eval "$(xdotool getwindowgeometry --shell "$palette")"
  xdotool mousemove $((X + $1)) $((Y + $2)) click 1
  sleep 0.5
}

# Inside the virtual X server: clicks a family button on the first row of the drawing palette by
# its x offset in the palette window (80: the line family, the third button).
e2e_palette_family() { e2e_on_palette "$1" 14; }

# The screen pixel "x y" of model point ($1, $2), from a red line (40, 60)-(160, 60) found on the
# screen as the blob $rw wide at ($rx, $ry).
e2e_pixel() {
  python3 -c 'import sys; w, x, y, mx, my = map(float, sys.argv[1:]); s = (w - 1) / 120
print(round(x + (mx - 40) * s), round(y - (my - 60) * s))' "$rw" "$rx" "$ry" "$1" "$2"
}

# Runs $work/inside.sh PLENWICK PLENWICK_CLI WORK E2E_COMMON in a virtual X server (at most
# 100 s), prints how long it took and, when it failed, what the program printed; exits with
# its status.
e2e_run_inside() {
  local plenwick=$1 cli=$2 started status=0
  chmod +x "$work/inside.sh"
  started=$(date +%s)
  # From a display number of its own choosing: two test runs at once (two checkouts) would
  # otherwise both start at :99 and may take it together.
  timeout 100 xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x1024x24" "$work/inside.sh" "$plenwick" "$cli" "$work" \
    "$e2e_common" || status=$?
  echo "took $(($(date +%s) - started)) s"
  if [ "$status" -ne 0 ]; then
    echo "--- program output"
    cat "$work/plenwick.log" 2>/dev/null || true
  fi
  exit "$status"
}
