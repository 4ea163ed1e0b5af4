# Helpers for the library recipes; sourced by build.sh.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib/env.sh"
HOST=x86_64-w64-mingw32
PREFIX=$SONVELT_DEPS_PREFIX
JOBS=$(nproc)
export CC=$HOST-gcc-posix CXX=$HOST-g++-posix AR=$HOST-ar RANLIB=$HOST-ranlib STRIP=$HOST-strip
export PKG_CONFIG_LIBDIR=$PREFIX/lib/pkgconfig PKG_CONFIG_PATH=
# Every Windows that runs Sonvelt has SSE2; the encoders are far faster with it.
SIMD_CFLAGS="-O2 -msse2 -mfpmath=sse"

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# Adds deb-src entries beside Debian's binary ones, in whichever of the two formats
# the machine uses, and refreshes the package lists.
add_deb_src() {
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] && grep -q '^URIs:.*/debian' "$f" || continue
    [[ $f == *-src.sources ]] && continue
    sed -n '/^Types:/s/.*/Types: deb-src/p; /^Types:/!p' "$f" \
      | as_root tee "${f%.sources}-src.sources" >/dev/null
  done
  if [ -f /etc/apt/sources.list ] && grep -q '^deb .*/debian' /etc/apt/sources.list; then
    grep '^deb .*/debian' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
      | as_root tee /etc/apt/sources.list.d/sonvelt-src.list >/dev/null
  fi
  # A third-party list may fail to refresh; apt-get source then says what is missing.
  as_root apt-get update -q >&2 || true
}

# Unpacks Debian's source of package $1, with Debian's patches applied, into a
# fresh directory; prints that directory.
debian_source() {
  local pkg=$1 dir=$PREFIX/.build/$1
  if ! apt-cache showsrc "$pkg" 2>/dev/null | grep -q '^Package:'; then
    add_deb_src
  fi
  rm -rf "$dir" && mkdir -p "$dir"
  (cd "$dir" && apt-get source -q --download-only "$pkg" >&2 && dpkg-source -x ./*.dsc src >&2)
  echo "$dir/src"
}

# Configures, builds and installs an autotools package in the current directory
# as a static library for the target.
autotools_install() {
  ./configure --host=$HOST --prefix="$PREFIX" --disable-shared --enable-static "$@"
  make -j"$JOBS"
  make install
}
