// Speech as a voice delivers it, 16-bit PCM of the voice's stream format, taken
// in pieces of any size (also from the voice's own thread), converted to the
// rate and channels asked for and written as a WAV file. The file appears under
// its name only when Commit completes it; until then it is a temporary file
// beside the target, removed when the writer is abandoned or dropped.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/FormatConverter.h"
#include "engine/WavFile.h"

class TSpeechFileWriter {
 public:
  TSpeechFileWriter(const std::string& path, int streamRate, int streamChannels, const TWavFormat& format);
  ~TSpeechFileWriter();

  // False once the writer failed or was abandoned: the bytes are dropped.
  bool Write(const void* data, size_t bytes);
  // The failure of an earlier Write, or empty.
  std::string GetFailure() const;
  uint64_t GetBytesTaken() const;
  // Converts the rest and puts the file in place; raises EAudioError on failure.
  void Commit();
  // Drops what was written; later writes are ignored.
  void Abandon();

 private:
  void WriteFrames(const int16_t* pcm, size_t frames);

  mutable std::mutex Lock;
  int StreamChannels;
  TFormatConverter Converter;
  std::unique_ptr<TWavWriter> Writer;
  std::vector<float> In, Out;
  uint8_t Pending[4] = {};  // bytes of a frame cut between two writes
  size_t PendingBytes = 0;
  uint64_t BytesTaken = 0;
  std::string Failure;
};
