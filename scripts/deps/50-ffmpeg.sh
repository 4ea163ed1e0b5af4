# FFmpeg, audio only and static: the decoders, demuxers and parsers of every file
# kind the editor opens, the encoders it writes through FFmpeg (WMA, G.72x, ADPCM,
# PCM), the ASF muxer, and swresample. Nothing is detected from the machine.
src=$(debian_source ffmpeg)
cd "$src"
list() { local IFS=,; echo "$*"; }
decoders=(mp1 mp1float mp2 mp2float mp3 mp3float wmav1 wmav2 vorbis mpc7 mpc8
          adpcm_ima_oki adpcm_ima_wav adpcm_ms adpcm_g726 adpcm_g726le g723_1 gsm_ms 'pcm_*')
encoders=(wmav2 g723_1 adpcm_g726 adpcm_g726le adpcm_ima_wav 'pcm_*')
demuxers=(mp3 mpc mpc8 asf ogg wav aiff g723_1 g726 g726le 'pcm_*')
muxers=(asf g723_1 g726 g726le)
parsers=(mpegaudio vorbis g723_1)
./configure --prefix="$PREFIX" --enable-cross-compile --cross-prefix=$HOST- --cc="$CC" --cxx="$CXX" \
  --arch=x86_64 --target-os=mingw32 --pkg-config=pkg-config \
  --disable-shared --enable-static --disable-programs --disable-doc --disable-debug \
  --disable-autodetect --enable-w32threads --disable-network \
  --disable-avdevice --disable-avfilter --disable-swscale --disable-postproc \
  --disable-everything --enable-swresample --enable-protocol=file \
  --enable-decoder="$(list "${decoders[@]}")" --enable-encoder="$(list "${encoders[@]}")" \
  --enable-demuxer="$(list "${demuxers[@]}")" --enable-muxer="$(list "${muxers[@]}")" \
  --enable-parser="$(list "${parsers[@]}")"
make -j"$JOBS"
make install
