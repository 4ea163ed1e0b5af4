// Files of bare coded samples with no header, read with the parameters such
// files have by custom:
//   .raw   16-bit signed little-endian PCM, 44100 Hz, stereo
//   .vox   Dialogic (OKI) 4-bit ADPCM, 8000 Hz, mono
//   .g721  G.721 (G.726 at 32 kbit/s) ADPCM, 8000 Hz, mono
//   .g726  G.726 at 32 kbit/s ADPCM, 8000 Hz, mono
//   .g723  G.723.1 at 6.3 or 5.3 kbit/s, 8000 Hz, mono
// The G.726 codes are packed least significant bits first, as RFC 3551 has it.
#pragma once
#include <memory>

#include "engine/codecs/CodecDecoder.h"
#include "engine/codecs/DecodedAudio.h"

class THeaderlessDecoder : public TCodecDecoder {
 public:
  explicit THeaderlessDecoder(const std::string& path);
  int GetRate() const override { return Rate; }
  int GetChannels() const override { return Channels; }
  int64_t GetLengthFrames() const override { return Length; }
  int GetBitRate() const override { return BitRate; }
  TCodecTags GetTags() const override { return {}; }
  int64_t Read(float* out, int64_t frames) override;

 private:
  size_t NextPacket();
  std::string Path;
  std::unique_ptr<TCodecFile> File;
  std::unique_ptr<TDecodedAudio> Audio;
  TAVPacketPtr Packet;
  bool G7231 = false;
  int Rate = 8000, Channels = 1, BitRate = 0;
  int64_t Length = 0, Size = 0;
  bool Ended = false;
};

// Frame size of a G.723.1 frame by the type bits of its first byte.
int G7231FrameBytes(unsigned char first);
