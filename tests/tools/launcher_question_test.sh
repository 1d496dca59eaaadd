#!/usr/bin/env bash
# The launcher without a display, after a crash: the editor comes up with its
# restore question, the screenshot is taken, the editor is ended without an
# answer, every snapshot stays exactly as it was and the launcher says that a
# restore question is waiting. Runs on a copy of the program folder.
#
# A Wine virtual desktop, once made, changes what the other test programs of
# the same Wine server see of their windows: this test runs with a prefix and
# server of its own on a display of its own, and so beside the others.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
: "${QX_BUILD_DIR:?}"
if [ -z "${QX_LAUNCHER_DISPLAY:-}" ]; then
    exec env QX_LAUNCHER_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi
export QX_PREFIX=wineprefix-launcher
"$root/tools/wine-prefix.sh" "$QX_BUILD_DIR" || exit 1
. "$root/tools/wine-env.sh"
work=$(mktemp -d)
program="$work/program"
recovery="$program/Recovery"
passed=0

ctl() { wine "$QX_BUILD_DIR/tools/window-ctl.exe" --desktop Quillex "$@" </dev/null 2>/dev/null; }
cleanup() {
    # An editor a failure left running goes, then the copy.
    [ $passed -eq 1 ] || ctl end 5 >/dev/null
    wineserver -k >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" INT TERM HUP
fail() { echo "FAIL $*"; exit 1; }

mkdir -p "$program"
cp -r "$QX_BUILD_DIR/program/Quillex.exe" "$QX_BUILD_DIR/program/Languages" \
      "$QX_BUILD_DIR/program/QInsert.lst" "$QX_BUILD_DIR"/program/*.png "$program/" ||
    fail "cannot copy the program folder"

# A run that changes its text and is killed once the snapshot is written: the
# first quick-insert item puts the date in.
insert=$(sed -n 's/^#define CMD_QUICK_INSERT_FIRST \([0-9]*\).*/\1/p' "$root/resources/resource.h")
wine explorer /desktop=Quillex,480x640 "$program/Quillex.exe" >/dev/null 2>&1 </dev/null &
editor=$!
ctl wait 60 >/dev/null || fail "the editor's window did not appear"
ctl command "$insert" >/dev/null || fail "the quick-insert command was not taken"
snapshots() { ls "$recovery" 2>/dev/null | grep -v '^~'; }
for _ in $(seq 100); do
    [ -n "$(snapshots)" ] && break
    sleep 0.1
done
[ -n "$(snapshots)" ] || fail "no snapshot was written"
ctl end 30 >/dev/null || fail "the editor could not be ended"
wait "$editor"

state() { (cd "$recovery" && find . -type f -printf '%P %s %T@\n' | sort && sha256sum -- *); }
before=$(state)

# The launcher's own run; it must end by itself.
output=$(QX_SCREEN=480x640 timeout 100 "$root/tools/screenshot-run.sh" "$work/shot.png" \
             "$program/Quillex.exe" 2>&1)
rc=$?
echo "$output"
[ $rc -eq 124 ] && fail "the launcher did not end"
[ $rc -eq 0 ] || fail "the launcher failed ($rc)"
case "$output" in
    *"The editor was ended while it asked: "?*) ;;
    *) fail "the launcher did not say what was asked" ;;
esac
case "$output" in
    *"A restore question is waiting"*) ;;
    *) fail "the launcher did not say that a restore question is waiting" ;;
esac
[ "$(state)" = "$before" ] || fail "the snapshots changed"
[ "$(identify -format '%wx%h' "$work/shot.png" 2>/dev/null)" = 480x640 ] ||
    fail "no screenshot of the handheld's screen"
echo "ok   the restore question was left for the next start"
passed=1
