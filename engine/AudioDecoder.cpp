#include "engine/AudioDecoder.h"

#include <cstring>
#include <vector>

#include "engine/EngineError.h"
#include "engine/RawFile.h"
#include "engine/WavFile.h"
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

 private:
  TWavReader Reader;
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
  if (StartsWithRiffWave(path)) return std::make_unique<TWavDecoder>(path);
  for (auto f : Factories())
    if (auto d = f(path)) return d;
  throw EAudioError("The file \"" + path + "\" is damaged or its format is not supported.");
}
