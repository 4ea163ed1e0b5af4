#include "engine/codecs/OggEncoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstring>

#include "engine/codecs/CodecError.h"

namespace {

int SetUp(vorbis_info* vi, int rate, int channels, int kbps, int minKbps, int maxKbps, int quality) {
  if (rate < 8000 || rate > 192000 || channels < 1 || channels > 2) return -1;
  if (quality >= 0) return vorbis_encode_init_vbr(vi, channels, rate, std::clamp(quality, 0, 1000) / 1000.0f);
  if (kbps <= 0) return -1;
  if (minKbps > 0 || maxKbps > 0)
    return vorbis_encode_init(vi, channels, rate, maxKbps > 0 ? maxKbps * 1000 : -1, kbps * 1000,
                              minKbps > 0 ? minKbps * 1000 : -1);
  // An average alone: the coder steers towards it without the bit-rate
  // manager's bounds, which cost several times the encoding work.
  if (int r = vorbis_encode_setup_managed(vi, channels, rate, -1, kbps * 1000, -1)) return r;
  if (int r = vorbis_encode_ctl(vi, OV_ECTL_RATEMANAGE2_SET, nullptr)) return r;
  return vorbis_encode_setup_init(vi);
}

}  // namespace

bool CanWriteOgg(int rate, int channels, int kbps, int minKbps, int maxKbps) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  bool ok = SetUp(&vi, rate, channels, kbps, minKbps, maxKbps, -1) == 0;
  vorbis_info_clear(&vi);
  return ok;
}

void AddVorbisComments(vorbis_comment* vc, const TCodecTags& tags) {
  auto add = [&](const char* key, const std::string& value) {
    if (!value.empty()) vorbis_comment_add_tag(vc, key, value.c_str());
  };
  add("TITLE", tags.Title);
  add("ARTIST", tags.Artist);
  add("ALBUM", tags.Album);
  add("DATE", tags.Year > 0 ? std::to_string(tags.Year) : "");
  add("GENRE", tags.Genre);
  add("COMMENT", tags.Comment);
}

struct TOggEncoder::TState {
  vorbis_info Info;
  vorbis_comment Comment;
  vorbis_dsp_state Dsp;
  vorbis_block Block;
  ogg_stream_state Stream;
  bool Started = false;
  TState() {
    vorbis_info_init(&Info);
    vorbis_comment_init(&Comment);
  }
  ~TState() {
    if (Started) {
      ogg_stream_clear(&Stream);
      vorbis_block_clear(&Block);
      vorbis_dsp_clear(&Dsp);
    }
    vorbis_comment_clear(&Comment);
    vorbis_info_clear(&Info);
  }
};

namespace {

void WritePage(TCodecFile& f, const ogg_page& page) {
  f.Write(page.header, size_t(page.header_len));
  f.Write(page.body, size_t(page.body_len));
}

}  // namespace

TOggEncoder::TOggEncoder(const std::string& path, int inRate, int inChannels, const TOggSettings& s,
                         const TCodecTags& tags)
    : TConvertingEncoder(path, inChannels), State(std::make_unique<TState>()) {
  if (SetUp(&State->Info, s.Rate, s.Channels, s.Kbps, s.MinKbps, s.MaxKbps, s.Quality) != 0)
    throw ECodecError("An Ogg Vorbis file cannot have " + std::to_string(s.Rate) + " Hz, " +
                      std::to_string(s.Channels) + " channels at " +
                      (s.Quality >= 0 ? "quality " + std::to_string(s.Quality / 10) + "%"
                                      : std::to_string(s.Kbps) + " kbit/s") +
                      ".");
  Converter = std::make_unique<TSampleConverter>(inRate, inChannels, s.Rate, s.Channels);
  AddVorbisComments(&State->Comment, tags);
  vorbis_analysis_init(&State->Dsp, &State->Info);
  vorbis_block_init(&State->Dsp, &State->Block);
  // A serial number of the stream; a fixed one is as good as any for a file of one stream.
  ogg_stream_init(&State->Stream, 0x536f6e76);
  State->Started = true;
  Out = std::make_unique<TCodecOutputFile>(path);
  ogg_packet id, comment, setup;
  vorbis_analysis_headerout(&State->Dsp, &State->Comment, &id, &comment, &setup);
  ogg_stream_packetin(&State->Stream, &id);
  ogg_stream_packetin(&State->Stream, &comment);
  ogg_stream_packetin(&State->Stream, &setup);
  // The headers end on a page of their own, as the format asks.
  ogg_page page;
  while (ogg_stream_flush(&State->Stream, &page)) WritePage(Out->File(), page);
}

TOggEncoder::~TOggEncoder() = default;

void TOggEncoder::Encode(const std::vector<float>& frames, bool last) {
  int channels = Converter->GetOutChannels();
  int count = int(frames.size()) / channels;
  if (count > 0) {
    float** planes = vorbis_analysis_buffer(&State->Dsp, count);
    for (int i = 0; i < count; ++i)
      for (int c = 0; c < channels; ++c) planes[c][i] = frames[size_t(i) * channels + c];
    vorbis_analysis_wrote(&State->Dsp, count);
  }
  if (last) vorbis_analysis_wrote(&State->Dsp, 0);
  ogg_packet packet;
  ogg_page page;
  while (vorbis_analysis_blockout(&State->Dsp, &State->Block) == 1) {
    vorbis_analysis(&State->Block, nullptr);
    vorbis_bitrate_addblock(&State->Block);
    while (vorbis_bitrate_flushpacket(&State->Dsp, &packet)) {
      ogg_stream_packetin(&State->Stream, &packet);
      while (ogg_stream_pageout(&State->Stream, &page)) WritePage(Out->File(), page);
    }
  }
  if (last)
    while (ogg_stream_flush(&State->Stream, &page)) WritePage(Out->File(), page);
}

void TOggEncoder::Finish() {
  if (!Out) return;
  EncodeRest();
  Out->Commit();
  Out.reset();
}
