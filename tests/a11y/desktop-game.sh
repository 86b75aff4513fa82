#!/bin/sh
# desktop-game.sh GAME SCRIPT [TOOL ...]: runs the game on an X server and accessibility bus of
# its own and runs the Python SCRIPT against it, which reads it through AT-SPI. Exit 77 when the
# tools for it (and each TOOL the script needs) are not installed.
set -eu
game=$1
script=$2
shift 2
for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher "$@"; do
  command -v "$tool" >/dev/null || { echo "desktop-game: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "desktop-game: python3-pyatspi is not installed"; exit 77; }
home=$(mktemp -d)
mkdir -m 700 "$home/run"
# The server picks a free display itself and writes its number: no race with other servers.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$home/display" 2>"$home/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$home"' EXIT
for _ in $(seq 100); do [ -s "$home/display" ] && break; sleep 0.1; done
[ -s "$home/display" ] || { cat "$home/xvfb.log"; echo "desktop-game: Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$home/display")" HOME="$home" XDG_CONFIG_HOME="$home/config" \
  XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
dbus-run-session -- sh -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  bus=$!
  "$1" >"$HOME/game.log" 2>&1 &
  game=$!
  status=0
  timeout 150 /usr/bin/python3 "$2" || status=$?
  kill $game $bus 2>/dev/null
  [ $status = 0 ] || cat "$HOME/game.log"
  exit $status' sh "$game" "$script"
