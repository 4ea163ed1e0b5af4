// Files with a container or self-describing frames (MP3, MP2, WMA, Ogg Vorbis,
// AIFF, Musepack, WAV), demuxed and decoded with FFmpeg.
#pragma once
#include <memory>

#include "engine/codecs/CodecDecoder.h"
#include "engine/codecs/DecodedAudio.h"

class TFFmpegDecoder : public TCodecDecoder {
 public:
  explicit TFFmpegDecoder(const std::string& path);
  ~TFFmpegDecoder() override;
  int GetRate() const override { return Audio->GetRate(); }
  int GetChannels() const override { return Audio->GetChannels(); }
  int64_t GetLengthFrames() const override { return Length; }
  int GetBitRate() const override { return BitRate; }
  TCodecTags GetTags() const override { return Tags; }
  int64_t Read(float* out, int64_t frames) override;

 private:
  void Open();  // closes what it opened when it fails
  void OpenParts();
  void Close();
  int64_t CountFrames();  // from the packets; -1 when that cannot tell
  int64_t CountDecodedFrames();
  [[noreturn]] void Unreadable(const std::string& why) const;

  std::string Path;
  std::unique_ptr<TCodecFile> File;
  std::unique_ptr<TAVFileIO> IO;
  AVFormatContext* Format = nullptr;
  int Stream = -1;
  std::unique_ptr<TDecodedAudio> Audio;
  TAVPacketPtr Packet;
  bool Ended = false;
  int64_t Length = 0;
  int64_t Limit = -1;  // frames the file says it holds, where it says so exactly
  int64_t Delay = 0;   // frames the decoder gives before the first one of the file
  int64_t Delivered = 0;
  int BitRate = 0;
  TCodecTags Tags;
};
