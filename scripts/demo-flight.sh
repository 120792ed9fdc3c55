#!/usr/bin/env bash
# A short demo flight of build/windows/bin/orbalt.exe on a private Xvfb, for
# machines without a display: runs a copy of the program directory, dismisses
# the About box, holds the left mouse button (fly forward) while nudging the
# mouse (turn a little), saves screenshots into a new folder under build/,
# and quits with Escape.
# Arguments are passed to the program (a section file).
#
# Environment: ORBALT_DEMO_SECONDS (flight time, default 6),
# ORBALT_DEMO_PREFIX (the Wine prefix, default build/demo-prefix; created
# once, with Wine's windows unmanaged so that no window manager is needed).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${ORBALT_DEMO_SECONDS:-6}"
export WINEPREFIX="${ORBALT_DEMO_PREFIX:-$PWD/build/demo-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
shots="$PWD/build/demo-flight-$(date +%Y%m%d-%H%M%S)"
# The program runs from a copy, so that its log lands beside the screenshots
# and the build's own program directory stays as built.
program_dir="$shots/program"
mkdir -p "$shots"
cp -r build/windows/bin "$program_dir"

xvfb_pid=""
wine_pid=""
cleanup() {
  if [ -n "$wine_pid" ] && kill -0 "$wine_pid" 2>/dev/null; then
    wineserver -k 2>/dev/null || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it once it accepts clients.
Xvfb -screen 0 1024x768x24 -nolisten tcp -noreset -displayfd 3 3>"$shots/display" 2>"$shots/xvfb.log" &
xvfb_pid=$!
number=""
for _ in $(seq 100); do
  number=$(tr -d '\n' <"$shots/display")
  [ -n "$number" ] && break
  sleep 0.1
done
[ -n "$number" ] || { echo "demo-flight: Xvfb did not start (see $shots/xvfb.log)" >&2; exit 1; }
rm -f "$shots/display"
export DISPLAY=":$number"
echo "demo-flight: virtual display $DISPLAY"

if [ ! -e "$WINEPREFIX/.orbalt-demo-ready" ]; then
  echo "demo-flight: creating the Wine prefix $WINEPREFIX (once, about 15 s)"
  wine wineboot -i >/dev/null 2>&1
  wineserver -w
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.orbalt-demo-ready"
fi

# Waits up to $2 seconds for a visible window titled exactly $1; prints its id.
wait_window() {
  local deadline=$((SECONDS + $2)) id
  while [ "$SECONDS" -le "$deadline" ]; do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  echo "demo-flight: no window titled '$1' within $2 s" >&2
  return 1
}

# Presses a key in the window titled $1 until no such window is left (a key
# sent right after a window appears can get lost).
press_until_gone() {
  local title=$1 key=$2 id tries=0
  while id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) && [ -n "$id" ]; do
    [ $tries -lt 20 ] || { echo "demo-flight: '$title' does not close" >&2; return 1; }
    xdotool key --window "$id" "$key" 2>/dev/null || true
    sleep 1
    tries=$((tries + 1))
  done
}

wine "$program_dir/orbalt.exe" "$@" >"$shots/console.txt" 2>"$shots/wine.log" &
wine_pid=$!

wait_window "Orbalt, the demo" 60 >/dev/null
press_until_gone "Orbalt, the demo" Return
window=$(wait_window orbalt 30)
sleep 1
# The program window alone, or the whole screen should the window be gone.
screenshot() {
  import -window "$window" "$shots/shot-$1.png" 2>/dev/null || import -window root "$shots/shot-$1.png"
}
shot=1
screenshot $shot

# Fly: the left button held, a small step of the mouse to the right now and
# then; a screenshot every second.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) mousedown 1
for ((second = 1; second <= seconds; second++)); do
  for step in 1 2 3 4 5; do
    xdotool mousemove_relative 2 0
    sleep 0.2
  done
  shot=$((shot + 1))
  screenshot $shot
done
xdotool mouseup 1

press_until_gone orbalt Escape
wait "$wine_pid" && status=0 || status=$?
wine_pid=""
echo "demo-flight: orbalt exited with code $status; $shot screenshots in $shots"
exit "$status"
