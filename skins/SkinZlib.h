// Zlib compression and decompression as byte streams over another stream. The
// stored skin package travels through them. Both keep a 4096-byte buffer and
// remember where they last left the underlying stream, so that others may move
// it between calls; OnProgress fires each time a buffer is passed on.
//
//   CompressStream(Source, Dest);          // all of Source, maximum level
//   DecompressStream(Dest, Source);        // all of Source's zlib stream
#pragma once
#include <cstdint>
#include <memory>

#include "framework/Exceptions.h"
#include "framework/Streams.h"

struct z_stream_s;

SONVELT_EXCEPTION(EZlibError, Exception)
SONVELT_EXCEPTION(ECompressionError, EZlibError)
SONVELT_EXCEPTION(EDecompressionError, EZlibError)

// A scoped enum: the colour constants have the names clNone and clDefault.
enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TCustomZlibStream : public TStream {
  SONVELT_CLASS(TCustomZlibStream, TStream)
 public:
  explicit TCustomZlibStream(TStream* Strm);
  ~TCustomZlibStream() override;

  TNotifyEvent OnProgress;

 protected:
  virtual void Progress(TObject* Sender) { OnProgress(Sender); }
  // Moves the underlying stream back to where this one left it.
  void RestorePosition();
  void RememberPosition();

  TStream* FStrm;
  int64_t FStrmPos = 0;
  std::unique_ptr<z_stream_s> FZRec;
  uint8_t FBuffer[4096]{};
};

class TCompressionStream : public TCustomZlibStream {
  SONVELT_CLASS(TCompressionStream, TCustomZlibStream)
 public:
  // ECompressionError "error" when zlib cannot start.
  TCompressionStream(TCompressionLevel CompressionLevel, TStream* Dest);
  ~TCompressionStream() override;
  // Ends the zlib stream (raising on a write failure) unless Flush already did.
  void BeforeDestruction() override;

  int Read(void* Buffer, int Count) override;  // always ECompressionError
  int Write(const void* Buffer, int Count) override;
  // Only Seek(0, soCurrent): the bytes taken in so far.
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  // Writes the end of the zlib stream; nothing more may be written.
  void Flush();
  // Bytes taken in against bytes given out, 0 before any output.
  float GetCompressionRate() const;

 private:
  bool FFinished = false;
  bool FInitialised = false;
};

class TDecompressionStream : public TCustomZlibStream {
  SONVELT_CLASS(TDecompressionStream, TCustomZlibStream)
 public:
  // EDecompressionError "compression error" when zlib cannot start.
  explicit TDecompressionStream(TStream* Source);
  ~TDecompressionStream() override;

  // The bytes produced: fewer than Count at the end of the zlib stream or of
  // the source. Damaged data raises EDecompressionError "compression error".
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;  // always EDecompressionError
  // Seek(0, soBeginning) starts again; a forward skip reads and drops bytes
  // (EReadError when they are not there); other requests raise
  // EDecompressionError. Returns the bytes produced so far.
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;

 private:
  bool FEnded = false;
  bool FInitialised = false;
};

// Compresses all of Source (from its start) into Dest at the maximum level.
void CompressStream(TStream* Source, TStream* Dest);
// Decompresses Source's zlib stream (from its start) into Dest. With a Limit,
// output beyond it raises EDecompressionError instead of growing Dest.
void DecompressStream(TStream* Dest, TStream* Source, int64_t Limit = -1);
