#include "engine/TAudioFile2.h"

#include <algorithm>

#include "engine/AudioDecoder.h"
#include "engine/EngineError.h"

TAudioFile2::TAudioFile2(TComponent* AOwner) : TComponent(AOwner) {}
TAudioFile2::~TAudioFile2() = default;

void TAudioFile2::RequireReader() const {
  if (!Reader) throw EAudioError("No file is open for reading.");
}

void TAudioFile2::OpenForReading(const std::string& path, int, int) {
  std::unique_ptr<TAudioDecoder> d = OpenAudioDecoder(path);
  if (d->GetChannels() < 1 || d->GetChannels() > 2) throw EAudioError("Only mono and stereo audio is supported.");
  Reader = std::move(d);
  ReadConverter.reset();
  ReadPending.clear();
  ReadDone = false;
  PcmRate = PcmChannels = 0;
}

int TAudioFile2::GetLengthSamples() const {
  RequireReader();
  return int(Reader->GetLengthFrames());
}
int TAudioFile2::GetFileSampleRate() const {
  RequireReader();
  return Reader->GetRate();
}
int TAudioFile2::GetFileChannels() const {
  RequireReader();
  return Reader->GetChannels();
}
int TAudioFile2::GetBitRate() const {
  RequireReader();
  return Reader->GetBitRate();
}

void TAudioFile2::SetPcmFormat(int rate, int channels) {
  if (rate < 1000 || channels < 1 || channels > 2) throw EAudioError("Unsupported PCM format.");
  PcmRate = rate;
  PcmChannels = channels;
  ReadConverter.reset();
  WriteConverter.reset();
}

int TAudioFile2::GetPcmSampleRate() const {
  if (PcmRate) return PcmRate;
  return Reader && !Writer ? Reader->GetRate() : Wav.Rate;
}

int TAudioFile2::GetPcmChannels() const {
  if (PcmChannels) return PcmChannels;
  return Reader && !Writer ? Reader->GetChannels() : Wav.Channels;
}

TSampleArray TAudioFile2::ReadBlock(int count) {
  RequireReader();
  const int fileCh = Reader->GetChannels(), ch = GetPcmChannels();
  size_t want = size_t(std::max(0, count)) / ch * ch;
  if (!ReadConverter) ReadConverter = std::make_unique<TFormatConverter>(Reader->GetRate(), fileCh, GetPcmSampleRate(), ch);
  std::vector<float> in;
  while (ReadPending.size() < want && !ReadDone) {
    int64_t frames = std::max<int64_t>(1024, int64_t(want / ch));
    in.resize(size_t(frames) * fileCh);
    int64_t n = Reader->Read(in.data(), frames);
    if (n == 0) {
      ReadConverter->Finish(ReadPending);
      ReadDone = true;
    } else {
      ReadConverter->Process(in.data(), n, ReadPending);
    }
  }
  size_t n = std::min(want, ReadPending.size());
  TSampleArray out(ReadPending.begin(), ReadPending.begin() + n);
  ReadPending.erase(ReadPending.begin(), ReadPending.begin() + n);
  return out;
}

void TAudioFile2::SetWavFormat(int rate, int channels, int bits) {
  TWavFormat f{rate, channels, bits, bits == 32, false};
  ValidateWavFormat(f);
  Wav = f;
  OutputKind = TOutput::Wav;
}

void TAudioFile2::CopyWavFormatFrom(const std::string& path) {
  Wav = ReadWavFormat(path);
  OutputKind = TOutput::Wav;
}

void TAudioFile2::SetMp3Cbr(int, int, int) { OutputKind = TOutput::Mp3; }
void TAudioFile2::SetMp3Encoder(void*) { OutputKind = TOutput::Mp3; }
void TAudioFile2::SetOggFormat(int, int, int, int, int, int) { OutputKind = TOutput::Ogg; }
void TAudioFile2::SetWmaProfile(int) { OutputKind = TOutput::Wma; }
// No MP3 or OGG encoder is part of this build.
bool TAudioFile2::CanWriteMp3(int, int, int) const { return false; }
bool TAudioFile2::CanWriteOgg(int, int, int, int, int) const { return false; }

void TAudioFile2::CreateForWriting(const std::string& path, int) {
  if (OutputKind != TOutput::Wav)
    throw EAudioError("Writing this format is not available: \"" + path + "\" was not created.");
  Writer = std::make_unique<TWavWriter>(path, Wav, TAudioTags{});
  WriteConverter.reset();
}

void TAudioFile2::WriteBlock(const TSampleArray& samples) {
  if (!Writer) throw EAudioError("No file is open for writing.");
  const int ch = GetPcmChannels();
  if (samples.size() % ch) throw EAudioError("The block does not hold whole frames.");
  if (!WriteConverter)
    WriteConverter = std::make_unique<TFormatConverter>(GetPcmSampleRate(), ch, Wav.Rate, Wav.Channels);
  if (WriteConverter->IsIdentity()) {
    Writer->Write(samples.data(), int64_t(samples.size() / ch));
    return;
  }
  std::vector<float> out;
  WriteConverter->Process(samples.data(), int64_t(samples.size() / ch), out);
  Writer->Write(out.data(), int64_t(out.size() / Wav.Channels));
}

void TAudioFile2::CloseFile() {
  if (Writer) {
    if (WriteConverter && !WriteConverter->IsIdentity()) {
      std::vector<float> out;
      WriteConverter->Finish(out);
      Writer->Write(out.data(), int64_t(out.size() / Wav.Channels));
    }
    std::unique_ptr<TWavWriter> w = std::move(Writer);
    WriteConverter.reset();
    w->Commit();
  }
  Reader.reset();
  ReadConverter.reset();
  ReadPending.clear();
}
