# libjpeg-turbo: the JPEG codec of the skins and picture controls, with its SIMD code.
src=$(debian_source libjpeg-turbo)
cmake -S "$src" -B "$src/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$SONVELT_ROOT/cmake/toolchain-x86_64-mingw.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_INSTALL_LIBDIR="$PREFIX/lib" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON
cmake --build "$src/build" -j"$JOBS"
cmake --install "$src/build"
