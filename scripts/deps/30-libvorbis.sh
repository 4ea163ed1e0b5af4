# libvorbis with vorbisenc: Ogg Vorbis encoding. Built after libogg; a change of
# the libogg recipe rebuilds it too.
# depends: 20-libogg.sh
src=$(debian_source libvorbis)
cd "$src"
CFLAGS="$SIMD_CFLAGS -ffast-math -fsigned-char" autotools_install --with-ogg="$PREFIX" --disable-docs --disable-examples --disable-oggtest
