#include "engine/TAudioInformation2.h"

#include "engine/AudioCodecBridge.h"
#include "engine/AudioDecoder.h"
#include "engine/EngineError.h"
#include "engine/RawFile.h"
#include "engine/WavFile.h"
#include "engine/codecs/CodecTagWriter.h"
#include "framework/FileUtils.h"

void TAudioInformation2::ReadInfo(const std::string& path) {
  std::unique_ptr<TAudioDecoder> d = OpenAudioDecoder(path);
  Tags = d->GetTags();
  LengthSamples = int(d->GetLengthFrames());
  SampleRate = d->GetRate();
  Channels = d->GetChannels();
}

void TAudioInformation2::WriteInfo(const std::string& path) {
  if (!FileExists(path)) throw EAudioError("The file \"" + path + "\" does not exist.");
  if (AsAudioError([&] { return CanWriteCodecTags(path); })) {
    AsAudioError([&] { WriteCodecTags(path, ToCodecTags(Tags)); });
    return;
  }
  // Anything else must be a WAV file we can read.
  ReadWavFormat(path);
  RewriteWavTags(path, Tags);
}
