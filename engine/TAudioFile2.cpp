#include "engine/TAudioFile2.h"

#include <algorithm>

#include "engine/AudioDecoder.h"
#include "engine/EngineError.h"
#include "engine/codecs/WmaEncoder.h"

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
  bool changed = rate != GetPcmSampleRate() || channels != GetPcmChannels();
  PcmRate = rate;
  PcmChannels = channels;
  ReadConverter.reset();
  // A writer that has taken nothing yet starts again for the new format.
  if (changed && Writer && !Written) StartWriter();
}

void TAudioFile2::OutputShape(int& rate, int& channels) const {
  using TKind = TAudioOutputFormat::TKind;
  rate = Output.Wav.Rate;
  channels = Output.Wav.Channels;
  if (Output.Kind == TKind::Mp3) {
    rate = Output.Mp3.GetRate() > 0 ? Output.Mp3.GetRate() : 44100;
    channels = Output.Mp3.GetChannels();
  } else if (Output.Kind == TKind::Ogg) {
    rate = Output.Ogg.Rate;
    channels = Output.Ogg.Channels;
  } else if (Output.Kind == TKind::Wma) {
    TWmaFormat f{44100, 2, 128};
    WmaProfileFormat(Output.WmaProfile, f);
    rate = f.Rate;
    channels = f.Channels;
  }
}

int TAudioFile2::GetPcmSampleRate() const {
  if (PcmRate) return PcmRate;
  if (Reader && !Writer) return Reader->GetRate();
  int rate, channels;
  OutputShape(rate, channels);
  return rate;
}

int TAudioFile2::GetPcmChannels() const {
  if (PcmChannels) return PcmChannels;
  if (Reader && !Writer) return Reader->GetChannels();
  int rate, channels;
  OutputShape(rate, channels);
  return channels;
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
  Output.Kind = TAudioOutputFormat::TKind::Wav;
  Output.Wav = f;
  Output.WavSet = true;
}

void TAudioFile2::CopyWavFormatFrom(const std::string& path) {
  Output.Kind = TAudioOutputFormat::TKind::Wav;
  Output.Wav = ReadWavFormat(path);
  Output.WavSet = true;
}

void TAudioFile2::SetMp3Cbr(int rate, int kbps, int channels) {
  Output.Kind = TAudioOutputFormat::TKind::Mp3;
  Output.Mp3 = TLameSettings();
  Output.Mp3.SetCbr(rate, kbps, channels);
}

void TAudioFile2::SetMp3Encoder(TAudioFile2LameEnc* encoder) {
  Output.Kind = TAudioOutputFormat::TKind::Mp3;
  if (encoder) Output.Mp3 = *encoder->GetEncoderInterface();
}

void TAudioFile2::SetOggFormat(int rate, int channels, int kbps, int minKbps, int maxKbps, int quality) {
  Output.Kind = TAudioOutputFormat::TKind::Ogg;
  Output.Ogg = TOggSettings{rate, channels, kbps, minKbps, maxKbps, quality};
}

void TAudioFile2::SetWmaProfile(int profile) {
  Output.Kind = TAudioOutputFormat::TKind::Wma;
  Output.WmaProfile = profile;
}

bool TAudioFile2::CanWriteMp3(int rate, int kbps, int channels) const { return ::CanWriteMp3(rate, kbps, channels); }

bool TAudioFile2::CanWriteOgg(int rate, int channels, int kbps, int minKbps, int maxKbps) const {
  return ::CanWriteOgg(rate, channels, kbps, minKbps, maxKbps);
}

void TAudioFile2::StartWriter() {
  Writer.reset();
  Writer = CreateAudioEncoder(WritePath, Output, GetPcmSampleRate(), GetPcmChannels(), TAudioTags{});
  Written = false;
}

void TAudioFile2::CreateForWriting(const std::string& path, int) {
  Writer.reset();
  WritePath = path;
  StartWriter();
}

void TAudioFile2::WriteBlock(const TSampleArray& samples) {
  if (!Writer) throw EAudioError("No file is open for writing.");
  const int ch = GetPcmChannels();
  if (samples.size() % ch) throw EAudioError("The block does not hold whole frames.");
  Writer->Write(samples.data(), int64_t(samples.size() / ch));
  Written = true;
}

void TAudioFile2::CloseFile() {
  if (Writer) {
    std::unique_ptr<TAudioEncoder> w = std::move(Writer);
    w->Finish();
  }
  Reader.reset();
  ReadConverter.reset();
  ReadPending.clear();
}
