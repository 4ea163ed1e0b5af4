#include "engine/codecs/DecodedAudio.h"

#include <algorithm>
#include <cstring>

#include "engine/codecs/CodecError.h"
#include "engine/codecs/Downmix.h"
#include "engine/codecs/FiniteSamples.h"

TDecodedAudio::TDecodedAudio(TAVCodecPtr decoder, const std::string& path)
    : Decoder(std::move(decoder)), Path(path), Frame(av_frame_alloc()) {
  Rate = Decoder->sample_rate;
  Channels = Decoder->ch_layout.nb_channels == 1 ? 1 : 2;
}

TDecodedAudio::~TDecodedAudio() { av_channel_layout_uninit(&InLayout); }

bool TDecodedAudio::Feed(const AVPacket* packet) {
  int sent = avcodec_send_packet(Decoder.get(), packet);
  if (sent < 0 && sent != AVERROR_EOF) {
    EverRejected = true;
    // Damaged data in the middle of a file is skipped; a file made of nothing
    // else is not audio of this kind.
    return ++Rejected < 50;
  }
  for (;;) {
    int got = avcodec_receive_frame(Decoder.get(), Frame.get());
    if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) break;
    if (got < 0) return EverRejected = true, ++Rejected < 50;
    Rejected = 0;
    Decoded = true;
    Convert(Frame.get());
    av_frame_unref(Frame.get());
  }
  if (!packet) Drain();
  return true;
}

void TDecodedAudio::StartResampler(const AVFrame* frame) {
  Drain();
  Resampler.reset();
  av_channel_layout_uninit(&InLayout);
  if (av_channel_layout_copy(&InLayout, &frame->ch_layout) < 0)
    throw ECodecError("Out of memory while reading \"" + Path + "\".");
  InRate = frame->sample_rate;
  InFormat = frame->format;
  AVChannelLayout in{}, out{};
  if (InLayout.order == AV_CHANNEL_ORDER_UNSPEC) av_channel_layout_default(&in, InLayout.nb_channels);
  else av_channel_layout_copy(&in, &InLayout);
  av_channel_layout_default(&out, Channels);
  SwrContext* swr = nullptr;
  int r = swr_alloc_set_opts2(&swr, &out, AV_SAMPLE_FMT_FLT, Rate, &in, AVSampleFormat(frame->format),
                              frame->sample_rate, 0, nullptr);
  if (r >= 0 && av_channel_layout_compare(&in, &out) != 0) {
    std::vector<double> matrix = DownmixMatrix(SpeakersOf(InLayout), Channels);
    r = swr_set_matrix(swr, matrix.data(), InLayout.nb_channels);
  }
  av_channel_layout_uninit(&in);
  if (r < 0 || swr_init(swr) < 0) {
    swr_free(&swr);
    throw ECodecError("The audio of \"" + Path + "\" cannot be converted.");
  }
  Resampler.reset(swr);
}

void TDecodedAudio::Convert(const AVFrame* frame) {
  // A frame without a usable shape is damage the decoder let through.
  if (frame->sample_rate <= 0 || frame->nb_samples <= 0 || frame->ch_layout.nb_channels <= 0 ||
      frame->ch_layout.nb_channels > 64)
    return;
  if (!Resampler || frame->sample_rate != InRate || frame->format != InFormat ||
      av_channel_layout_compare(&frame->ch_layout, &InLayout) != 0)
    StartResampler(frame);
  Append(frame->extended_data, frame->nb_samples);
}

void TDecodedAudio::Drain() {
  // A rate converter gives back what it holds in pieces.
  while (Resampler && Append(nullptr, 0) > 0) {
  }
}

int TDecodedAudio::Append(const uint8_t* const* planes, int count) {
  if (Taken > 0) {  // keep only the unread rest
    Queue.erase(Queue.begin(), Queue.begin() + std::ptrdiff_t(Taken));
    Taken = 0;
  }
  int capacity = std::max(swr_get_out_samples(Resampler.get(), count), planes ? 0 : 4096);
  if (capacity <= 0) return 0;
  size_t at = Queue.size();
  Queue.resize(at + size_t(capacity) * Channels);
  auto* dst = reinterpret_cast<uint8_t*>(Queue.data() + at);
  int done = swr_convert(Resampler.get(), &dst, capacity, const_cast<const uint8_t**>(planes), count);
  Queue.resize(at + size_t(std::max(done, 0)) * Channels);
  ZeroNonFinite(Queue.data() + at, Queue.size() - at);
  if (Skip > 0) {
    int64_t drop = std::min<int64_t>(Skip, int64_t(Queue.size() - at) / Channels);
    Queue.erase(Queue.begin() + std::ptrdiff_t(at), Queue.begin() + std::ptrdiff_t(at + size_t(drop) * Channels));
    Skip -= drop;
  }
  return done;
}

int64_t TDecodedAudio::Take(float* out, int64_t frames) {
  int64_t n = std::min(frames, GetQueuedFrames());
  std::memcpy(out, Queue.data() + Taken, size_t(n) * Channels * sizeof(float));
  Taken += size_t(n) * Channels;
  if (Taken == Queue.size()) Queue.clear(), Taken = 0;
  return n;
}
