// Fonts, pens and brushes with equal descriptions share one GDI object: each
// description lives once in a process-wide cache with a use count, its handle is
// created on first need and deleted when the last user lets go. Users keep a
// TResource* and go through Acquire/Release; the handle is made by Realize with
// a creator the caller supplies (the cache knows nothing of GDI object kinds).
//
// TData needs operator==, a Hash() member and an Adopted handle field. A
// description may carry an adopted handle (a handle given from outside); such
// entries own that handle from the moment they exist, drawn with or not, and the
// handle takes part in equality so adopted objects are never shared by accident.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <mutex>
#include <unordered_map>

template <class TData>
class TGdiResourceCache {
public:
  struct TResource {
    TData Data;
    HGDIOBJ Handle = nullptr;
    int RefCount = 0;
  };

  // The shared entry for data, its use count raised.
  TResource* Acquire(const TData& data) {
    std::lock_guard<std::mutex> lock(FLock);
    std::size_t h = data.Hash();
    auto range = FEntries.equal_range(h);
    for (auto it = range.first; it != range.second; ++it) {
      if (it->second->Data == data) {
        ++it->second->RefCount;
        return it->second.get();
      }
    }
    auto res = std::make_unique<TResource>();
    res->Data = data;
    res->Handle = data.Adopted;
    res->RefCount = 1;
    TResource* raw = res.get();
    FEntries.emplace(h, std::move(res));
    return raw;
  }

  // The entry that already owns handle, its use count raised; null when none.
  TResource* AcquireHandle(HGDIOBJ handle) {
    std::lock_guard<std::mutex> lock(FLock);
    for (auto& e : FEntries) {
      if (e.second->Handle == handle) {
        ++e.second->RefCount;
        return e.second.get();
      }
    }
    return nullptr;
  }

  // Drops one use; the last one deletes the GDI object and the entry.
  void Release(TResource* res) {
    if (!res) return;
    std::lock_guard<std::mutex> lock(FLock);
    if (--res->RefCount > 0) return;
    auto range = FEntries.equal_range(res->Data.Hash());
    for (auto it = range.first; it != range.second; ++it) {
      if (it->second.get() == res) {
        if (res->Handle) DeleteObject(res->Handle);
        FEntries.erase(it);
        return;
      }
    }
  }

  // The entry's handle, created by create(data) the first time it is needed.
  template <class TCreate>
  HGDIOBJ Realize(TResource* res, TCreate create) {
    std::lock_guard<std::mutex> lock(FLock);
    if (!res->Handle) res->Handle = create(res->Data);
    return res->Handle;
  }

  std::size_t Count() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FEntries.size();
  }

private:
  mutable std::mutex FLock;
  std::unordered_multimap<std::size_t, std::unique_ptr<TResource>> FEntries;
};

// One user's hold on a shared description: the value a TFont, TPen or TBrush
// keeps. Each description type has one process-wide cache.
template <class TData>
class TGdiResourceRef {
public:
  using TCache = TGdiResourceCache<TData>;
  explicit TGdiResourceRef(const TData& data) : FResource(Cache().Acquire(data)) {}
  ~TGdiResourceRef() {
    ReleaseRetired();
    Cache().Release(FResource);
  }
  TGdiResourceRef(const TGdiResourceRef&) = delete;
  TGdiResourceRef& operator=(const TGdiResourceRef&) = delete;

  const TData& Data() const { return FResource->Data; }
  bool Allocated() const { return FResource->Handle != nullptr; }
  HGDIOBJ Handle() const { return FResource->Handle; }
  bool SharesWith(const TGdiResourceRef& other) const { return FResource == other.FResource; }

  // Moves to the entry of data; false when that is the entry held already.
  // The entry left is kept until ReleaseRetired: the owner first tells its
  // users, and a canvas selects the new handle, so the old one is not deleted
  // while still selected into a device context.
  bool Set(const TData& data) {
    if (FResource->Data == data) return false;
    typename TCache::TResource* next = Cache().Acquire(data);
    Retire();
    FResource = next;
    return true;
  }
  void ReleaseRetired() {
    Cache().Release(FRetired);
    FRetired = nullptr;
  }
  bool Set(const TGdiResourceRef& other) { return Set(other.Data()); }

  // Takes an outside handle described by data (whose Adopted field is the
  // handle). A handle some entry already owns is shared with it rather than
  // owned twice, so that it is deleted once, by its last user.
  bool Adopt(HGDIOBJ handle, const TData& data) {
    if (handle == FResource->Handle) return false;
    if (typename TCache::TResource* owner = Cache().AcquireHandle(handle)) {
      Retire();
      FResource = owner;
      return true;
    }
    return Set(data);
  }

  template <class TCreate>
  HGDIOBJ Realize(TCreate create) { return Cache().Realize(FResource, create); }

  // Never destroyed: fonts and brushes held by static objects may let go of
  // their entries during exit, after function statics are gone.
  static TCache& Cache() {
    static TCache* cache = new TCache;
    return *cache;
  }

private:
  void Retire() {
    ReleaseRetired();
    FRetired = FResource;
  }

  typename TCache::TResource* FResource;
  typename TCache::TResource* FRetired = nullptr;
};

// Combines hash values of the fields of a description.
inline std::size_t HashCombine(std::size_t seed, std::size_t value) {
  return seed ^ (value + 0x9e3779b9u + (seed << 6) + (seed >> 2));
}
