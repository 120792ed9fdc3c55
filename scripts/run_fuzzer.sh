#!/usr/bin/env bash
# Runs one libFuzzer harness of the fuzz preset over its committed seeds.
#
# Usage: scripts/run_fuzzer.sh HARNESS CORPUS [LIBFUZZER-OPTION...]
#   HARNESS  section_file, bmp_image, config_file, command_line or dialog_values
#   CORPUS   the folder that receives the inputs found (made if missing);
#            "fresh" for a private one removed afterwards, so that a bounded
#            run with a fixed -seed does the same work every time
# Every run has a per-input time limit of 2 s (a longer input counts as a
# failure) and a memory limit of 2 GiB. A crash, leak or time-out leaves its
# input in build/fuzz/artifacts/HARNESS/. Exit code 125: the harness is not
# built (cmake --preset fuzz && cmake --build --preset fuzz); libFuzzer itself
# never exits with it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
harness="$1"
corpus="$2"
shift 2

binary="${ORBALT_FUZZ_BIN_DIR:-$root/build/fuzz/bin}/fuzz_$harness"
seeds="$root/fuzz/corpus/$harness"
if [ ! -x "$binary" ]; then
  echo "$binary is not built: cmake --preset fuzz && cmake --build --preset fuzz" >&2
  exit 125
fi
[ -d "$seeds" ] || { echo "no seed corpus $seeds" >&2; exit 2; }

if [ "$corpus" = fresh ]; then
  corpus="$(mktemp -d "${TMPDIR:-/tmp}/orbalt-fuzz-$harness-XXXXXX")"
  trap 'rm -rf "$corpus"' EXIT
fi
artifacts="$root/build/fuzz/artifacts/$harness"
mkdir -p "$corpus" "$artifacts"

# Not exec: the trap removes a fresh corpus when the run ends.
"$binary" -timeout=2 -rss_limit_mb=2048 -artifact_prefix="$artifacts/" "$@" "$corpus" "$seeds"
