#!/usr/bin/env bash
# Runs a command on the current (virtual) display with a fresh wineserver:
# one left over from another display would slow every window by a second.
# The programs it starts see the emulated handheld's DPI, QX_DPI: 192 as on a
# VGA handheld (the default), 96 as on a QVGA one. Wine reads it from the
# prefix when a program starts.
set -u
here=$(cd "$(dirname "$0")" && pwd)
: "${QX_BUILD_DIR:?}"
. "$here/wine-env.sh"
wineserver -k >/dev/null 2>&1
wineserver -w >/dev/null 2>&1
wineserver -p20 >/dev/null 2>&1 </dev/null
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${QX_DPI:-192}" /f \
    >/dev/null 2>&1 </dev/null
"$@"
rc=$?
wineserver -k >/dev/null 2>&1
# The QVGA tests' prefix has a server of its own.
[ -d "$QX_BUILD_DIR/wineprefix-qvga" ] && WINEPREFIX="$QX_BUILD_DIR/wineprefix-qvga" wineserver -k >/dev/null 2>&1
exit $rc
