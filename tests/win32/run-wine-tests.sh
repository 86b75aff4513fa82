#!/bin/sh
# run-wine-tests.sh BUILD_WIN: the Windows build's tests under Wine, in a Wine prefix made afresh
# in the build folder: the unit suites on one Wine server started outside CTest's output (Wine's
# services would hold CTest's pipe open), then the end-to-end cases one after another.
set -u
build=$(cd "$1" && pwd)
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX"
wineboot -i </dev/null >/dev/null 2>&1
wineserver -w
(wineserver -p; wine cmd /c exit) </dev/null >/dev/null 2>&1
status=0
ctest --test-dir "$build" -L unit -j2 --output-on-failure || status=1
ctest --test-dir "$build" -L e2e --output-on-failure || status=1
wineserver -k 2>/dev/null
exit $status
