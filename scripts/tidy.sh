#!/usr/bin/env bash
# Runs clang-tidy, with the checks in .clang-tidy, over the rooms' sources as
# the native build compiles them, two files at a time. Prints every finding and
# fails when there is one.
#   scripts/tidy.sh            every source of platform, display, tunnel, flight, shell, saver, drawbench and tools
#   scripts/tidy.sh FILE...    only these sources (paths from the repository root)
set -euo pipefail
cd "$(dirname "$0")/.."

tidy=${CLANG_TIDY:-clang-tidy-14}
jobs=${TIDY_JOBS:-2}
build=build/native

if ! command -v "$tidy" >/dev/null; then
  echo "tidy.sh: $tidy not found (Debian: apt-get install clang-tidy-14)" >&2
  exit 1
fi

# Configuring writes the compile database; no room source includes a generated
# header, so nothing has to be built first.
if [ ! -f "$build/compile_commands.json" ]; then
  cmake --preset native >/dev/null
fi

if [ $# -gt 0 ]; then
  sources=("$@")
else
  # The rooms' entries in the database. Natively platform/ is the console and
  # the stand-in; platform/win32 is only in the Windows build, which has no
  # database. Tests, benchmarks and fuzz harnesses are not rooms.
  mapfile -t sources < <(python3 - "$build/compile_commands.json" "$PWD" <<'EOF'
import json, os, re, sys
root = sys.argv[2]
rooms = re.compile(r"(platform|display|tunnel|flight|shell|saver|drawbench|tools)/")
files = set()
for entry in json.load(open(sys.argv[1])):
    path = os.path.relpath(os.path.join(entry["directory"], entry["file"]), root)
    if rooms.match(path):
        files.add(path)
print("\n".join(sorted(files)))
EOF
  )
fi
if [ ${#sources[@]} -eq 0 ]; then
  echo "tidy.sh: no sources found in $build/compile_commands.json" >&2
  exit 1
fi

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

# One clang-tidy per file, its output kept apart so that parallel runs do not
# interleave. GCC-only warning flags in the database are unknown to Clang.
tidy_one() {
  local log="$logs/${1//\//_}.log"
  if ! "$tidy" -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option "$1" >"$log" 2>&1; then
    touch "$log.failed"
  fi
}
export -f tidy_one
export tidy build logs
printf '%s\n' "${sources[@]}" | xargs -d '\n' -P "$jobs" -n 1 bash -c 'tidy_one "$1"' _

failed=0
for source in "${sources[@]}"; do
  log="$logs/${source//\//_}.log"
  if [ -e "$log.failed" ]; then
    failed=$((failed + 1))
    echo "== $source"
    # Drop the "N warnings generated." tallies; the findings themselves stay.
    grep -v '^[0-9]\+ \(warning\|error\)s\? \(generated\|treated as errors\?\)\.\?$' "$log" || true
  fi
done

if [ "$failed" -gt 0 ]; then
  echo "tidy.sh: findings in $failed of ${#sources[@]} files; fix them or say on the line why the code is right: // NOLINT(check-name): reason" >&2
  exit 1
fi
echo "tidy.sh: ${#sources[@]} files clean"
