#include "skins/PngPicture.h"

#include <cstring>

#include "skins/PngChunks.h"
#include "skins/PngDataChunk.h"
#include "skins/PngExceptions.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngStreamIO.h"

namespace {

constexpr uint8_t Signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

}  // namespace

TPngPicture::TPngPicture() : ChunkList(std::make_unique<TPNGList>(this)) {
  for (int i = 0; i < 256; ++i) GammaLut[i] = InverseGammaLut[i] = uint8_t(i);
}

TPngPicture::~TPngPicture() { ChunkList.reset(); }

void TPngPicture::ResetChunks() {
  ChunkList->Clear();
  for (int i = 0; i < 256; ++i) GammaLut[i] = InverseGammaLut[i] = uint8_t(i);
}

void TPngPicture::ReadChunks(TStream& stream) {
  ResetChunks();
  const bool quiet = QuietFailures();
  uint8_t signature[8]{};
  if (ReadBytes(stream, signature, 8) != 8 || std::memcmp(signature, Signature, 8) != 0) {
    if (quiet) return;
    PngFail<EPNGInvalidFileHeader>(PngMessages::InvalidFileHeader);
  }

  TPNGList& list = *ChunkList;
  uint32_t count = 0;
  bool hasData = false;
  for (;;) {
    uint32_t length = 0;
    char type[4]{};
    if (!ReadBigEndian32(stream, length) || ReadBytes(stream, type, 4) != 4) {
      if (quiet) return;
      PngFail<EPngUnexpectedEnd>(PngMessages::UnexpectedEnd);
    }
    if (count == 0 && std::memcmp(type, "IHDR", 4) != 0) {
      if (quiet) return;
      PngFail<EPNGIHDRNotFirst>(PngMessages::IHDRNotFirst);
    }
    // Payload and CRC must be in the stream: a hostile length is refused
    // before it can size anything or wrap a position.
    if (int64_t(length) + 4 > StreamRemaining(stream)) {
      if (quiet) return;
      PngFail<EPngUnexpectedEnd>(PngMessages::UnexpectedEnd);
    }
    if (std::memcmp(type, "cHRM", 4) == 0 || (hasData && std::memcmp(type, "IDAT", 4) == 0)) {
      StreamSkip(stream, int64_t(length) + 4);
      continue;
    }
    TChunk* chunk = ChunkForName(this, type);
    list.Add(chunk);
    ++count;
    const bool unregistered = chunk->KindName().empty();
    if (!quiet && unregistered && !(type[0] & 0x20))
      PngFail<EPNGUnknownCriticalChunk>(PngMessages::UnknownCriticalChunk);
    bool more = false;
    if (!quiet) {
      more = chunk->ReadFrom(stream, type, length);
    } else {
      // A chunk that fails its checks ends the reading; it and those before it stay.
      try {
        more = chunk->ReadFrom(stream, type, length);
      } catch (const EStreamError&) {
        throw;
      } catch (const Exception&) {
        more = false;
      }
    }
    if (std::memcmp(type, "IDAT", 4) == 0) hasData = true;
    if (!more || std::memcmp(type, "IEND", 4) == 0) break;
  }
  if (!hasData && !quiet) PngFail<EPNGNoImageData>(PngMessages::NoImageData);
}

void TPngPicture::SaveToStream(TStream* stream) {
  WriteBytes(*stream, Signature, 8);
  for (uint32_t i = 0; i < ChunkList->GetCount(); ++i) ChunkList->GetItem(i)->WriteTo(*stream);
}

TChunkIHDR* TPngPicture::HeaderChunk() const {
  auto* header = dynamic_cast<TChunkIHDR*>(ChunkList->GetItem(0));
  if (!header) PngFail<EPNGHeaderNotPresent>(PngMessages::HeaderNotPresent);
  return header;
}

bool TPngPicture::HasHeader() const { return dynamic_cast<TChunkIHDR*>(ChunkList->GetItem(0)) != nullptr; }

int TPngPicture::GetWidth() const { return HasHeader() ? int(HeaderChunk()->Width) : 0; }
int TPngPicture::GetHeight() const { return HasHeader() ? int(HeaderChunk()->Height) : 0; }

void TPngPicture::RowGeometry(uint32_t& rowBytes, uint32_t& pixelStride) const {
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
