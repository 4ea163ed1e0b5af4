#include "engine/codecs/Mp3Encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <utility>

#include "engine/codecs/CodecError.h"
#include "engine/codecs/Id3Tags.h"

namespace {

MPEG_mode LameMode(TLameSettings::TMode m) {
  switch (m) {
    case TLameSettings::TMode::Stereo: return STEREO;
    case TLameSettings::TMode::JointStereo: return JOINT_STEREO;
    case TLameSettings::TMode::DualChannel: return DUAL_CHANNEL;
    default: return MONO;
  }
}

}  // namespace

TMp3Encoder::TMp3Encoder(const std::string& path, int inRate, int inChannels, const TLameSettings& s,
                         const TCodecTags& tags)
    : TConvertingEncoder(path, inChannels) {
  int rate = s.GetRate() ? s.GetRate() : ValidMp3Rate(inRate);
  if (s.GetKind() == TLameSettings::TKind::Cbr && !CanWriteMp3(rate, s.GetBitRate(), s.GetChannels()))
    throw ECodecError("An MP3 file cannot have " + std::to_string(rate) + " Hz at " +
                      std::to_string(s.GetBitRate()) + " kbit/s.");
  Converter = std::make_unique<TSampleConverter>(inRate, inChannels, rate, s.GetChannels());
  Lame = lame_init();
  if (!Lame) throw ECodecError("The MP3 encoder cannot start.");
  lame_set_in_samplerate(Lame, rate);
  lame_set_out_samplerate(Lame, rate);
  lame_set_num_channels(Lame, s.GetChannels());
  lame_set_mode(Lame, LameMode(s.GetMode()));
  lame_set_error_protection(Lame, s.GetChecksum() ? 1 : 0);
  lame_set_write_id3tag_automatic(Lame, 0);
  Xing = s.GetXingHeader();
  lame_set_bWriteVbrTag(Lame, Xing ? 1 : 0);
  if (s.GetKind() == TLameSettings::TKind::Vbr) {
    // The bounds come from callers unchecked and the rate may follow the
    // source, so they are brought to bit rates this rate's frames can hold
    // (the way the rate itself is), in order, with the average between them.
    int low = NearestMp3BitRate(rate, s.GetVbrMinBitRate());
    int high = NearestMp3BitRate(rate, s.GetVbrMaxBitRate());
    if (low > high) std::swap(low, high);
    lame_set_VBR(Lame, s.GetAverage() ? vbr_abr : vbr_default);
    if (s.GetAverage()) lame_set_VBR_mean_bitrate_kbps(Lame, std::clamp(s.GetAbrBitRate(), low, high));
    else lame_set_VBR_quality(Lame, float(s.GetVbrQuality()));
    lame_set_VBR_min_bitrate_kbps(Lame, low);
    lame_set_VBR_max_bitrate_kbps(Lame, high);
    lame_set_VBR_hard_min(Lame, 1);
  } else {
    lame_set_VBR(Lame, vbr_off);
    lame_set_brate(Lame, s.GetBitRate());
  }
  if (lame_init_params(Lame) < 0) {
    lame_close(Lame);
    Lame = nullptr;
    throw ECodecError("The MP3 encoder does not accept these settings.");
  }
  Out = std::make_unique<TCodecOutputFile>(path);
  std::vector<unsigned char> v2 = BuildId3v2(tags);
  Out->File().Write(v2.data(), v2.size());
  FirstFrameAt = int64_t(v2.size());
  Id3v1 = BuildId3v1(tags);
}

TMp3Encoder::~TMp3Encoder() {
  if (Lame) lame_close(Lame);
}

void TMp3Encoder::Encode(const std::vector<float>& frames, bool) {
  int channels = Converter->GetOutChannels();
  int count = int(frames.size()) / channels;
  if (count == 0) return;
  // LAME takes planes; its float input is full scale at +-1.0.
  Left.resize(size_t(count));
  Right.resize(channels == 2 ? size_t(count) : 0);
  for (int i = 0; i < count; ++i) {
    Left[size_t(i)] = frames[size_t(i) * channels];
    if (channels == 2) Right[size_t(i)] = frames[size_t(i) * 2 + 1];
  }
  Buffer.resize(size_t(count) * 5 / 4 + 7200);
  int n = lame_encode_buffer_ieee_float(Lame, Left.data(), channels == 2 ? Right.data() : Left.data(), count,
                                        Buffer.data(), int(Buffer.size()));
  if (n < 0) throw ECodecError("The MP3 encoder failed on \"" + Path + "\" (" + std::to_string(n) + ").");
  Out->File().Write(Buffer.data(), size_t(n));
}

void TMp3Encoder::Finish() {
  if (!Out) return;
  EncodeRest();
  Buffer.resize(7200);
  int n = lame_encode_flush(Lame, Buffer.data(), int(Buffer.size()));
  if (n < 0) throw ECodecError("The MP3 encoder failed on \"" + Path + "\".");
  TCodecFile& f = Out->File();
  f.Write(Buffer.data(), size_t(n));
  f.Write(Id3v1.data(), Id3v1.size());
  if (Xing) {
    // The first frame was left empty for the header that needs the totals.
    unsigned char frame[2880];
    size_t size = lame_get_lametag_frame(Lame, frame, sizeof frame);
    if (size > 0 && size <= sizeof frame) {
      f.Seek(FirstFrameAt);
      f.Write(frame, size);
    }
  }
  Out->Commit();
  Out.reset();
}
