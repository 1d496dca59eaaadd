# Sourced by ./test.sh and ./quillex: installs what is missing on a Debian
# machine, then configures and builds the project into $QX_BUILD_DIR.
# Needs QX_ROOT (the checkout) and QX_BUILD_DIR. Each step that may take a
# while says so on standard error first (standard output stays the caller's).

qx_step() { echo "$*" >&2; }

qx_packages="cmake make python3 g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth googletest locales
             imagemagick fonts-wine fonts-liberation fonts-dejavu-core"

qx_install_missing() {
    local missing=""
    for p in $qx_packages; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    qx_step "Installing what is missing (first time: a minute or two):$missing…"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing \
            >"$QX_BUILD_DIR/apt.log" 2>&1 || {
        echo "apt-get failed; see $QX_BUILD_DIR/apt.log" >&2
        return 1
    }
}

# Wine names Unix files in the Unix locale's character set: without a real
# Russian UTF-8 locale, files with Cyrillic names cannot even be created.
qx_make_locale() {
    locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$' && return 0
    qx_step "Generating the ru_RU.UTF-8 locale…"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo localedef -i ru_RU -f UTF-8 ru_RU.UTF-8 >/dev/null 2>&1 || {
        echo "Could not generate the ru_RU.UTF-8 locale" >&2
        return 1
    }
}

# qx_build [TARGET...]: builds those targets (everything when none is given)
# and prepares the Wine prefix the programs run in.
qx_build() {
    mkdir -p "$QX_BUILD_DIR" || return 1
    qx_install_missing || return 1
    qx_make_locale || return 1
    # A compiler cache, where the machine has one, makes rebuilds of other
    # checkouts cheap; paths below the checkout's parent are cached relatively.
    local launcher=()
    if command -v ccache >/dev/null 2>&1; then
        export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$QX_ROOT")}"
        launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    # Configure again unless the last configure with these same options
    # succeeded: a cache left by a failed one is no reason to skip it.
    local options=(-DCMAKE_TOOLCHAIN_FILE="$QX_ROOT/cmake/mingw-w64.cmake"
                   -DCMAKE_BUILD_TYPE=Release "${launcher[@]}")
    local stamp="$QX_BUILD_DIR/configured-with.txt"
    if [ ! -f "$QX_BUILD_DIR/CMakeCache.txt" ] || [ ! -f "$stamp" ] ||
       [ "$(cat "$stamp")" != "${options[*]}" ]; then
        rm -f "$stamp"
        qx_step "Configuring the build in $QX_BUILD_DIR…"
        cmake -S "$QX_ROOT" -B "$QX_BUILD_DIR" "${options[@]}" \
            >"$QX_BUILD_DIR/configure.log" 2>&1 || {
            cat "$QX_BUILD_DIR/configure.log" >&2
            return 1
        }
        printf '%s' "${options[*]}" >"$stamp"
    fi
    local what="Quillex, its tests and tools" targets=() built="$QX_BUILD_DIR/built-all"
    if [ $# -gt 0 ]; then
        what="Quillex"
        targets=(--target "$@")
        built="$QX_BUILD_DIR/built-$(IFS=-; echo "$*")"
    fi
    if [ -f "$built" ]; then
        qx_step "Building $what…"
    else
        qx_step "Building $what (first time: a few minutes)…"
    fi
    cmake --build "$QX_BUILD_DIR" -j "$(nproc)" "${targets[@]}" >"$QX_BUILD_DIR/build.log" 2>&1 || {
        grep -E 'error|Error' "$QX_BUILD_DIR/build.log" | head -40 >&2
        echo "Build failed; see $QX_BUILD_DIR/build.log" >&2
        return 1
    }
    touch "$built"
    [ -f "$QX_BUILD_DIR/wineprefix/.quillex-ready" ] ||
        qx_step "Preparing the private Wine prefix (first time: about half a minute)…"
    "$QX_ROOT/tools/wine-prefix.sh" "$QX_BUILD_DIR"
}
