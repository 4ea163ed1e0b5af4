# Helpers for the library recipes; sourced by build.sh.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib/env.sh"
HOST=i686-w64-mingw32
PREFIX=$SONVELT_DEPS_PREFIX
JOBS=$(nproc)
export CC=$HOST-gcc-posix CXX=$HOST-g++-posix AR=$HOST-ar RANLIB=$HOST-ranlib STRIP=$HOST-strip
export PKG_CONFIG_LIBDIR=$PREFIX/lib/pkgconfig PKG_CONFIG_PATH=

# Ensures a deb-src entry and unpacks Debian's source of package $1 into a fresh
# directory; prints that directory.
debian_source() {
  local pkg=$1 dir=$SONVELT_CACHE/src/$1
  if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      > /etc/apt/sources.list.d/debian-src.sources
    apt-get update -q >&2
  fi
  rm -rf "$dir" && mkdir -p "$dir"
  (cd "$dir" && apt-get source -q --download-only "$pkg" >&2 && dpkg-source -x ./*.dsc src >&2)
  echo "$dir/src"
}
