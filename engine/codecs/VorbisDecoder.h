// Ogg Vorbis files through libvorbisfile, which gives the exact length the
// encoder wrote and every sample of it.
#pragma once
#include <array>
#include <memory>
#include <vector>

#include "engine/codecs/CodecDecoder.h"
#include "engine/codecs/CodecFile.h"

class TVorbisDecoder : public TCodecDecoder {
 public:
  explicit TVorbisDecoder(const std::string& path);
  ~TVorbisDecoder() override;
  int GetRate() const override { return Rate; }
  int GetChannels() const override { return Channels; }
  int64_t GetLengthFrames() const override { return Length; }
  int GetBitRate() const override { return BitRate; }
  TCodecTags GetTags() const override { return Tags; }
  int64_t Read(float* out, int64_t frames) override;

 private:
  struct TState;
  void SetUpDownmix();
  std::string Path;
  std::vector<std::array<float, 2>> Mix;  // per channel: its share of left and right
  std::unique_ptr<TCodecFile> File;
  std::unique_ptr<TState> State;
  int Rate = 0, Channels = 0, FileChannels = 0, BitRate = 0;
  int64_t Length = 0;
  TCodecTags Tags;
};

// True when the file starts with an Ogg page that carries a Vorbis stream.
bool IsOggVorbis(const std::string& path);
