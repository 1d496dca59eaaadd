#!/usr/bin/env bash
# Creates the private Wine prefix once (under a lock, so parallel test
# starts do not race) and tunes it for fast, readable windows:
# - unmanaged X11 windows: no 2-second wait when a visible window is destroyed
#   without a window manager;
# - Wine's own TrueType fonts in C:\windows\Fonts (Debian leaves it empty:
#   title-bar buttons lose their glyphs and Tahoma is missing);
# - monospace faces replaced by a monospace font that has Cyrillic;
# - the DPI QX_DPI (192, the VGA handheld's, unless given).
set -eu
QX_BUILD_DIR=$(cd "${1:?build folder}" && pwd)
. "$(dirname "$0")/wine-env.sh"

ready="$WINEPREFIX/.quillex-ready"
[ -f "$ready" ] && exit 0

mkdir -p "$QX_BUILD_DIR"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$ready" ] && exit 0

wineboot -i >/dev/null 2>&1 </dev/null || true
wineserver -w >/dev/null 2>&1 || true

fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in /usr/share/wine/fonts/*.ttf; do
    [ -e "$f" ] && ln -sf "$f" "$fonts/"
done

reg=$(mktemp)
trap 'rm -f "$reg"' EXIT
trap "exit 1" INT TERM HUP
cat >"$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="Y"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Courier New"="Liberation Mono"
"Courier"="Liberation Mono"
"Lucida Console"="Liberation Mono"

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:$(printf %08x "${QX_DPI:-192}")
REG
wine regedit /S "$reg" >/dev/null 2>&1 </dev/null || true
wineserver -w >/dev/null 2>&1 || true

touch "$ready"
