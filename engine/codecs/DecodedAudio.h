// What comes out of an FFmpeg decoder, turned into interleaved float frames of
// one or two channels and queued until the caller reads them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/codecs/FFmpegSupport.h"

class TDecodedAudio {
 public:
  // Takes the opened decoder; path only names the file in errors.
  TDecodedAudio(TAVCodecPtr decoder, const std::string& path);
  int GetRate() const { return Decoder->sample_rate; }
  int GetChannels() const { return Channels; }
  // Decodes one packet (nullptr: the end of the stream, drains the decoder).
  // A damaged packet is skipped, as players do; false once the decoder has
  // rejected so many in a row that the file cannot be audio of this kind.
  bool Feed(const AVPacket* packet);
  int64_t GetQueuedFrames() const { return int64_t(Queue.size() - Taken) / Channels; }
  int64_t Take(float* out, int64_t frames);

 private:
  void Convert(const AVFrame* frame);
  TAVCodecPtr Decoder;
  std::string Path;
  TSwrPtr Resampler;
  TAVFramePtr Frame;
  int Channels = 0;
  int Rejected = 0;
  std::vector<float> Queue;
  size_t Taken = 0;
};
