#!/usr/bin/env bash
# Installs what is missing, builds orbalt.exe and runs it under Wine.
# With an X display (DISPLAY set) the program opens its window there as usual;
# arguments are passed to it (a section file). Without one, a short demo
# flight runs on a private virtual display instead (scripts/demo-flight.sh):
# it flies forward, turning a little, saves a handful of screenshots into a
# folder whose name it prints, and quits with Escape.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

cmake --preset windows
cmake --build --preset windows

export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ -z "${DISPLAY:-}" ]; then
  exec scripts/demo-flight.sh "$@"
fi
exec wine build/windows/bin/orbalt.exe "$@"
