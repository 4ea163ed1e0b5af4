// Reads an audio file or writes a WAV file block by block, converting between
// the file's format and the PCM format its caller works in.
#pragma once
#include <memory>
#include <string>

#include "engine/AudioEncoder.h"
#include "engine/AudioLameEnc.h"
#include "engine/AudioTags.h"
#include "engine/FormatConverter.h"
#include "engine/SampleArray.h"
#include "framework/Component.h"

class TAudioDecoder;

class TAudioFile2 : public TComponent {
  SONVELT_CLASS(TAudioFile2, TComponent)
 public:
  explicit TAudioFile2(TComponent* AOwner);
  ~TAudioFile2() override;

  // Reading
  void OpenForReading(const std::string& path, int = 0, int = 1);
  // Up to count samples (interleaved, in the PCM format); empty at the end.
  TSampleArray ReadBlock(int count);
  int GetLengthSamples() const;
  int GetFileSampleRate() const;
  int GetFileChannels() const;
  int GetBitRate() const;

  // The format blocks are passed in: what ReadBlock delivers, what WriteBlock
  // takes. It follows the file (reading) or the output format (writing)
  // until set.
  void SetPcmFormat(int rate, int channels);
  int GetPcmSampleRate() const;
  int GetPcmChannels() const;

  // Output format; bits 8, 16, 24 or 32 (32 is floating point).
  void SetWavFormat(int rate, int channels, int bits);
  void CopyWavFormatFrom(const std::string& path);
  void SetMp3Cbr(int rate, int kbps, int channels);
  void SetMp3Encoder(TAudioFile2LameEnc* encoder);
  void SetOggFormat(int rate, int channels, int kbps, int minKbps, int maxKbps, int quality);
  void SetWmaProfile(int profile);
  bool CanWriteMp3(int rate, int kbps, int channels) const;
  bool CanWriteOgg(int rate, int channels, int kbps, int minKbps, int maxKbps) const;

  // Writing
  void CreateForWriting(const std::string& path, int flag);
  void WriteBlock(const TSampleArray& samples);
  // Finishes a file being written (it appears under its name only now) or
  // closes the one being read.
  void CloseFile();
  void SetOptionFlag(bool value) { OptionFlag = value; }

 private:
  void RequireReader() const;
  void StartWriter();
  // The rate and channels the output format itself has.
  void OutputShape(int& rate, int& channels) const;

  std::unique_ptr<TAudioDecoder> Reader;
  std::unique_ptr<TFormatConverter> ReadConverter;
  std::vector<float> ReadPending;
  bool ReadDone = false;

  TAudioOutputFormat Output;
  std::string WritePath;
  std::unique_ptr<TAudioEncoder> Writer;
  bool Written = false;
  int PcmRate = 0, PcmChannels = 0;  // 0: follow the file or output
  bool OptionFlag = false;
};
