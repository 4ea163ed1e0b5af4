// Each third-party library links into a Windows program and does real work.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

extern "C" {
#include <jpeglib.h>
#include <lame/lame.h>
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <vorbis/vorbisenc.h>
}

namespace {

constexpr int kRate = 44100;

std::vector<float> Sine(int frames, double hz, int rate = kRate) {
  std::vector<float> s(frames);
  for (int i = 0; i < frames; ++i) s[i] = float(0.5 * std::sin(2 * M_PI * hz * i / rate));
  return s;
}

// Counts rises from below -0.1 to above 0.1: a tone of f Hz gives about f per
// second, and the near-silence of codec padding gives none.
int RisingCrossings(const std::vector<float>& s) {
  int n = 0;
  bool low = false;
  for (float v : s) {
    if (v < -0.1f) low = true;
    if (low && v > 0.1f) ++n, low = false;
  }
  return n;
}

// Decodes a whole in-memory file with FFmpeg's demuxers to mono float samples.
struct MemoryReader {
  const std::vector<unsigned char>* data;
  size_t pos = 0;
  static int Read(void* opaque, uint8_t* buf, int size) {
    auto* r = static_cast<MemoryReader*>(opaque);
    size_t n = std::min(size_t(size), r->data->size() - r->pos);
    if (n == 0) return AVERROR_EOF;
    std::memcpy(buf, r->data->data() + r->pos, n);
    r->pos += n;
    return int(n);
  }
};

std::vector<float> DecodeWithFFmpeg(const std::vector<unsigned char>& file, int* rate) {
  MemoryReader reader{&file};
  auto* buffer = static_cast<unsigned char*>(av_malloc(4096));
  AVIOContext* io = avio_alloc_context(buffer, 4096, 0, &reader, &MemoryReader::Read, nullptr, nullptr);
  AVFormatContext* fmt = avformat_alloc_context();
  fmt->pb = io;
  std::vector<float> out;
  EXPECT_EQ(avformat_open_input(&fmt, nullptr, nullptr, nullptr), 0);
  EXPECT_GE(avformat_find_stream_info(fmt, nullptr), 0);
  int stream = av_find_best_stream(fmt, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  EXPECT_GE(stream, 0);
  const AVCodecParameters* par = fmt->streams[stream]->codecpar;
  AVCodecContext* dec = avcodec_alloc_context3(avcodec_find_decoder(par->codec_id));
  avcodec_parameters_to_context(dec, par);
  EXPECT_EQ(avcodec_open2(dec, dec->codec, nullptr), 0);
  *rate = dec->sample_rate;
  AVPacket* pkt = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  auto drain = [&] {
    while (avcodec_receive_frame(dec, frame) == 0) {
      EXPECT_EQ(frame->format, AV_SAMPLE_FMT_FLTP);
      auto* p = reinterpret_cast<const float*>(frame->extended_data[0]);
      out.insert(out.end(), p, p + frame->nb_samples);
    }
  };
  while (av_read_frame(fmt, pkt) >= 0) {
    if (pkt->stream_index == stream && avcodec_send_packet(dec, pkt) == 0) drain();
    av_packet_unref(pkt);
  }
  avcodec_send_packet(dec, nullptr);
  drain();
  av_frame_free(&frame);
  av_packet_free(&pkt);
  avcodec_free_context(&dec);
  avformat_close_input(&fmt);
  av_freep(&io->buffer);
  avio_context_free(&io);
  return out;
}

void ExpectOneSecondTone(const std::vector<unsigned char>& file, int hz, int lengthSlack) {
  int rate = 0;
  std::vector<float> back = DecodeWithFFmpeg(file, &rate);
  EXPECT_EQ(rate, kRate);
  EXPECT_NEAR(double(back.size()), double(kRate), lengthSlack);
  EXPECT_NEAR(RisingCrossings(back), hz, 5);
}

TEST(Libraries, JpegCompressesAndDecompressesAnImage) {
  constexpr int w = 16, h = 8;
  std::vector<unsigned char> rgb(w * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &rgb[(y * w + x) * 3];
      p[0] = (unsigned char)(x * 16), p[1] = (unsigned char)(y * 32), p[2] = 128;
    }
  jpeg_compress_struct c{};
  jpeg_error_mgr cerr{};
  c.err = jpeg_std_error(&cerr);
  jpeg_create_compress(&c);
  unsigned char* mem = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &mem, &size);
  c.image_width = w, c.image_height = h, c.input_components = 3, c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = &rgb[c.next_scanline * w * 3];
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  ASSERT_GT(size, 100u);
  EXPECT_EQ(mem[0], 0xFF);
  EXPECT_EQ(mem[1], 0xD8);

  jpeg_decompress_struct d{};
  jpeg_error_mgr derr{};
  d.err = jpeg_std_error(&derr);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, mem, size);
  ASSERT_EQ(jpeg_read_header(&d, TRUE), JPEG_HEADER_OK);
  jpeg_start_decompress(&d);
  ASSERT_EQ(int(d.output_width), w);
  ASSERT_EQ(int(d.output_height), h);
  std::vector<unsigned char> back(w * h * 3);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = &back[d.output_scanline * w * 3];
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  free(mem);
  int worst = 0;
  for (size_t i = 0; i < rgb.size(); ++i) worst = std::max(worst, std::abs(int(rgb[i]) - int(back[i])));
  EXPECT_LT(worst, 24);
}

