// WMA (version 2) files in an ASF container, through FFmpeg, with the tags as
// ASF attributes.
#pragma once
#include <memory>
#include <string>

#include "engine/codecs/CodecEncoder.h"
#include "engine/codecs/CodecTags.h"
#include "engine/codecs/FFmpegSupport.h"
#include "engine/codecs/SampleConverter.h"

struct TWmaFormat {
  int Rate, Channels, Kbps;
};

// The editor's WMA profiles: 8 "Studio" 192 kbit/s, 10 "CD" 128, 11 "Tape" 96 and
// 13 "Radio" 64 kbit/s (44.1 kHz stereo), 16 48 kbit/s (44.1 kHz mono), 23 32
// kbit/s (22.05 kHz stereo) and 36 "Phone" (8 kHz mono). False for any other.
bool WmaProfileFormat(int profile, TWmaFormat& format);

class TWmaEncoder : public TConvertingEncoder {
 public:
  // Raises ECodecError for a profile WmaProfileFormat does not know.
  TWmaEncoder(const std::string& path, int inRate, int inChannels, int profile, const TCodecTags& tags);
  ~TWmaEncoder() override;
  void Finish() override;

 private:
  void Encode(const std::vector<float>& planes, bool last) override;
  bool IsFinished() const override { return !Out; }
  void Drain();
  std::unique_ptr<TCodecOutputFile> Out;
  std::unique_ptr<TAVFileIO> IO;
  AVFormatContext* Format = nullptr;
  AVStream* Stream = nullptr;
  TAVCodecPtr Encoder;
  TAVFramePtr Frame;
  TAVPacketPtr Packet;
  std::vector<std::vector<float>> Pending;  // per channel, less than one frame
  int64_t Pts = 0;
};

// Sets the metadata of an output context from tags, under the names ASF uses.
void SetAsfMetadata(AVDictionary** metadata, const TCodecTags& tags);
// Puts tags into a WMA file (its packets are copied into a new file).
void WriteAsfTags(const std::string& path, const TCodecTags& tags);
