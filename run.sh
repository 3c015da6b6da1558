#!/usr/bin/env bash
# Builds the program and starts it with the given arguments.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here"/scripts/install-deps.sh
cmake -S "$here" -B "$here"/build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLENWICK_TESTS=OFF >/dev/null
cmake --build "$here"/build/run -j"$(nproc)" >/dev/null
if [ -x "$here"/build/run/app/plenwick ]; then
  exec "$here"/build/run/app/plenwick "$@"
fi
exec "$here"/build/run/cli/plenwick-cli "$@"
