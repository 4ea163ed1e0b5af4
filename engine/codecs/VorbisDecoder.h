// Ogg Vorbis files through libvorbisfile, which gives the exact length the
// encoder wrote and every sample of it; the streams of a joined file follow
// one another in the format of the first.
#pragma once
#include <memory>
#include <vector>

#include "engine/codecs/CodecDecoder.h"
#include "engine/codecs/CodecFile.h"
#include "engine/codecs/SampleConverter.h"

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
  std::string Path;
  std::vector<double> Mix;  // a row of weights for each side, for MixChannels channels
  int MixChannels = 0;
  // Streams of a joined file that differ from the first, converted to it.
  std::unique_ptr<TSampleConverter> Converter;
  int ConverterRate = 0, ConverterChannels = 0;
  std::vector<float> Mixed, Pending;
  size_t PendingAt = 0;
  bool Ended = false;
  std::unique_ptr<TCodecFile> File;
  std::unique_ptr<TState> State;
  int Rate = 0, Channels = 0, BitRate = 0;
  int64_t Length = 0;
  TCodecTags Tags;
};

// True when the file starts with an Ogg page that carries a Vorbis stream.
bool IsOggVorbis(const std::string& path);
