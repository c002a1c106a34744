#!/usr/bin/env bash
# Real fuzzing runs: builds every fuzz target with clang's libFuzzer (plus AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given time, starting from its seed corpus.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]     (default: 600 s, every target)
# Targets run side by side; new inputs go to build-fuzz/corpus/<target>, findings to
# build-fuzz/findings/<target>. A finding worth keeping goes to tests/fuzz/reproducers/<target>/,
# which every test run replays.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
seconds=${1:-600}
shift || true
dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DVELMAR_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
cmake --build "$dir" -j "$(nproc)" --target fuzz_seeds "${targets[@]}"
"$dir/tests/fuzz/fuzz_seeds" "$dir/seeds"

pids=()
for t in "${targets[@]}"; do
  name=${t%_fuzz}
  mkdir -p "$dir/corpus/$name" "$dir/findings/$name"
  inputs=("$dir/corpus/$name" "$dir/seeds/$name")
  [ -d "tests/fuzz/reproducers/$name" ] && inputs+=("tests/fuzz/reproducers/$name")
  (cd "$dir/findings/$name" &&
   ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1 \
   "../../tests/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=1100000 \
     -print_final_stats=1 -close_fd_mask=1 "${inputs[@]/#/../../../}" >"../$name.log" 2>&1) &
  pids+=($!)
done
status=0
for p in "${pids[@]}"; do wait "$p" || status=1; done
for t in "${targets[@]}"; do
  name=${t%_fuzz}
  runs=$(grep -E "stat::number_of_executed_units" "$dir/findings/$name.log" | awk '{print $2}' || true)
  echo "$t: ${runs:-?} executions in $seconds s$( [ -n "$(ls -A "$dir/findings/$name" 2>/dev/null)" ] && echo ", FINDINGS in $dir/findings/$name")"
done
exit $status
