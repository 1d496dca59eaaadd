#!/usr/bin/env bash
# Builds Quillex and runs the whole test suite under Wine on a virtual display.
# On a fresh Debian 12 machine it first installs what is missing.
set -u
export QX_ROOT=$(cd "$(dirname "$0")" && pwd)
export QX_BUILD_DIR="${QX_BUILD_DIR:-$QX_ROOT/build}"
. "$QX_ROOT/tools/setup.sh"

qx_build || exit 1
# The tests' handheld is the VGA one, at its DPI.
export QX_DPI=192
qx_step "Running the tests…"
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    "$QX_ROOT/tools/with-display.sh" \
    ctest --test-dir "$QX_BUILD_DIR" --output-on-failure -j 2 "$@"
