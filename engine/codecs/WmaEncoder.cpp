#include "engine/codecs/WmaEncoder.h"

#include <algorithm>
#include <cstring>

#include "engine/codecs/CodecError.h"

bool WmaProfileFormat(int profile, TWmaFormat& format) {
  switch (profile) {
    case 8: format = {44100, 2, 192}; return true;
    case 10: format = {44100, 2, 128}; return true;
    case 11: format = {44100, 2, 96}; return true;
    case 13: format = {44100, 2, 64}; return true;
    case 16: format = {44100, 1, 48}; return true;
    case 23: format = {22050, 2, 32}; return true;
    // The encoder's lowest rate is 24 kbit/s: the phone profile gets that.
    case 36: format = {8000, 1, 24}; return true;
    default: return false;
  }
}

void SetAsfMetadata(AVDictionary** metadata, const TCodecTags& tags) {
  auto set = [&](const char* key, const std::string& value) {
    if (!value.empty()) av_dict_set(metadata, key, value.c_str(), 0);
  };
  set("title", tags.Title);
  set("artist", tags.Artist);
  set("album", tags.Album);
  set("comment", tags.Comment);
  set("genre", tags.Genre);
  set("WM/Year", tags.Year > 0 ? std::to_string(tags.Year) : "");
}

TWmaEncoder::TWmaEncoder(const std::string& path, int inRate, int inChannels, int profile, const TCodecTags& tags)
    : TConvertingEncoder(path, inChannels), Frame(av_frame_alloc()), Packet(av_packet_alloc()) {
  TWmaFormat wf{};
  if (!WmaProfileFormat(profile, wf)) throw ECodecError("There is no WMA profile " + std::to_string(profile) + ".");
  auto fail = [&](const std::string& what, int r) {
    return ECodecError("Cannot write the WMA file \"" + path + "\": " + what + " (" + AVErrorText(r) + ").");
  };
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_WMAV2);
  if (!codec) throw ECodecError("The WMA encoder is missing.");
  Encoder.reset(avcodec_alloc_context3(codec));
  Encoder->sample_rate = wf.Rate;
  av_channel_layout_default(&Encoder->ch_layout, wf.Channels);
  Encoder->sample_fmt = AV_SAMPLE_FMT_FLTP;
  Encoder->bit_rate = wf.Kbps * 1000;
  Encoder->time_base = AVRational{1, wf.Rate};
  Encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;  // ASF keeps the codec data in its header
  if (int r = avcodec_open2(Encoder.get(), codec, nullptr); r < 0) throw fail("the encoder refuses the profile", r);
  Converter = std::make_unique<TSampleConverter>(inRate, inChannels, wf.Rate, wf.Channels, AV_SAMPLE_FMT_FLTP);
  Pending.resize(size_t(wf.Channels));

  Out = std::make_unique<TCodecOutputFile>(path);
  IO = std::make_unique<TAVFileIO>(Out->File(), true);
  if (int r = avformat_alloc_output_context2(&Format, nullptr, "asf", nullptr); r < 0) throw fail("no ASF writer", r);
  Format->pb = IO->Get();
  Format->flags |= AVFMT_FLAG_CUSTOM_IO;
  Stream = avformat_new_stream(Format, nullptr);
  avcodec_parameters_from_context(Stream->codecpar, Encoder.get());
  Stream->time_base = Encoder->time_base;
  SetAsfMetadata(&Format->metadata, tags);
  if (int r = avformat_write_header(Format, nullptr); r < 0) throw fail("the header", r);
}

TWmaEncoder::~TWmaEncoder() {
  if (Format) avformat_free_context(Format);
}

void TWmaEncoder::Drain() {
  for (;;) {
    int r = avcodec_receive_packet(Encoder.get(), Packet.get());
    if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return;
    if (r < 0) throw ECodecError("The WMA encoder failed on \"" + Path + "\": " + AVErrorText(r) + ".");
    av_packet_rescale_ts(Packet.get(), Encoder->time_base, Stream->time_base);
    Packet->stream_index = Stream->index;
    if (int w = av_interleaved_write_frame(Format, Packet.get()); w < 0)
      throw ECodecError("Cannot write \"" + Path + "\": " + AVErrorText(w) + ".");
  }
}

void TWmaEncoder::Encode(const std::vector<float>& planes, bool last) {
  size_t channels = Pending.size();
  size_t count = planes.size() / channels;
  for (size_t c = 0; c < channels; ++c)
    Pending[c].insert(Pending[c].end(), planes.begin() + std::ptrdiff_t(c * count),
                      planes.begin() + std::ptrdiff_t((c + 1) * count));
  size_t frameSize = size_t(Encoder->frame_size);
  while (Pending[0].size() >= frameSize || (last && !Pending[0].empty())) {
    size_t n = std::min(frameSize, Pending[0].size());
    av_frame_unref(Frame.get());
    Frame->nb_samples = int(frameSize);  // a short last frame is padded with silence
    Frame->format = Encoder->sample_fmt;
    av_channel_layout_copy(&Frame->ch_layout, &Encoder->ch_layout);
    Frame->sample_rate = Encoder->sample_rate;
    if (av_frame_get_buffer(Frame.get(), 0) < 0) throw ECodecError("Out of memory while writing \"" + Path + "\".");
    for (size_t c = 0; c < channels; ++c) {
      auto* dst = reinterpret_cast<float*>(Frame->extended_data[c]);
      std::memcpy(dst, Pending[c].data(), n * sizeof(float));
      std::fill(dst + n, dst + frameSize, 0.0f);
      Pending[c].erase(Pending[c].begin(), Pending[c].begin() + std::ptrdiff_t(n));
    }
    Frame->pts = Pts;
    Pts += int64_t(frameSize);
    if (int r = avcodec_send_frame(Encoder.get(), Frame.get()); r < 0)
      throw ECodecError("The WMA encoder failed on \"" + Path + "\": " + AVErrorText(r) + ".");
    Drain();
  }
}

void TWmaEncoder::Finish() {
  if (!Out) return;
  EncodeRest();
  avcodec_send_frame(Encoder.get(), nullptr);
  Drain();
  if (int r = av_write_trailer(Format); r < 0)
    throw ECodecError("Cannot write \"" + Path + "\": " + AVErrorText(r) + ".");
  avio_flush(IO->Get());
  avformat_free_context(Format);
  Format = nullptr;
  IO.reset();
  Out->Commit();
  Out.reset();
}
