# Sourced by the scripts that start Windows programs: one private Wine prefix
# per build folder, never the user's own ~/.wine, and a Russian handheld locale
# (ANSI code page 1251, OEM 866).
# Needs QX_BUILD_DIR (absolute path of the build folder).
export WINEPREFIX="$QX_BUILD_DIR/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
{ export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8; } 2>/dev/null
