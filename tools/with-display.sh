#!/usr/bin/env bash
# Runs a command on the current (virtual) display with a fresh wineserver:
# one left over from another display would slow every window by a second.
set -u
here=$(cd "$(dirname "$0")" && pwd)
: "${QX_BUILD_DIR:?}"
. "$here/wine-env.sh"
wineserver -k >/dev/null 2>&1
wineserver -w >/dev/null 2>&1
wineserver -p20 >/dev/null 2>&1 </dev/null
"$@"
rc=$?
wineserver -k >/dev/null 2>&1
exit $rc
