#include "skins/PngObject.h"

#include <cstring>
#include <utility>

#include "framework/ClassRegistry.h"
#include "framework/Picture.h"
#include "skins/PngChunks.h"
#include "skins/PngDataChunk.h"
#include "skins/PngExceptions.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngStreamIO.h"

namespace {

constexpr uint8_t Signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

// The chunk kinds, in the order they are looked up, and the picture format.
const bool Registered = [] {
  RegisterChunkClass(TChunkIEND::StaticClass());
  RegisterChunkClass(TChunkIHDR::StaticClass());
  RegisterChunkClass(TChunkIDAT::StaticClass());
  RegisterChunkClass(TChunkPLTE::StaticClass());
  RegisterChunkClass(TChunkgAMA::StaticClass());
  RegisterChunkClass(TChunktRNS::StaticClass());
  RegisterChunkClass(TChunktIME::StaticClass());
  RegisterChunkClass(TChunktEXt::StaticClass());
  RegisterChunkClass(TChunkzTXt::StaticClass());
  TPicture::RegisterFileFormat("PNG", "Portable Network Graphics", TPNGObject::StaticClass());
  RegisterClass(TPNGObject::StaticClass());
  return true;
}();

}  // namespace

TPNGObject::TPNGObject() : ChunkList(std::make_unique<TPNGList>(this)) {}

TPNGObject::~TPNGObject() {
  ChunkList.reset();
  DeleteCachedPalette();
}

void TPNGObject::DeleteCachedPalette() {
  if (CachedPalette) DeleteObject(CachedPalette);
  CachedPalette = nullptr;
}

void TPNGObject::ResetChunks() {
  ChunkList->Clear();
  for (int i = 0; i < 256; ++i) GammaLut[i] = InverseGammaLut[i] = uint8_t(i);
}

void TPNGObject::LoadFromStream(TStream* stream) {
  // A file that cannot be read leaves the picture as it was: the new chunks
  // are read beside the old ones, which go only once the whole file passed.
  auto fresh = std::make_unique<TPNGList>(this);
  std::unique_ptr<TPNGList> previous = std::exchange(ChunkList, std::move(fresh));
  uint8_t gamma[256], inverse[256];
  std::memcpy(gamma, GammaLut, 256);
  std::memcpy(inverse, InverseGammaLut, 256);
  const uint8_t interlace = InterlaceKind;
  try {
    ReadChunks(*stream);
  } catch (...) {
    ChunkList = std::move(previous);
    std::memcpy(GammaLut, gamma, 256);
    std::memcpy(InverseGammaLut, inverse, 256);
    InterlaceKind = interlace;
    throw;
  }
  Changed(this);
}

void TPNGObject::ReadChunks(TStream& stream) {
  ResetChunks();
  uint8_t signature[8]{};
  if (ReadBytes(stream, signature, 8) != 8 || std::memcmp(signature, Signature, 8) != 0)
    PngFail<EPNGInvalidFileHeader>(PngMessages::InvalidFileHeader);

  TPNGList& list = *ChunkList;
  uint32_t count = 0;
  bool hasData = false;
  for (;;) {
    uint32_t length = 0;
    char type[4]{};
    if (!ReadBigEndian32(stream, length) || ReadBytes(stream, type, 4) != 4)
      PngFail<EPngUnexpectedEnd>(PngMessages::UnexpectedEnd);
    if (count == 0 && std::memcmp(type, "IHDR", 4) != 0) PngFail<EPNGIHDRNotFirst>(PngMessages::IHDRNotFirst);
    // Payload and CRC must be in the stream: a hostile length is refused
    // before it can size anything or wrap a position.
    if (int64_t(length) + 4 > StreamRemaining(stream)) PngFail<EPngUnexpectedEnd>(PngMessages::UnexpectedEnd);
    if (std::memcmp(type, "cHRM", 4) == 0 || (hasData && std::memcmp(type, "IDAT", 4) == 0)) {
      StreamSkip(stream, int64_t(length) + 4);
      continue;
    }
    TChunk* chunk = ChunkForName(this, type);
    list.Add(chunk);
    ++count;
    if (chunk->ClassType() == TChunk::StaticClass() && !(type[0] & 0x20))
      PngFail<EPNGUnknownCriticalChunk>(PngMessages::UnknownCriticalChunk);
    const bool more = chunk->ReadFrom(stream, type, length);
    if (std::memcmp(type, "IDAT", 4) == 0) hasData = true;
    if (!more || std::memcmp(type, "IEND", 4) == 0) break;
  }
  if (!hasData) PngFail<EPNGNoImageData>(PngMessages::NoImageData);
}

void TPNGObject::SaveToStream(TStream* stream) {
  WriteBytes(*stream, Signature, 8);
  for (uint32_t i = 0; i < ChunkList->GetCount(); ++i) ChunkList->GetItem(i)->WriteTo(*stream);
}

TChunkIHDR* TPNGObject::HeaderChunk() const {
  auto* header = dynamic_cast<TChunkIHDR*>(ChunkList->GetItem(0));
  if (!header) PngFail<EPNGHeaderNotPresent>(PngMessages::HeaderNotPresent);
  return header;
}

bool TPNGObject::HasHeader() const { return dynamic_cast<TChunkIHDR*>(ChunkList->GetItem(0)) != nullptr; }

int TPNGObject::GetWidth() const { return HasHeader() ? int(HeaderChunk()->Width) : 0; }
int TPNGObject::GetHeight() const { return HasHeader() ? int(HeaderChunk()->Height) : 0; }
bool TPNGObject::GetEmpty() const { return ChunkList->GetCount() == 0; }

void TPNGObject::SetWidth(int) { PngFail<EPngError>(PngMessages::CannotResize); }
void TPNGObject::SetHeight(int) { PngFail<EPngError>(PngMessages::CannotResize); }

void TPNGObject::RowGeometry(uint32_t& rowBytes, uint32_t& pixelStride) const {
  rowBytes = pixelStride = 0;
  if (!HasHeader()) return;
  const TChunkIHDR* h = HeaderChunk();
  rowBytes = uint32_t(RowByteCount(h->Width, h->ColourType, h->BitDepth));
  switch (h->ColourType) {
    case COLOR_GRAYSCALE: pixelStride = h->BitDepth == 16 ? 2 : 1; break;
    case COLOR_PALETTE: pixelStride = 1; break;
    case COLOR_RGB: pixelStride = h->BitDepth * 3 / 8; break;
    case COLOR_GRAYSCALEALPHA: pixelStride = h->BitDepth / 4; break;
    case COLOR_RGBALPHA: pixelStride = h->BitDepth / 2; break;
    default: break;
  }
}
