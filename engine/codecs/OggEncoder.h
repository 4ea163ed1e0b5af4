// Ogg Vorbis files through libvorbis: an average bit rate (with optional
// bounds) or a quality, and the tags as Vorbis comments.
#pragma once
#include <memory>
#include <string>

#include "engine/codecs/CodecEncoder.h"
#include "engine/codecs/CodecFile.h"
#include "engine/codecs/CodecTags.h"
#include "engine/codecs/SampleConverter.h"

// The editor's SetOggFormat: quality -1 encodes at kbps (minKbps and maxKbps
// bound it when not 0); otherwise quality is tenths of a per cent (10 .. 1000)
// and kbps is not used.
struct TOggSettings {
  int Rate = 44100, Channels = 2, Kbps = 192, MinKbps = 0, MaxKbps = 0, Quality = -1;
};

// True when libvorbis can encode this rate, channel count and bit rate.
bool CanWriteOgg(int rate, int channels, int kbps, int minKbps, int maxKbps);

class TOggEncoder : public TConvertingEncoder {
 public:
  TOggEncoder(const std::string& path, int inRate, int inChannels, const TOggSettings& settings,
              const TCodecTags& tags);
  ~TOggEncoder() override;
  void Finish() override;

 private:
  struct TState;
  void Encode(const std::vector<float>& frames, bool last) override;
  bool IsFinished() const override { return !Out; }
  std::unique_ptr<TState> State;
  std::unique_ptr<TCodecOutputFile> Out;
};

struct vorbis_comment;
// Adds the tags as TITLE, ARTIST, ALBUM, DATE, GENRE and COMMENT.
void AddVorbisComments(vorbis_comment* comment, const TCodecTags& tags);

// Puts tags into the comment header of an Ogg Vorbis file (through a temporary file).
void WriteOggComments(const std::string& path, const TCodecTags& tags);
