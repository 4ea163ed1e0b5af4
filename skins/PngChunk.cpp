#include "skins/PngChunk.h"

#include <cstring>
#include <new>
#include <vector>

#include "skins/PngCrc.h"
#include "skins/PngExceptions.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngPicture.h"
#include "skins/PngStreamIO.h"

TChunk::TChunk(TPngPicture* owner) : Payload(1, 0), Owner(owner) {}

std::string TChunk::KindNameOf(TClass cls) {
  const std::string name = cls->ClassName();
  for (const std::string prefix : {"TChunk", "TspPngLayer"})
    if (name.size() == prefix.size() + 4 && name.compare(0, prefix.size(), prefix) == 0)
      return name.substr(prefix.size());
  return {};
}

void TChunk::AfterConstruction() {
  const std::string kind = KindName();
  if (kind.size() == 4) std::memcpy(ChunkName, kind.data(), 4);
}

void TChunk::CopyFrom(const TChunk& source) {
  std::memcpy(ChunkName, source.ChunkName, 4);
  Payload = source.Payload;
  PayloadSize = source.PayloadSize;
}

bool TChunk::ReadFrom(TStream& stream, const char type[4], uint32_t size) {
  ResizePayload(size);
  ReadBytes(stream, Payload.data(), size);
  uint32_t stored = 0;
  ReadBigEndian32(stream, stored);
  if (stored != ChunkCrc(type, Payload.data(), size)) PngFail<EPngInvalidCRC>(PngMessages::InvalidCRC);
  return true;
}

bool TChunk::WriteTo(TStream& stream) { return WritePayload(stream); }

bool TChunk::WritePayload(TStream& stream) {
  WriteBigEndian32(stream, PayloadSize);
  WriteBytes(stream, ChunkName, 4);
  WriteBytes(stream, Payload.data(), PayloadSize);
  WriteBigEndian32(stream, ChunkCrc(ChunkName, Payload.data(), PayloadSize));
  return true;
}

void TChunk::ResizePayload(uint32_t n) {
  try {
    Payload.assign(size_t(n) + 1, 0);
  } catch (const std::bad_alloc&) {
    PngFail<EPNGOutMemory>(PngMessages::OutMemory);
  }
  PayloadSize = n;
}

int TChunk::IndexInList() const {
  const TPNGList& list = *Owner->ChunkList;
  for (uint32_t i = 0; i < list.GetCount(); ++i)
    if (list.GetItem(i) == this) return int(i);
  return -1;
}

TChunkIHDR* TChunk::HeaderOf() const { return Owner->HeaderChunk(); }

TChunk* ChunkForName(TPngPicture* owner, const char type[4]) {
  TChunkClass cls = owner->PlainChunkClass();
  for (TChunkClass c : owner->ChunkClasses())
    if (TChunk::KindNameOf(c) == std::string(type, 4)) {
      cls = c;
      break;
    }
  TChunk* chunk = cls.Create(owner);
  std::memcpy(chunk->ChunkName, type, 4);
  return chunk;
}
