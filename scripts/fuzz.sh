#!/usr/bin/env bash
# Runs every libFuzzer harness long and prints, per harness, the runs, the
# runs per second and the coverage from libFuzzer's final statistics.
#
# Usage: scripts/fuzz.sh [SECONDS]
#   without an argument each harness runs 1,000,000 inputs; with one, each
#   runs for that many seconds. The inputs found are kept in
#   build/fuzz/corpus/<harness>/ and seed the next long run; crashes, leaks
#   and time-outs stay in build/fuzz/artifacts/<harness>/ and end the script
#   with a failure after the table.
set -uo pipefail
cd "$(dirname "$0")/.."

cmake --preset fuzz -DORBALT_WARNINGS_AS_ERRORS=ON >/dev/null && cmake --build --preset fuzz >/dev/null || exit 1

if [ $# -gt 0 ]; then
  budget=(-max_total_time="$1")
else
  budget=(-runs=1000000)
fi

status=0
printf '%-14s %12s %10s %8s %8s %s\n' harness runs runs/s cov ft result
for harness in section_file bmp_image config_file command_line dialog_values; do
  log="build/fuzz/$harness.log"
  scripts/run_fuzzer.sh "$harness" "build/fuzz/corpus/$harness" "${budget[@]}" -print_final_stats=1 >"$log" 2>&1
  code=$?
  result=ok
  [ $code -eq 0 ] || { result="FAILED ($code, see $log)"; status=1; }
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+' "$log" | tail -1)
  cov=$(sed -n 's/.* cov: \([0-9]*\) .*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\) .*/\1/p' <<<"$last")
  printf '%-14s %12s %10s %8s %8s %s\n' "$harness" "${runs:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}" "$result"
done
exit $status
