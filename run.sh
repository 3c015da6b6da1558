#!/usr/bin/env bash
# Builds the program and starts plenwick with the given arguments (drawings to open, options).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here"/scripts/install-deps.sh
cmake -S "$here" -B "$here"/build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLENWICK_TESTS=OFF >/dev/null
cmake --build "$here"/build/run -j"$(nproc)" >/dev/null

wants_window=1
for arg in "$@"; do
  case "$arg" in
    --help | -h | --version) wants_window=0 ;;
    --) break ;;
  esac
done
if [ "$wants_window" = 1 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: there is no display (\$DISPLAY and \$WAYLAND_DISPLAY are unset)." >&2
  echo "Run the program in a virtual X server instead:  xvfb-run -a ./run.sh $*" >&2
  exit 1
fi
exec "$here"/build/run/app/plenwick "$@"
