#!/usr/bin/env bash
# Runs the editor on the current (virtual) display, saves a screenshot of the
# emulated handheld screen once the main window has painted, then closes the
# editor with WM_CLOSE and waits for it to end.
# Usage: screenshot-run.sh SHOT.png PROGRAM.exe [FILE]
set -u
shot=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
: "${QX_BUILD_DIR:?}"
. "$here/wine-env.sh"
ctl="$QX_BUILD_DIR/tools/window-ctl.exe"

log=$(mktemp)
wine "$@" >"$log" 2>&1 </dev/null &
editor=$!
if ! wine "$ctl" wait 60 >/dev/null 2>&1 </dev/null; then
    echo "The editor's window did not appear." >&2
    cat "$log" >&2
    kill $editor 2>/dev/null
    exit 1
fi
# The emulated screen (480 x 640) sits at the top-left of the display.
import -window root -crop 480x640+0+0 +repage "$shot"
wine "$ctl" close 30 >/dev/null 2>&1 </dev/null
rc=$?
wait $editor
rm -f "$log"
exit $rc
