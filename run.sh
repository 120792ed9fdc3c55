#!/usr/bin/env bash
# Installs what is missing, builds orbalt.exe and runs it under Wine.
# With an X display (DISPLAY set) the program opens its window there as usual;
# arguments are passed to it (a section file). Without one, a short demo
# flight runs on a private virtual display instead (scripts/demo-flight.py,
# the same driving code as the end-to-end tests): it flies forward, turning a
# little, saves a screenshot a second into a folder whose name it prints,
# prints the frame rate, quits with Escape and exits with the program's code.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

cmake --preset windows
cmake --build --preset windows

export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ -z "${DISPLAY:-}" ]; then
  exec scripts/demo-flight.py "$@"
fi
exec wine build/windows/bin/orbalt.exe "$@"
