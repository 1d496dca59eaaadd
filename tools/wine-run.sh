#!/usr/bin/env bash
# CTest's cross-compiling emulator: runs one Windows executable under Wine.
# Wine's background processes inherit whatever the program's output is tied to
# and would keep CTest waiting for seconds; so the program writes to temporary
# files, which are copied out once it has ended.
# With QX_OWN_DISPLAY set, the program runs on a virtual display and a Wine
# server of its own (in the prefix QX_PREFIX names): its windows then take
# nothing from the programs that run beside it on the suite's display.
set -u
here=$(cd "$(dirname "$0")" && pwd)
if [ -n "${QX_OWN_DISPLAY:-}" ] && [ -z "${QX_ON_OWN_DISPLAY:-}" ]; then
    exec env QX_ON_OWN_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi
QX_BUILD_DIR=${QX_BUILD_DIR:-$(cd "$here/.." && pwd)/build}
"$here/wine-prefix.sh" "$QX_BUILD_DIR" || exit 1
. "$here/wine-env.sh"

out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
trap "exit 1" INT TERM HUP
wine "$@" >"$out" 2>"$err" </dev/null
rc=$?
[ -n "${QX_ON_OWN_DISPLAY:-}" ] && wineserver -k >/dev/null 2>&1
cat "$out"
cat "$err" >&2
exit $rc
