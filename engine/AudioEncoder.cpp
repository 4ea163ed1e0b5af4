#include "engine/AudioEncoder.h"

#include <vector>

#include "engine/AudioCodecBridge.h"
#include "engine/EngineError.h"
#include "engine/FormatConverter.h"
#include "engine/codecs/Mp3Encoder.h"
#include "engine/codecs/WmaEncoder.h"

namespace {

class TWavEncoder : public TAudioEncoder {
 public:
  TWavEncoder(const std::string& path, const TWavFormat& f, int rate, int channels, const TAudioTags& tags)
      : Writer(path, f, tags), Converter(rate, channels, f.Rate, f.Channels), Channels(f.Channels) {}
  void Write(const float* frames, int64_t count) override {
    if (Converter.IsIdentity()) {
      Writer.Write(frames, count);
      return;
    }
    Out.clear();
    Converter.Process(frames, count, Out);
    Writer.Write(Out.data(), int64_t(Out.size() / Channels));
  }
  void Finish() override {
    Out.clear();
    Converter.Finish(Out);
    Writer.Write(Out.data(), int64_t(Out.size() / Channels));
    Writer.Commit();
  }

 private:
  TWavWriter Writer;
  TFormatConverter Converter;
  int Channels;
  std::vector<float> Out;
};

// Codec failures reach callers as the engine's own errors.
class TCodecAudioEncoder : public TAudioEncoder {
 public:
  explicit TCodecAudioEncoder(std::unique_ptr<TCodecEncoder> e) : Encoder(std::move(e)) {}
  void Write(const float* frames, int64_t count) override {
    AsAudioError([&] { Encoder->Write(frames, count); });
  }
  void Finish() override {
    AsAudioError([&] { Encoder->Finish(); });
  }

 private:
  std::unique_ptr<TCodecEncoder> Encoder;
};

}  // namespace

std::unique_ptr<TAudioEncoder> CreateAudioEncoder(const std::string& path, const TAudioOutputFormat& format,
                                                  int rate, int channels, const TAudioTags& tags) {
  using TKind = TAudioOutputFormat::TKind;
  if (format.Kind == TKind::Wav) {
    TWavFormat f = format.WavSet ? format.Wav : TWavFormat{rate, channels, 16, false, false};
    return std::make_unique<TWavEncoder>(path, f, rate, channels, tags);
  }
  TCodecTags t = ToCodecTags(tags);
  return std::make_unique<TCodecAudioEncoder>(AsAudioError([&]() -> std::unique_ptr<TCodecEncoder> {
    if (format.Kind == TKind::Mp3) return std::make_unique<TMp3Encoder>(path, rate, channels, format.Mp3, t);
    if (format.Kind == TKind::Ogg) return std::make_unique<TOggEncoder>(path, rate, channels, format.Ogg, t);
    return std::make_unique<TWmaEncoder>(path, rate, channels, format.WmaProfile, t);
  }));
}