TEST(Libraries, LameEncodesMp3ThatFFmpegDecodes) {
  std::vector<float> tone = Sine(kRate, 440);
  lame_global_flags* lame = lame_init();
  lame_set_in_samplerate(lame, kRate);
  lame_set_num_channels(lame, 1);
  lame_set_mode(lame, MONO);
  lame_set_brate(lame, 128);
  ASSERT_EQ(lame_init_params(lame), 0);
  std::vector<unsigned char> mp3(tone.size() * 2 + 7200);
  int n = lame_encode_buffer_ieee_float(lame, tone.data(), tone.data(), int(tone.size()), mp3.data(), int(mp3.size()));
  ASSERT_GT(n, 0);
  int tail = lame_encode_flush(lame, mp3.data() + n, int(mp3.size()) - n);
  ASSERT_GE(tail, 0);
  mp3.resize(n + tail);
  lame_close(lame);
  // 128 kbit/s for one second.
  EXPECT_NEAR(double(mp3.size()), 16000.0, 1500.0);

  // LAME adds its delay and padding; without a filled-in header nothing trims them.
  ExpectOneSecondTone(mp3, 440, 4000);
}

TEST(Libraries, VorbisEncodesOggThatFFmpegDecodes) {
  std::vector<float> tone = Sine(kRate, 1000);
  vorbis_info vi;
  vorbis_info_init(&vi);
  ASSERT_EQ(vorbis_encode_init_vbr(&vi, 1, kRate, 0.4f), 0);
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 1);
  std::vector<unsigned char> ogg;
  ogg_page page;
  auto put = [&](const ogg_page& p) {
    ogg.insert(ogg.end(), p.header, p.header + p.header_len);
    ogg.insert(ogg.end(), p.body, p.body + p.body_len);
  };
  ogg_packet h1, h2, h3;
  vorbis_analysis_headerout(&vd, &vc, &h1, &h2, &h3);
  ogg_stream_packetin(&os, &h1);
  ogg_stream_packetin(&os, &h2);
  ogg_stream_packetin(&os, &h3);
  while (ogg_stream_flush(&os, &page)) put(page);
  for (size_t pos = 0;; pos += 4096) {
    int count = pos < tone.size() ? int(std::min<size_t>(4096, tone.size() - pos)) : 0;
    if (count > 0) {
      float** buf = vorbis_analysis_buffer(&vd, count);
      std::memcpy(buf[0], tone.data() + pos, count * sizeof(float));
    }
    vorbis_analysis_wrote(&vd, count);  // zero ends the stream
    ogg_packet op;
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &page)) put(page);
      }
    }
    if (count == 0) break;
  }
  while (ogg_stream_flush(&os, &page)) put(page);
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);

  // The decoder drops the overlap of the first (short) block.
  ExpectOneSecondTone(ogg, 1000, 256);
}

TEST(Libraries, SwresampleHalvesTheRate) {
  std::vector<float> tone = Sine(kRate, 300);
  SwrContext* swr = nullptr;
  AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
  ASSERT_EQ(swr_alloc_set_opts2(&swr, &mono, AV_SAMPLE_FMT_FLT, kRate / 2, &mono, AV_SAMPLE_FMT_FLT, kRate, 0, nullptr), 0);
  ASSERT_EQ(swr_init(swr), 0);
  std::vector<float> out(kRate);
  auto* dst = reinterpret_cast<uint8_t*>(out.data());
  auto* src = reinterpret_cast<const uint8_t*>(tone.data());
  int got = swr_convert(swr, &dst, int(out.size()), &src, int(tone.size()));
  ASSERT_GT(got, 0);
  auto* rest = reinterpret_cast<uint8_t*>(out.data() + got);
  got += swr_convert(swr, &rest, int(out.size()) - got, nullptr, 0);
  swr_free(&swr);
  out.resize(got);
  EXPECT_NEAR(double(out.size()), kRate / 2.0, 2.0);
  EXPECT_NEAR(RisingCrossings(out), 300, 2);
}

}  // namespace
