# zlib comes from Debian's mingw package; the other libraries are cross-compiled
# by scripts/deps into SONVELT_DEPS_PREFIX as static libraries.
# The static archive is named first so the program needs no zlib1.dll beside it.
find_library(ZLIB_LIBRARY NAMES libz.a z REQUIRED)
find_package(ZLIB REQUIRED)

if(NOT SONVELT_DEPS_PREFIX OR NOT EXISTS ${SONVELT_DEPS_PREFIX}/lib)
  message(FATAL_ERROR "SONVELT_DEPS_PREFIX (${SONVELT_DEPS_PREFIX}) holds no libraries: run scripts/setup")
endif()

# sonvelt_import_static(target lib [DEPS ...]): an imported static library of the prefix.
function(sonvelt_import_static target lib)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  set(path ${SONVELT_DEPS_PREFIX}/lib/lib${lib}.a)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "${path} is missing: run scripts/setup")
  endif()
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${path}
                        INTERFACE_INCLUDE_DIRECTORIES ${SONVELT_DEPS_PREFIX}/include
                        INTERFACE_LINK_LIBRARIES "${A_DEPS}")
endfunction()

sonvelt_import_static(Deps::jpeg jpeg)

# FFmpeg without autodetection needs only these Windows libraries (its .pc files list them).
sonvelt_import_static(Deps::avutil avutil DEPS bcrypt user32 atomic)
sonvelt_import_static(Deps::swresample swresample DEPS Deps::avutil)
sonvelt_import_static(Deps::avcodec avcodec DEPS Deps::avutil ole32 user32)
sonvelt_import_static(Deps::avformat avformat DEPS Deps::avcodec)
sonvelt_import_static(Deps::mp3lame mp3lame)
sonvelt_import_static(Deps::ogg ogg)
sonvelt_import_static(Deps::vorbis vorbis DEPS Deps::ogg)
sonvelt_import_static(Deps::vorbisenc vorbisenc DEPS Deps::vorbis)
sonvelt_import_static(Deps::vorbisfile vorbisfile DEPS Deps::vorbis)

set(SONVELT_JPEG_LIB Deps::jpeg CACHE INTERNAL "")
set(SONVELT_CODEC_LIBS Deps::avformat Deps::avcodec Deps::swresample Deps::avutil
    Deps::mp3lame Deps::vorbisenc Deps::vorbisfile Deps::vorbis Deps::ogg CACHE INTERNAL "")
