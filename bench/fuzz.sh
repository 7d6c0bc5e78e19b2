#!/usr/bin/env bash
# fuzz.sh [SECONDS_EACH] [FUZZER...]: builds the fuzzers with clang and runs each for the given
# time on a copy of its committed corpus, printing executions per second and totals.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DLUMORA_FUZZ=ON -DLUMORA_TESTS=OFF \
  -DLUMORA_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fuzzers=("$@")
if ((${#fuzzers[@]} == 0)); then
  mapfile -t fuzzers < <(ls tests/fuzz/corpus)
fi
cmake --build build-fuzz -j2 --target "${fuzzers[@]/#/fuzz_}"
status=0
for f in "${fuzzers[@]}"; do
  work=$(mktemp -d)
  cp -r "tests/fuzz/corpus/$f/." "$work/"
  log=build-fuzz/fuzz_$f.log
  if ! build-fuzz/bin/fuzz_"$f" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="build-fuzz/crash_${f}_" "$work" >"$log" 2>&1; then
    echo "fuzz_$f: FAILED (see $log)"
    status=1
  fi
  runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
  rate=$(grep -m1 'stat::average_exec_per_sec' "$log" | awk '{print $2}')
  echo "fuzz_$f: ${runs:-0} executions, ${rate:-0}/s in ${seconds}s"
  rm -rf "$work"
done
exit $status
