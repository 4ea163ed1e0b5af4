# zlib comes from Debian's mingw package; the other libraries are cross-compiled
# by scripts/deps into SONVELT_DEPS_PREFIX.
find_package(ZLIB REQUIRED)
set(SONVELT_JPEG_LIB "" CACHE INTERNAL "")
set(SONVELT_CODEC_LIBS "" CACHE INTERNAL "")
