#!/usr/bin/env bash
# Runs the editor on the current display with the files given: the first on
# its command line, each further one handed over by a second start of the
# program. Everything runs in a Wine virtual desktop of the handheld's size,
# QX_SCREEN (480x640 unless set; 240x320 for QVGA): one window that is the
# handheld's screen, on which Wine places and keeps every window, menu and
# message box of the program. Then either
#   screenshot-run.sh SHOT.png PROGRAM.exe [FILE...]
# saves a screenshot of the emulated handheld screen once the window has
# painted and closes the editor with WM_CLOSE, or
#   screenshot-run.sh --keep PROGRAM.exe [FILE...]
# leaves it running until the user closes it.
set -u
shot=$1; shift
program=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
: "${QX_BUILD_DIR:?}"
. "$here/wine-env.sh"
ctl="$QX_BUILD_DIR/tools/window-ctl.exe"
screen=${QX_SCREEN:-480x640}
# Every program that must see the editor's windows runs on the same desktop.
# (Explorer waits for the program but does not pass its exit code on.)
on_device() { wine explorer "/desktop=Quillex,$screen" "$@"; }
# The desktop is made once, before anything else starts: two starts racing
# to make it would leave the second waiting for ever.
on_device "$ctl" wait 0 >/dev/null 2>&1 </dev/null

log=$(mktemp)
first=()
[ $# -ge 1 ] && { first=("$1"); shift; }
on_device "$program" "${first[@]}" >"$log" 2>&1 </dev/null &
editor=$!
on_device "$ctl" wait 60 >/dev/null 2>&1 </dev/null
if ! kill -0 $editor 2>/dev/null; then
    echo "The editor's window did not appear." >&2
    cat "$log" >&2
    kill $editor 2>/dev/null
    exit 1
fi
for file in "$@"; do
    on_device "$program" "$file" >/dev/null 2>&1 </dev/null
done
if [ "$shot" = "--keep" ]; then
    wait $editor
    exit $?
fi
on_device "$ctl" wait 10 >/dev/null 2>&1 </dev/null
# The virtual desktop sits at the top-left of the display.
import -window root -crop "$screen+0+0" +repage "$shot"
on_device "$ctl" close 30 >/dev/null 2>&1 </dev/null
rc=$?
wait $editor
rm -f "$log"
exit $rc
