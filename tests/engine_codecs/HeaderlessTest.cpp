// Headerless and hand-made files open with the parameters users expect.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "CodecTestSupport.h"
#include "engine/codecs/FFmpegSupport.h"
#include "engine/codecs/Mp3Encoder.h"

namespace {

std::vector<int16_t> ToS16(const std::vector<float>& f) {
  std::vector<int16_t> s(f.size());
  for (size_t i = 0; i < f.size(); ++i) s[i] = int16_t(std::lround(f[i] * 32767));
  return s;
}

// Encodes 8 kHz mono samples with one of FFmpeg's encoders into bare packets.
std::vector<unsigned char> EncodeBare(AVCodecID id, const std::vector<int16_t>& pcm, int bitRate, int bits) {
  const AVCodec* codec = avcodec_find_encoder(id);
  TAVCodecPtr c(avcodec_alloc_context3(codec));
  c->sample_rate = 8000;
  av_channel_layout_default(&c->ch_layout, 1);
  c->sample_fmt = AV_SAMPLE_FMT_S16;
  c->bit_rate = bitRate;
  c->bits_per_coded_sample = bits;
  EXPECT_EQ(avcodec_open2(c.get(), codec, nullptr), 0);
  int frame = c->frame_size > 0 ? c->frame_size : int(pcm.size());
  TAVFramePtr f(av_frame_alloc());
  TAVPacketPtr p(av_packet_alloc());
  std::vector<unsigned char> out;
  auto drain = [&] {
    while (avcodec_receive_packet(c.get(), p.get()) == 0) {
      out.insert(out.end(), p->data, p->data + p->size);
      av_packet_unref(p.get());
    }
  };
  bool smallLast = codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME;
  for (size_t at = 0; at < pcm.size(); at += size_t(frame)) {
    int n = int(std::min(pcm.size() - at, size_t(frame)));
    if (n < frame && !smallLast) break;
    av_frame_unref(f.get());
    f->nb_samples = n, f->format = AV_SAMPLE_FMT_S16, f->sample_rate = 8000;
    av_channel_layout_default(&f->ch_layout, 1);
    av_frame_get_buffer(f.get(), 0);
    std::memcpy(f->data[0], pcm.data() + at, size_t(n) * 2);
    avcodec_send_frame(c.get(), f.get());
    drain();
  }
  avcodec_send_frame(c.get(), nullptr);
  drain();
  return out;
}

// Dialogic ADPCM, written out here from its definition to make a fixture.
std::vector<unsigned char> EncodeOki(const std::vector<int16_t>& pcm) {
  static const int kSteps[49] = {16,  17,  19,  21,  23,  25,  28,  31,  34,  37,  41,  45,  50,  55,  60,  66, 73,
                                 80,  88,  97,  107, 118, 130, 143, 157, 173, 190, 209, 230, 253, 279, 307, 337, 371,
                                 408, 449, 494, 544, 598, 658, 724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552};
  static const int kAdjust[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
  int predicted = 0, index = 0;
  std::vector<unsigned char> out;
  for (size_t i = 0; i < pcm.size(); ++i) {
    int step = kSteps[index];
    int diff = (pcm[i] >> 4) - predicted;  // 12-bit samples
    int code = diff < 0 ? 8 : 0;
    diff = std::abs(diff);
    if (diff >= step) code |= 4, diff -= step;
    if (diff >= step / 2) code |= 2, diff -= step / 2;
    if (diff >= step / 4) code |= 1;
    int delta = step / 8 + ((code & 4) ? step : 0) + ((code & 2) ? step / 2 : 0) + ((code & 1) ? step / 4 : 0);
    predicted = std::clamp(predicted + ((code & 8) ? -delta : delta), -2048, 2047);
    index = std::clamp(index + kAdjust[code & 7], 0, 48);
    if (i % 2 == 0) out.push_back((unsigned char)(code << 4));
    else out.back() |= (unsigned char)code;
  }
  return out;
}

void Put32(std::vector<unsigned char>& v, uint32_t x) {
  for (int s : {24, 16, 8, 0}) v.push_back((unsigned char)(x >> s));
}

// An AIFF (or AIFC with big-endian "NONE" coding) file of 16-bit samples.
std::vector<unsigned char> MakeAiff(const std::vector<int16_t>& pcm, int channels, int rate, bool aifc) {
  std::vector<unsigned char> comm, body;
  comm.push_back(0), comm.push_back((unsigned char)channels);
  Put32(comm, uint32_t(pcm.size() / size_t(channels)));
  comm.push_back(0), comm.push_back(16);
  // The rate as an 80-bit extended float.
  int exponent = 16383 + 31;
  uint32_t mantissa = uint32_t(rate);
  while (!(mantissa & 0x80000000u)) mantissa <<= 1, --exponent;
  comm.push_back((unsigned char)(exponent >> 8)), comm.push_back((unsigned char)exponent);
  Put32(comm, mantissa);
  Put32(comm, 0);
  if (aifc) {
    comm.insert(comm.end(), {'N', 'O', 'N', 'E', 14});
    const char* name = "not compressed";
    comm.insert(comm.end(), name, name + 14);
    comm.push_back(0);  // pad the name to an even length
  }
  std::vector<unsigned char> f = {'F', 'O', 'R', 'M', 0, 0, 0, 0, 'A', 'I', 'F', aifc ? (unsigned char)'C' : (unsigned char)'F'};
  if (aifc) {
    f.insert(f.end(), {'F', 'V', 'E', 'R'});
    Put32(f, 4);
    Put32(f, 0xA2805140u);
  }
  f.insert(f.end(), {'C', 'O', 'M', 'M'});
  Put32(f, uint32_t(comm.size()));
  f.insert(f.end(), comm.begin(), comm.end());
  f.insert(f.end(), {'S', 'S', 'N', 'D'});
  Put32(f, uint32_t(8 + pcm.size() * 2));
  Put32(f, 0), Put32(f, 0);
  for (int16_t s : pcm) f.push_back((unsigned char)(uint16_t(s) >> 8)), f.push_back((unsigned char)s);
  uint32_t size = uint32_t(f.size() - 8);
  for (int i = 0; i < 4; ++i) f[size_t(4 + i)] = (unsigned char)(size >> (24 - 8 * i));
  return f;
}

struct TKind {
  const char* Name;
  const char* File;
  int Rate, Channels;
  double MinCorrelation;
};

TEST(Headerless, EveryKindOpensWithItsCustomaryFormat) {
  TTestFolder dir;
  // Whole G.723.1 frames (240 samples).
  std::vector<float> voice = Tones(7920, 8000, {300});
  std::vector<int16_t> voice16 = ToS16(voice);
  std::vector<float> cd = Tones(44100, 44100, {440, 660});
  std::vector<int16_t> cd16 = ToS16(cd);
  std::vector<unsigned char> raw(cd16.size() * 2);
  std::memcpy(raw.data(), cd16.data(), raw.size());
  WriteBytes(dir.Path("cd.raw"), raw);
  WriteBytes(dir.Path("voice.vox"), EncodeOki(voice16));
  WriteBytes(dir.Path("voice.g726"), EncodeBare(AV_CODEC_ID_ADPCM_G726LE, voice16, 32000, 4));
  WriteBytes(dir.Path("voice.g721"), EncodeBare(AV_CODEC_ID_ADPCM_G726LE, voice16, 32000, 4));
  WriteBytes(dir.Path("voice.g723"), EncodeBare(AV_CODEC_ID_G723_1, voice16, 6300, 0));
  WriteBytes(dir.Path("cd.aiff"), MakeAiff(cd16, 2, 44100, false));
  WriteBytes(dir.Path("cd.aif"), MakeAiff(cd16, 2, 44100, false));
  WriteBytes(dir.Path("voice.aifc"), MakeAiff(voice16, 1, 8000, true));

  const TKind kinds[] = {{"raw", "cd.raw", 44100, 2, 0.999},      {"vox", "voice.vox", 8000, 1, 0.95},
                         {"g726", "voice.g726", 8000, 1, 0.95},   {"g721", "voice.g721", 8000, 1, 0.95},
                         {"g723", "voice.g723", 8000, 1, 0.9},    {"aiff", "cd.aiff", 44100, 2, 0.999},
                         {"aif", "cd.aif", 44100, 2, 0.999},      {"aifc", "voice.aifc", 8000, 1, 0.999}};
  for (const TKind& k : kinds) {
    SCOPED_TRACE(k.Name);
    TDecoded d = DecodeAll(dir.Path(k.File));
    EXPECT_EQ(d.Rate, k.Rate);
    EXPECT_EQ(d.Channels, k.Channels);
    const std::vector<float>& src = k.Rate == 8000 ? voice : cd;
    int64_t frames = int64_t(src.size()) / k.Channels;
    EXPECT_EQ(d.Length, frames);
    EXPECT_EQ(d.Frames(), frames);
    for (int c = 0; c < k.Channels; ++c) EXPECT_GT(Correlation(src, k.Channels, d.Samples, d.Channels, c, 80), k.MinCorrelation);
  }
}

TEST(Headerless, ExtensionsOfMpegAudioAndMisnamedFilesOpenByContent) {
  TTestFolder dir;
  std::vector<float> src = Tones(22050, 44100, {440, 660});
  {
    TLameSettings s;
    s.SetPreset(9);
    TMp3Encoder e(dir.Path("a.mp3"), 44100, 2, s, {});
    e.Write(src.data(), 22050);
    e.Finish();
  }
  std::vector<unsigned char> mp3 = ReadBytes(dir.Path("a.mp3"));
  for (const char* name : {"b.mp2", "c.mpga", "d.MP3", "e.bin"}) {
    WriteBytes(dir.Path(name), mp3);
    TDecoded d = DecodeAll(dir.Path(name));
    EXPECT_EQ(d.Rate, 44100) << name;
    EXPECT_EQ(d.Frames(), 22050) << name;
  }
}

}  // namespace
