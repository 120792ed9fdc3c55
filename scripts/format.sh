#!/usr/bin/env bash
# Formats every C and C++ source git tracks or would track with the tree's .clang-format.
#   scripts/format.sh           rewrite the files in place
#   scripts/format.sh --check   change nothing; fail, naming the files, when one differs
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' '*.c')
if [ "${1:-}" = "--check" ]; then
  if ! clang-format-14 --dry-run --Werror "${sources[@]}"; then
    echo "These files differ from .clang-format; fix them with: scripts/format.sh" >&2
    exit 1
  fi
else
  clang-format-14 -i "${sources[@]}"
fi
