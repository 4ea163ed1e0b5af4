# LAME: MP3 encoding only (decoding is FFmpeg's), no front end.
src=$(debian_source lame)
cd "$src"
# Debian's patches touch configure.in and Makefile.am; keep the shipped generated
# files current so that make does not try to rerun the autotools.
touch aclocal.m4 configure config.h.in
find . -name Makefile.in -exec touch {} +
CFLAGS="$SIMD_CFLAGS" autotools_install --disable-frontend --disable-decoder --disable-gtktest --disable-analyzer-hooks
