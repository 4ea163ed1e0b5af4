#include "skins/PngObject.h"

#include <cstring>
#include <utility>

#include "framework/ClassRegistry.h"
#include "framework/Picture.h"
#include "skins/PngChunks.h"
#include "skins/PngDataChunk.h"
#include "skins/PngExceptions.h"
#include "skins/PngHeaderChunk.h"

namespace {

// The picture format, registered once.
const bool Registered = [] {
  TPicture::RegisterFileFormat("PNG", "Portable Network Graphics", TPNGObject::StaticClass());
  RegisterClass(TPNGObject::StaticClass());
  return true;
}();

}  // namespace

TPNGObject::~TPNGObject() {
  ChunkList.reset();
  DeleteCachedPalette();
}

const std::vector<TChunkClass>& TPNGObject::ChunkClasses() const {
  // The chunk kinds, in the order they are looked up.
  static const std::vector<TChunkClass> classes{
      TChunkIEND::StaticClass(), TChunkIHDR::StaticClass(), TChunkIDAT::StaticClass(),
      TChunkPLTE::StaticClass(), TChunkgAMA::StaticClass(), TChunktRNS::StaticClass(),
      TChunktIME::StaticClass(), TChunktEXt::StaticClass(), TChunkzTXt::StaticClass()};
  return classes;
}

void TPNGObject::StoreCreated(TChunkIHDR&) { DeleteCachedPalette(); }

void TPNGObject::DeleteCachedPalette() {
  if (CachedPalette) DeleteObject(CachedPalette);
  CachedPalette = nullptr;
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

bool TPNGObject::GetEmpty() const { return ChunkList->GetCount() == 0; }

void TPNGObject::SetWidth(int) { PngFail<EPngError>(PngMessages::CannotResize); }
void TPNGObject::SetHeight(int) { PngFail<EPngError>(PngMessages::CannotResize); }
