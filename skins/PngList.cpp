#include "skins/PngList.h"

#include <algorithm>

#include "skins/PngChunks.h"
#include "skins/PngDataChunk.h"
#include "skins/PngExceptions.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngPicture.h"

void TPNGPointerList::SetCount(uint32_t n) {
  Items.resize(n, nullptr);
  Items.shrink_to_fit();
}

void TPNGPointerList::Insert(void* p, uint32_t position) {
  if (position < Items.size()) Items.insert(Items.begin() + position, p);
}

void* TPNGPointerList::Remove(void* p) {
  auto it = std::find(Items.rbegin(), Items.rend(), p);
  if (it == Items.rend()) return nullptr;
  Items.erase(std::next(it).base());
  return p;
}

TChunk* TPNGList::FindByClass(TClass cls) const {
  for (uint32_t i = 0; i < GetCount(); ++i)
    if (TChunk* c = GetItem(i); c && c->InheritsFrom(cls)) return c;
  return nullptr;
}

TChunk* TPNGList::AddByClass(TChunkClass cls) {
  // The owner's own class of that kind (the skin picture's layers derive from the chunks).
  for (TChunkClass c : Owner->ChunkClasses())
    if (c->InheritsFrom(cls)) {
      cls = c;
      break;
    }
  auto is = [&](TClass kind) { return cls->InheritsFrom(kind); };
  const bool critical = is(TChunkIHDR::StaticClass()) || is(TChunkIDAT::StaticClass()) ||
                        is(TChunkPLTE::StaticClass()) || is(TChunkIEND::StaticClass());
  const bool physical = TChunk::KindNameOf(cls) == "pHYs";
  const bool singleton = is(TChunkgAMA::StaticClass()) || is(TChunktRNS::StaticClass()) || physical;
  const bool quiet = Owner->QuietFailures();
  if (critical || (singleton && FindByClass(cls))) {
    if (quiet) return nullptr;
    PngFail<EPngError>(PngMessages::CannotAddCriticalChunk);
  }
  TChunk* header = Find<TChunkIHDR>();
  TChunk* end = Find<TChunkIEND>();
  if (!header || !end) {
    if (quiet) return nullptr;
    PngFail<EPngError>(PngMessages::CannotAddChunkToInvalidImage);
  }

  TChunk* chunk = cls.Create(Owner);
  TChunk* after = nullptr;
  TChunk* before = end;
  if (is(TChunkgAMA::StaticClass()) || physical) {
    after = header;
  } else if (is(TChunktRNS::StaticClass())) {
    if (TChunk* palette = Find<TChunkPLTE>()) after = palette;
    else if (TChunk* data = Find<TChunkIDAT>()) before = data;
    else after = header;
  }
  const int at = after ? after->IndexInList() + 1 : before->IndexInList();
  if (uint32_t(at) < GetCount()) Insert(chunk, uint32_t(at));
  else TPNGPointerList::Add(chunk);
  return chunk;
}

void TPNGList::RemoveChunk(TChunk* chunk) {
  if (Remove(chunk)) Free(chunk);
}

void TPNGList::Clear() { Truncate(0); }

void TPNGList::Truncate(uint32_t n) {
  while (GetCount() > n) {
    TChunk* last = GetItem(GetCount() - 1);
    Items.pop_back();
    Free(last);
  }
  Items.shrink_to_fit();
}
