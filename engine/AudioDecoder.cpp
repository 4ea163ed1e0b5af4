#include "engine/AudioDecoder.h"

#include <cstring>
#include <vector>

#include "engine/AudioCodecBridge.h"
#include "engine/EngineError.h"
#include "engine/RawFile.h"
#include "engine/WavFile.h"
#include "engine/codecs/CodecDecoder.h"
#include "engine/codecs/CodecFile.h"
#include "framework/FileUtils.h"

namespace {

class TWavDecoder : public TAudioDecoder {
 public:
  explicit TWavDecoder(const std::string& path) : Reader(path) {}
  int GetRate() const override { return Reader.GetFormat().Rate; }
  int GetChannels() const override { return Reader.GetFormat().Channels; }
  int64_t GetLengthFrames() const override { return Reader.GetLengthFrames(); }
  int GetBitRate() const override {
    const TWavFormat& f = Reader.GetFormat();
    return f.Rate * f.Channels * f.Bits;
  }
  TAudioTags GetTags() const override { return Reader.GetTags(); }
  int64_t Read(float* out, int64_t frames) override { return Reader.Read(out, frames); }
  bool ReadsInt16() const override { return !Reader.GetFormat().Float && Reader.GetFormat().Bits == 16; }
  int64_t ReadInt16(int16_t* out, int64_t frames) override { return Reader.ReadInt16(out, frames); }

 private:
  TWavReader Reader;
};

// The format layer's decoders, their errors turned into the engine's.
class TCodecAudioDecoder : public TAudioDecoder {
 public:
  explicit TCodecAudioDecoder(std::unique_ptr<TCodecDecoder> d) : Decoder(std::move(d)) {}
  int GetRate() const override { return Decoder->GetRate(); }
  int GetChannels() const override { return Decoder->GetChannels(); }
  int64_t GetLengthFrames() const override { return Decoder->GetLengthFrames(); }
  int GetBitRate() const override { return Decoder->GetBitRate(); }
  TAudioTags GetTags() const override { return FromCodecTags(Decoder->GetTags()); }
  int64_t Read(float* out, int64_t frames) override {
    return AsAudioError([&] { return Decoder->Read(out, frames); });
  }

 private:
  std::unique_ptr<TCodecDecoder> Decoder;
};

bool StartsWithRiffWave(const std::string& path) {
  TRawFile f(path, TRawFile::TMode::Read);
  char head[12]{};
  return f.ReadSome(head, 12) == 12 && !std::memcmp(head, "RIFF", 4) && !std::memcmp(head + 8, "WAVE", 4);
}

std::vector<TAudioDecoderFactory>& Factories() {
  static std::vector<TAudioDecoderFactory> factories;
  return factories;
}

}  // namespace

void RegisterAudioDecoder(TAudioDecoderFactory factory) { Factories().push_back(factory); }

std::unique_ptr<TAudioDecoder> OpenAudioDecoder(const std::string& path) {
  if (!FileExists(path)) throw EAudioError("The file \"" + path + "\" does not exist.");
  if (StartsWithRiffWave(path)) {
    try {
      return std::make_unique<TWavDecoder>(path);
    } catch (const EWavCodingError&) {
      // Compressed and multi-channel audio is the codec layer's; when that
      // cannot read it either, the WAV reader's reason says more.
      try {
        return std::make_unique<TCodecAudioDecoder>(OpenCodecDecoder(path));
      } catch (const ECodecError&) {
      }
      throw;
    }
  }
  for (auto f : Factories())
    if (auto d = f(path)) return d;
  // A CD track has its own message there.
  if (const std::string ext = CodecFileExtension(path); IsCodecExtension(ext) || ext == ".cda")
    return std::make_unique<TCodecAudioDecoder>(AsAudioError([&] { return OpenCodecDecoder(path); }));
  throw EAudioError("The file \"" + path + "\" is damaged or its format is not supported.");
}
