#include "engine/codecs/DecodedAudio.h"

#include <algorithm>
#include <cstring>

#include "engine/codecs/CodecError.h"

TDecodedAudio::TDecodedAudio(TAVCodecPtr decoder, const std::string& path)
    : Decoder(std::move(decoder)), Path(path), Frame(av_frame_alloc()) {
  Channels = Decoder->ch_layout.nb_channels == 1 ? 1 : 2;
}

bool TDecodedAudio::Feed(const AVPacket* packet) {
  int sent = avcodec_send_packet(Decoder.get(), packet);
  if (sent < 0 && sent != AVERROR_EOF) {
    // Damaged data in the middle of a file is skipped; a file made of nothing
    // else is not audio of this kind.
    return ++Rejected < 50;
  }
  for (;;) {
    int got = avcodec_receive_frame(Decoder.get(), Frame.get());
    if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) break;
    if (got < 0) return ++Rejected < 50;
    Rejected = 0;
    Convert(Frame.get());
    av_frame_unref(Frame.get());
  }
  return true;
}

void TDecodedAudio::Convert(const AVFrame* frame) {
  if (!Resampler) {
    AVChannelLayout in{};
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || frame->ch_layout.nb_channels == 0)
      av_channel_layout_default(&in, std::max(1, frame->ch_layout.nb_channels));
    else
      av_channel_layout_copy(&in, &frame->ch_layout);
    AVChannelLayout out{};
    av_channel_layout_default(&out, Channels);
    SwrContext* swr = nullptr;
    int r = swr_alloc_set_opts2(&swr, &out, AV_SAMPLE_FMT_FLT, frame->sample_rate, &in,
                                AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    if (r < 0 || swr_init(swr) < 0) {
      swr_free(&swr);
      throw ECodecError("The audio of \"" + Path + "\" cannot be converted.");
    }
    Resampler.reset(swr);
  }
  if (Taken > 0) {  // keep only the unread rest
    Queue.erase(Queue.begin(), Queue.begin() + std::ptrdiff_t(Taken));
    Taken = 0;
  }
  size_t at = Queue.size();
  Queue.resize(at + size_t(frame->nb_samples) * Channels);
  auto* dst = reinterpret_cast<uint8_t*>(Queue.data() + at);
  int done = swr_convert(Resampler.get(), &dst, frame->nb_samples,
                         const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
  Queue.resize(at + size_t(std::max(done, 0)) * Channels);
}

int64_t TDecodedAudio::Take(float* out, int64_t frames) {
  int64_t n = std::min(frames, GetQueuedFrames());
  std::memcpy(out, Queue.data() + Taken, size_t(n) * Channels * sizeof(float));
  Taken += size_t(n) * Channels;
  if (Taken == Queue.size()) Queue.clear(), Taken = 0;
  return n;
}
