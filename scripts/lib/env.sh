# Common environment of the Sonvelt scripts; sourced, not run.
SONVELT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
SONVELT_CACHE=${SONVELT_CACHE:-$HOME/.cache/sonvelt}
# One library folder per set of recipes, so that clones on other recipes never
# rebuild each other's libraries.
SONVELT_DEPS_HASH=$(cat "$SONVELT_ROOT"/scripts/deps/*.sh | sha256sum | cut -c1-12)
export SONVELT_DEPS_PREFIX=${SONVELT_DEPS_PREFIX:-$SONVELT_CACHE/deps-x86_64-$SONVELT_DEPS_HASH}
export WINEPREFIX=${SONVELT_WINEPREFIX:-$SONVELT_CACHE/wine64}
export WINEARCH=win64
# Build-time tools (the form converter) run in a prefix of their own.
export SONVELT_TOOLS_WINEPREFIX=$SONVELT_CACHE/wine64-tools
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# The 64-bit loader, called directly: Debian's wine wrapper picks the 32-bit loader
# whenever wine32 happens to be installed, and that one cannot run on every kernel.
SONVELT_WINE=${SONVELT_WINE:-/usr/lib/wine/wine64}
export WINELOADER=$SONVELT_WINE
export WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver64}
SONVELT_BUILD_DIR=${SONVELT_BUILD_DIR:-$SONVELT_ROOT/build}

wine() { "$SONVELT_WINE" "$@"; }
wineserver() { "$WINESERVER" "$@"; }
winepath() { "$SONVELT_WINE" winepath "$@"; }

# Compiler cache shared by every clone of this machine; paths below the clone
# are hashed relative to it, so clones in other folders hit the same entries.
export CCACHE_DIR=${CCACHE_DIR:-$SONVELT_CACHE/ccache}
export CCACHE_BASEDIR=$SONVELT_ROOT
export CCACHE_NOHASHDIR=1
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-8G}
