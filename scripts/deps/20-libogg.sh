# libogg: the Ogg container that the Vorbis encoder writes into.
src=$(debian_source libogg)
cd "$src"
CFLAGS="$SIMD_CFLAGS" autotools_install
