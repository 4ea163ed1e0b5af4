#include "engine/SpeechFileWriter.h"

#include <cstring>

#include "engine/AudioTags.h"
#include "engine/EngineError.h"

TSpeechFileWriter::TSpeechFileWriter(const std::string& path, int streamRate, int streamChannels,
                                     const TWavFormat& format)
    : StreamChannels(streamChannels),
      Converter(streamRate, streamChannels, format.Rate, format.Channels),
      Writer(std::make_unique<TWavWriter>(path, format, TAudioTags{})) {}

TSpeechFileWriter::~TSpeechFileWriter() = default;

bool TSpeechFileWriter::Write(const void* data, size_t bytes) {
  std::lock_guard<std::mutex> guard(Lock);
  if (!Writer) return false;
  try {
    const size_t frameBytes = size_t(StreamChannels) * 2;
    const auto* p = static_cast<const uint8_t*>(data);
    BytesTaken += bytes;
    if (PendingBytes) {
      const size_t n = std::min(bytes, frameBytes - PendingBytes);
      std::memcpy(Pending + PendingBytes, p, n);
      PendingBytes += n;
      p += n;
      bytes -= n;
      if (PendingBytes < frameBytes) return true;
      int16_t frame[2];
      std::memcpy(frame, Pending, frameBytes);
      WriteFrames(frame, 1);
      PendingBytes = 0;
    }
    const size_t frames = bytes / frameBytes;
    std::vector<int16_t> pcm(frames * size_t(StreamChannels));
    std::memcpy(pcm.data(), p, frames * frameBytes);
    WriteFrames(pcm.data(), frames);
    PendingBytes = bytes - frames * frameBytes;
    std::memcpy(Pending, p + frames * frameBytes, PendingBytes);
    return true;
  } catch (const std::exception& e) {
    Failure = e.what();
  }
  Writer.reset();
  return false;
}

void TSpeechFileWriter::WriteFrames(const int16_t* pcm, size_t frames) {
  In.resize(frames * size_t(StreamChannels));
  for (size_t i = 0; i < In.size(); ++i) In[i] = float(pcm[i]) / 32768.0f;
  Out.clear();
  Converter.Process(In.data(), int64_t(frames), Out);
  Writer->Write(Out.data(), int64_t(Out.size() / size_t(Writer->GetFormat().Channels)));
}

std::string TSpeechFileWriter::GetFailure() const {
  std::lock_guard<std::mutex> guard(Lock);
  return Failure;
}

uint64_t TSpeechFileWriter::GetBytesTaken() const {
  std::lock_guard<std::mutex> guard(Lock);
  return BytesTaken;
}

void TSpeechFileWriter::Commit() {
  std::lock_guard<std::mutex> guard(Lock);
  if (!Failure.empty()) throw EAudioError(Failure);
  if (!Writer) throw EAudioError("The speech file was abandoned.");
  try {
    Out.clear();
    Converter.Finish(Out);
    Writer->Write(Out.data(), int64_t(Out.size() / size_t(Writer->GetFormat().Channels)));
    Writer->Commit();
  } catch (...) {
    Writer.reset();
    throw;
  }
  Writer.reset();
}

void TSpeechFileWriter::Abandon() {
  std::lock_guard<std::mutex> guard(Lock);
  Writer.reset();
}
