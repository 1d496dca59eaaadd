#!/usr/bin/env bash
# Runs the editor on the current display with the files given: the first on
# its command line, each further one handed over by a second start of the
# program. Then either
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

log=$(mktemp)
first=()
[ $# -ge 1 ] && { first=("$1"); shift; }
wine "$program" "${first[@]}" >"$log" 2>&1 </dev/null &
editor=$!
if ! wine "$ctl" wait 60 >/dev/null 2>&1 </dev/null; then
    echo "The editor's window did not appear." >&2
    cat "$log" >&2
    kill $editor 2>/dev/null
    exit 1
fi
for file in "$@"; do
    wine "$program" "$file" >/dev/null 2>&1 </dev/null
done
if [ "$shot" = "--keep" ]; then
    wait $editor
    exit $?
fi
wine "$ctl" wait 10 >/dev/null 2>&1 </dev/null
# The emulated screen (480 x 640) sits at the top-left of the display.
import -window root -crop 480x640+0+0 +repage "$shot"
wine "$ctl" close 30 >/dev/null 2>&1 </dev/null
rc=$?
wait $editor
rm -f "$log"
exit $rc
