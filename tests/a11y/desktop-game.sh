#!/bin/sh
# desktop-game.sh GAME: runs the game on its own X server and accessibility bus and plays it to
# a win through AT-SPI (play_desktop.py). Exit 77 when the tools for it are not installed.
set -eu
game=$1
here=$(dirname "$0")
for tool in xvfb-run dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "desktop-game: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "desktop-game: python3-pyatspi is not installed"; exit 77; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run" \
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- sh -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  bus=$!
  "$1" >"$HOME/game.log" 2>&1 &
  game=$!
  status=0
  timeout 120 /usr/bin/python3 "$2" || status=$?
  kill $game $bus 2>/dev/null
  [ $status = 0 ] || cat "$HOME/game.log"
  exit $status' sh "$game" "$here/play_desktop.py"
