#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them: bench/run.sh [NAME...] (default: all).
# Each prints one line per figure: "figure-name value unit".
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build="$root/build/bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLENWICK_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in "$here"/bench_*.cpp; do n=$(basename "$f" .cpp); names+=("${n#bench_}"); done
fi
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
for name in "${names[@]}"; do
  exe="$build/bench/bench_$name"
  [ -x "$exe" ] || { echo "no benchmark named $name" >&2; exit 2; }
  "$exe" "$workdir"
done
