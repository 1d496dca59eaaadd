#!/usr/bin/env bash
# Runs the editor on the current display with the files given: the first on
# its command line, each further one handed over by a second start of the
# program. Everything runs in a Wine virtual desktop of the handheld's size,
# QX_SCREEN (480x640 unless set; 240x320 for QVGA): one window that is the
# handheld's screen, on which Wine places and keeps every window, menu and
# message box of the program. Then either
#   screenshot-run.sh SHOT.png PROGRAM.exe [FILE...]
# saves a screenshot of the emulated handheld screen once the window has
# painted and closes the editor with WM_CLOSE (or, while it asks a question,
# ends its process without an answer and says so), or
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
# The editor, and its second starts that hand files over, run on that desktop.
# Only one start at a time may go through explorer: two racing to make the
# desktop would leave one waiting for ever. window-ctl joins the desktop
# itself.
on_device() { wine explorer "/desktop=Quillex,$screen" "$@"; }
ctl_on_device() { wine "$ctl" --desktop Quillex "$@"; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT
trap "exit 1" INT TERM HUP
first=()
[ $# -ge 1 ] && { first=("$1"); shift; }
on_device "$program" "${first[@]}" >"$log" 2>&1 </dev/null &
editor=$!
if ! ctl_on_device wait 60 >/dev/null 2>&1 </dev/null; then
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
ctl_on_device wait 10 >/dev/null 2>&1 </dev/null
# The virtual desktop sits at the top-left of the display.
import -window root -crop "$screen+0+0" +repage "$shot"
# A question up (the restore question after a crash, above all) would hold a
# close for ever, and only the user may answer it: the editor's process is
# ended without an answer, so every file stays as it is for the next start.
if question=$(ctl_on_device question 2>/dev/null </dev/null); then
    ctl_on_device end 30 >/dev/null 2>&1 </dev/null
    rc=$?
    wait $editor
    echo "The editor was ended while it asked: ${question//$'\r'/}"
    recovery="$(dirname "$program")/Recovery"
    if [ -n "$(ls -A "$recovery" 2>/dev/null)" ]; then
        echo "A restore question is waiting: the unsaved texts in $recovery stay there" \
             "and are offered again at the next start."
    fi
    exit $rc
fi
ctl_on_device close 30 >/dev/null 2>&1 </dev/null
rc=$?
wait $editor
exit $rc
