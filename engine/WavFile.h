// WAV files of our own reading and writing: integer PCM of 8, 16, 24 and 32
// bits, 32-bit float, mono and stereo, plain or extensible headers, and the
// LIST/INFO tags.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/AudioTags.h"
#include "engine/EngineError.h"

// Raised for a WAV file whose audio this reader leaves to the codec layer:
// compressed, or of more than two channels.
SONVELT_EXCEPTION(EWavCodingError, EAudioError)

class TRawFile;

struct TWavFormat {
  int Rate = 44100;
  int Channels = 2;
  int Bits = 16;
  bool Float = false;
  bool Extensible = false;  // written with the extensible header
  int BytesPerFrame() const { return Channels * Bits / 8; }
  bool operator==(const TWavFormat&) const = default;
};

class TWavReader {
 public:
  // Reads the header and tags; raises EAudioError on a file that is not a
  // usable WAV file, EWavCodingError on one of a coding it leaves to others.
  // A data size of 0 or 0xFFFFFFFF in the last chunk, as programs writing to a
  // pipe leave it, means the data runs to the end of the file.
  explicit TWavReader(const std::string& path);
  ~TWavReader();

  const TWavFormat& GetFormat() const { return Format; }
  int64_t GetLengthFrames() const { return Frames; }
  const TAudioTags& GetTags() const { return Tags; }
  // Next frames as interleaved floats; returns the frames read, 0 at the end.
  int64_t Read(float* out, int64_t frames);
  // The same for 16-bit files, as the file holds them.
  int64_t ReadInt16(int16_t* out, int64_t frames);
  void Rewind() { Seek(0); }
  // The next read starts at frame (at most the length).
  void Seek(int64_t frame);

 private:
  void ParseFormat(const std::vector<uint8_t>& fmt);
  void ParseInfo(const std::vector<uint8_t>& list);

  std::unique_ptr<TRawFile> File;
  TWavFormat Format;
  TAudioTags Tags;
  uint64_t DataOffset = 0;
  int64_t Frames = 0;
  int64_t Done = 0;
  std::vector<uint8_t> Raw;
};

// Writes to a temporary file beside the target; Commit renames it over the
// target, and a writer dropped without Commit leaves the target as it was.
class TWavWriter {
 public:
  TWavWriter(const std::string& path, const TWavFormat& format, const TAudioTags& tags);
  ~TWavWriter();

  void Write(const float* samples, int64_t frames);
  void Commit();
  const TWavFormat& GetFormat() const { return Format; }

 private:
  void WriteHeader();

  std::string Target;
  std::string TempPath;
  std::unique_ptr<TRawFile> File;
  TWavFormat Format;
  TAudioTags Tags;
  uint64_t DataBytes = 0;
  uint64_t DataSizeAt = 0;
  uint64_t RiffSizeAt = 4;
  uint64_t FactAt = 0;
  int64_t Frames = 0;
  bool Committed = false;
  std::vector<uint8_t> Raw;
};

// Checks a format the caller asks for; raises EAudioError when unsupported.
void ValidateWavFormat(const TWavFormat& format);
// Reads only the header of a WAV file.
TWavFormat ReadWavFormat(const std::string& path);
// Rewrites path with tags in place of its own (through a temporary file).
void RewriteWavTags(const std::string& path, const TAudioTags& tags);
