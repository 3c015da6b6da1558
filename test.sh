#!/usr/bin/env bash
# Builds and runs every test: the gcc build (warnings are errors), the core under AddressSanitizer
# and UndefinedBehaviorSanitizer with clang, and a short bounded run of each fuzz target.
#   FUZZ_SECONDS  seconds per fuzz target (default 20)
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-20}

echo "== gcc build and tests"
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLENWICK_WERROR=ON >/dev/null
cmake --build build/ci -j"$jobs"
ctest --test-dir build/ci --output-on-failure -j"$jobs" --timeout 600

echo "== sanitizer build and core tests"
CXX=clang++ cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLENWICK_SANITIZE=ON \
  -DPLENWICK_FUZZ=ON -DPLENWICK_CORE_ONLY=ON -DPLENWICK_WERROR=ON >/dev/null
cmake --build build/asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/asan --output-on-failure -j"$jobs" --timeout 900

echo "== fuzzing, ${fuzz_seconds}s per target"
for target in build/asan/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=build/asan/fuzz-corpus/$name
  mkdir -p "$corpus" build/asan/fuzz-artifacts
  [ -d "fuzz/corpus/$name" ] && cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  if [ "$name" = fuzz_jww ]; then
    # Seeds besides ours: the small real drawings of other programs, when they are at hand.
    find ../shared/samples/jww -name '*.jww' -size -40k -exec cp -n {} "$corpus"/ \; 2>/dev/null || true
  fi
  echo "-- $name"
  ASAN_OPTIONS=detect_leaks=1 "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 \
    -malloc_limit_mb=1024 -timeout=10 -print_final_stats=0 \
    -artifact_prefix=build/asan/fuzz-artifacts/"$name"- "$corpus" 2>&1 | tail -n 3
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "fuzz target $name failed"; exit 1; }
done
echo "== all tests passed"
