// The picture's chunk list: a pointer array without spare capacity (setting the
// count reallocates exactly) and the chunk operations on top of it. The list
// owns its chunks and frees them.
#pragma once
#include <cstdint>
#include <vector>

#include "skins/PngChunk.h"

class TPNGPointerList {
 public:
  explicit TPNGPointerList(TPngPicture* owner) : Owner(owner) {}
  virtual ~TPNGPointerList() = default;
  TPNGPointerList(const TPNGPointerList&) = delete;
  TPNGPointerList& operator=(const TPNGPointerList&) = delete;

  uint32_t GetCount() const { return uint32_t(Items.size()); }
  void SetCount(uint32_t n);
  // Null outside 0..Count-1.
  void* GetItem(uint32_t i) const { return i < Items.size() ? Items[i] : nullptr; }
  void SetItem(uint32_t i, void* p) {
    if (i < Items.size()) Items[i] = p;
  }
  void Add(void* p) { Items.push_back(p); }
  // Does nothing unless position < Count.
  void Insert(void* p, uint32_t position);
  // Removes the last slot holding p and returns p; null when absent.
  void* Remove(void* p);
  TPngPicture* GetOwner() const { return Owner; }

 protected:
  TPngPicture* Owner;
  std::vector<void*> Items;
};

class TPNGList : public TPNGPointerList {
 public:
  using TPNGPointerList::TPNGPointerList;
  using TPNGPointerList::Add;
  ~TPNGList() override { Clear(); }

  TChunk* GetItem(uint32_t i) const { return static_cast<TChunk*>(TPNGPointerList::GetItem(i)); }
  // The first chunk of class cls or a class derived from it; null when none.
  TChunk* FindByClass(TClass cls) const;
  template <class T>
  T* Find() const {
    return static_cast<T*>(FindByClass(T::StaticClass()));
  }
  // Adds a new ancillary chunk (of the owner's class for that kind) at its
  // place in the file order. Critical kinds, a second gamma, transparency or
  // physical-size chunk, or a list without header and end are refused: EPngError,
  // or null for an owner that fails quietly.
  TChunk* AddByClass(TChunkClass cls);
  template <class T>
  T* Add() {
    return static_cast<T*>(AddByClass(T::StaticClass()));
  }
  void RemoveChunk(TChunk* chunk);
  // Frees every chunk and empties the list.
  void Clear();
  // Frees the chunks from position n on and cuts the list there.
  void Truncate(uint32_t n);
};
