#include "skins/SkinZlib.h"

#include <zlib.h>

#include "framework/OwnedObject.h"

namespace {

const char* const InvalidStreamOperation = "Invalid stream operation";

int CompressionCheck(int Code) {
  if (Code < 0) throw ECompressionError("error");
  return Code;
}

int DecompressionCheck(int Code) {
  // A stream asking for a dictionary would ask again on every call.
  if (Code < 0 || Code == Z_NEED_DICT) throw EDecompressionError("compression error");
  return Code;
}

int ZlibLevel(TCompressionLevel Level) {
  switch (Level) {
    case TCompressionLevel::clNone: return Z_NO_COMPRESSION;
    case TCompressionLevel::clFastest: return Z_BEST_SPEED;
    case TCompressionLevel::clMax: return Z_BEST_COMPRESSION;
    default: return Z_DEFAULT_COMPRESSION;
  }
}

}  // namespace

TCustomZlibStream::TCustomZlibStream(TStream* Strm)
    : FStrm(Strm), FStrmPos(Strm->GetPosition()), FZRec(std::make_unique<z_stream_s>()) {}

TCustomZlibStream::~TCustomZlibStream() = default;

void TCustomZlibStream::RestorePosition() {
  if (FStrm->GetPosition() != FStrmPos) FStrm->SetPosition(FStrmPos);
}

void TCustomZlibStream::RememberPosition() { FStrmPos = FStrm->GetPosition(); }

// --- compression -------------------------------------------------------------

TCompressionStream::TCompressionStream(TCompressionLevel CompressionLevel, TStream* Dest) : TCustomZlibStream(Dest) {
  FZRec->next_out = FBuffer;
  FZRec->avail_out = sizeof FBuffer;
  CompressionCheck(deflateInit_(FZRec.get(), ZlibLevel(CompressionLevel), ZLIB_VERSION, int(sizeof(z_stream))));
  FInitialised = true;
}

TCompressionStream::~TCompressionStream() {
  if (FInitialised) deflateEnd(FZRec.get());
}

void TCompressionStream::BeforeDestruction() {
  // A failure here has no caller to reach; callers that must know use Flush.
  try {
    Flush();
  } catch (const Exception&) {
  }
  TCustomZlibStream::BeforeDestruction();
}

void TCompressionStream::Flush() {
  if (FFinished) return;
  FFinished = true;
  FZRec->next_in = nullptr;
  FZRec->avail_in = 0;
  RestorePosition();
  while (CompressionCheck(deflate(FZRec.get(), Z_FINISH)) != Z_STREAM_END && FZRec->avail_out == 0) {
    FStrm->WriteBuffer(FBuffer, sizeof FBuffer);
    FZRec->next_out = FBuffer;
    FZRec->avail_out = sizeof FBuffer;
  }
  if (FZRec->avail_out < sizeof FBuffer) FStrm->WriteBuffer(FBuffer, int(sizeof FBuffer - FZRec->avail_out));
  RememberPosition();
}

int TCompressionStream::Read(void*, int) { throw ECompressionError(InvalidStreamOperation); }

int TCompressionStream::Write(const void* Buffer, int Count) {
  if (FFinished) throw ECompressionError(InvalidStreamOperation);
  if (Count <= 0) return 0;
  FZRec->next_in = static_cast<Bytef*>(const_cast<void*>(Buffer));
  FZRec->avail_in = uInt(Count);
  RestorePosition();
  while (FZRec->avail_in > 0) {
    CompressionCheck(deflate(FZRec.get(), Z_NO_FLUSH));
    if (FZRec->avail_out == 0) {
      FStrm->WriteBuffer(FBuffer, sizeof FBuffer);
      FZRec->next_out = FBuffer;
      FZRec->avail_out = sizeof FBuffer;
      RememberPosition();
      Progress(this);
    }
  }
  return Count;
}

int64_t TCompressionStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  if (Offset == 0 && Origin == soCurrent) return int64_t(FZRec->total_in);
  throw ECompressionError(InvalidStreamOperation);
}

float TCompressionStream::GetCompressionRate() const {
  if (FZRec->total_in == 0) return 0;
  return (1.0f - float(FZRec->total_out) / float(FZRec->total_in)) * 100.0f;
}

// --- decompression -----------------------------------------------------------

TDecompressionStream::TDecompressionStream(TStream* Source) : TCustomZlibStream(Source) {
  FZRec->next_in = FBuffer;
  FZRec->avail_in = 0;
  DecompressionCheck(inflateInit_(FZRec.get(), ZLIB_VERSION, int(sizeof(z_stream))));
  FInitialised = true;
}

TDecompressionStream::~TDecompressionStream() {
  if (FInitialised) inflateEnd(FZRec.get());
}

int TDecompressionStream::Read(void* Buffer, int Count) {
  if (Count <= 0 || FEnded) return 0;
  FZRec->next_out = static_cast<Bytef*>(Buffer);
  FZRec->avail_out = uInt(Count);
  RestorePosition();
  while (FZRec->avail_out > 0) {
    if (FZRec->avail_in == 0) {
      const int got = FStrm->Read(FBuffer, sizeof FBuffer);
      if (got <= 0) return Count - int(FZRec->avail_out);
      FZRec->next_in = FBuffer;
      FZRec->avail_in = uInt(got);
      RememberPosition();
      Progress(this);
    }
    // The end of the zlib stream ends the data, whatever follows it.
    if (DecompressionCheck(inflate(FZRec.get(), Z_NO_FLUSH)) == Z_STREAM_END) {
      FEnded = true;
      break;
    }
  }
  return Count - int(FZRec->avail_out);
}

int TDecompressionStream::Write(const void*, int) { throw EDecompressionError(InvalidStreamOperation); }

int64_t TDecompressionStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  const int64_t produced = int64_t(FZRec->total_out);
  if (Offset == 0 && Origin == soBeginning) {
    DecompressionCheck(inflateReset(FZRec.get()));
    FZRec->next_in = FBuffer;
    FZRec->avail_in = 0;
    FEnded = false;
    FStrm->SetPosition(0);
    FStrmPos = 0;
  } else if ((Offset >= 0 && Origin == soCurrent) || (Origin == soBeginning && Offset > produced)) {
    if (Origin == soBeginning) Offset -= produced;
    uint8_t scrap[4096];
    for (int64_t i = Offset / 4096; i > 0; --i) ReadBuffer(scrap, sizeof scrap);
    ReadBuffer(scrap, int(Offset % 4096));
  } else {
    throw EDecompressionError(InvalidStreamOperation);
  }
  return int64_t(FZRec->total_out);
}

// --- whole streams -----------------------------------------------------------

void CompressStream(TStream* Source, TStream* Dest) {
  auto compressor = MakeOwned<TCompressionStream>(TCompressionLevel::clMax, Dest);
  Source->SetPosition(0);
  uint8_t buffer[4096];
  for (int got; (got = Source->Read(buffer, sizeof buffer)) > 0;) compressor->WriteBuffer(buffer, got);
  compressor->Flush();
}

void DecompressStream(TStream* Dest, TStream* Source, int64_t Limit) {
  Source->SetPosition(0);
  auto decompressor = MakeOwned<TDecompressionStream>(Source);
  uint8_t buffer[4096];
  int64_t total = 0;
  for (int got; (got = decompressor->Read(buffer, sizeof buffer)) > 0;) {
    total += got;
    if (Limit >= 0 && total > Limit) throw EDecompressionError("compression error");
    Dest->WriteBuffer(buffer, got);
  }
}
