# Common environment of the Sonvelt scripts; sourced, not run.
SONVELT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
SONVELT_CACHE=${SONVELT_CACHE:-$HOME/.cache/sonvelt}
export SONVELT_DEPS_PREFIX=${SONVELT_DEPS_PREFIX:-$SONVELT_CACHE/deps-i686}
export WINEPREFIX=${SONVELT_WINEPREFIX:-$SONVELT_CACHE/wine}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
SONVELT_BUILD_DIR=${SONVELT_BUILD_DIR:-$SONVELT_ROOT/build}
