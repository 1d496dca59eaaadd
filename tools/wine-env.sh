# Sourced by the scripts that start Windows programs: one private Wine prefix
# per build folder, never the user's own ~/.wine, and a Russian handheld locale
# (ANSI code page 1251, OEM 866).
# Needs QX_BUILD_DIR (absolute path of the build folder). QX_PREFIX names
# another prefix in it: Wine reads the DPI once per program from its prefix,
# so the QVGA handheld's tests (96 DPI) run in a prefix of their own.
export WINEPREFIX="$QX_BUILD_DIR/${QX_PREFIX:-wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
{ export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8; } 2>/dev/null
