#!/usr/bin/env bash
# CTest's cross-compiling emulator: runs one Windows executable under Wine.
# Wine's background processes inherit whatever the program's output is tied to
# and would keep CTest waiting for seconds; so the program writes to temporary
# files, which are copied out once it has ended.
set -u
here=$(cd "$(dirname "$0")" && pwd)
QX_BUILD_DIR=${QX_BUILD_DIR:-$(cd "$here/.." && pwd)/build}
"$here/wine-prefix.sh" "$QX_BUILD_DIR" || exit 1
. "$here/wine-env.sh"

out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
trap "exit 1" INT TERM HUP
wine "$@" >"$out" 2>"$err" </dev/null
rc=$?
cat "$out"
cat "$err" >&2
exit $rc
