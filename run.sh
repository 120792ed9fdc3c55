#!/usr/bin/env bash
# Installs what is missing, builds orbalt.exe and runs it under Wine on the
# current X display. Arguments are passed to the program (a section file).
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

cmake --preset windows
cmake --build --preset windows

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is not set); start orbalt from a desktop session" >&2
  exit 1
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine build/windows/bin/orbalt.exe "$@"
