// What comes out of an FFmpeg decoder, turned into interleaved float frames of
// one or two channels at one rate and queued until the caller reads them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/codecs/FFmpegSupport.h"

class TDecodedAudio {
 public:
  // Takes the opened decoder, whose rate and channel count then hold for
  // every frame; path only names the file in errors.
  TDecodedAudio(TAVCodecPtr decoder, const std::string& path);
  ~TDecodedAudio();
  int GetRate() const { return Rate; }
  int GetChannels() const { return Channels; }
  // Drops the first frames the decoder gives: its delay, not audio.
  void SkipFrames(int64_t frames) { Skip = frames; }
  // Decodes one packet (nullptr: the end of the stream, drains the decoder).
  // A damaged packet is skipped, as players do; false once the decoder has
  // rejected so many in a row that the file cannot be audio of this kind.
  bool Feed(const AVPacket* packet);
  int64_t GetQueuedFrames() const { return int64_t(Queue.size() - Taken) / Channels; }
  int64_t Take(float* out, int64_t frames);
  // True when the decoder rejected data and never gave a frame: the data is
  // not what the header says.
  bool NothingDecodable() const { return EverRejected && !Decoded; }

 private:
  void Convert(const AVFrame* frame);
  void StartResampler(const AVFrame* frame);
  void Drain();  // what the resampler still holds, into the queue
  int Append(const uint8_t* const* planes, int count);  // frames it gave
  TAVCodecPtr Decoder;
  std::string Path;
  TSwrPtr Resampler;
  // What the resampler takes in; a frame of another shape (joined or damaged
  // streams change rate or channels part way) gets a resampler of its own.
  int InRate = 0, InFormat = -1;
  AVChannelLayout InLayout{};
  TAVFramePtr Frame;
  int Rate = 0, Channels = 0;
  int Rejected = 0;
  bool EverRejected = false, Decoded = false;
  int64_t Skip = 0;
  std::vector<float> Queue;
  size_t Taken = 0;
};
