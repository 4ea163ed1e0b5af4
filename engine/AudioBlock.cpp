#include "engine/AudioBlock.h"

#include <cmath>
#include <cstring>
#include <list>
#include <mutex>
#include <unordered_map>

#include "engine/EngineError.h"
#include "engine/WorkingFile.h"

namespace {

using TData = std::shared_ptr<const std::vector<float>>;

// Process-wide: all documents together stay inside one bound.
class TBlockCache {
 public:
  TData Find(const TAudioBlock* block) {
    std::lock_guard lock(Mutex);
    auto it = Index.find(block);
    if (it == Index.end()) return nullptr;
    Order.splice(Order.begin(), Order, it->second);
    return it->second->second;
  }
  void Put(const TAudioBlock* block, TData data) {
    std::lock_guard lock(Mutex);
    size_t bytes = data->size() * sizeof(float);
    Order.emplace_front(block, std::move(data));
    Index[block] = Order.begin();
    Bytes += bytes;
    while (Bytes > Limit && Order.size() > 1) Drop(std::prev(Order.end()));
  }
  void Forget(const TAudioBlock* block) {
    std::lock_guard lock(Mutex);
    auto it = Index.find(block);
    if (it != Index.end()) Drop(it->second);
  }
  void SetLimit(size_t bytes) {
    std::lock_guard lock(Mutex);
    Limit = bytes;
    while (Bytes > Limit && !Order.empty()) Drop(std::prev(Order.end()));
  }
  size_t GetBytes() {
    std::lock_guard lock(Mutex);
    return Bytes;
  }

 private:
  using TList = std::list<std::pair<const TAudioBlock*, TData>>;
  void Drop(TList::iterator it) {
    Bytes -= it->second->size() * sizeof(float);
    Index.erase(it->first);
    Order.erase(it);
  }
  std::mutex Mutex;
  TList Order;
  std::unordered_map<const TAudioBlock*, TList::iterator> Index;
  size_t Bytes = 0;
  size_t Limit = size_t(96) << 20;
};

TBlockCache& Cache() {
  static TBlockCache* cache = new TBlockCache();  // outlives every static block holder
  return *cache;
}

bool FitsInt16(const float* s, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    float v = s[i] * 32768.0f;
    if (!(v >= -32768.0f && v <= 32767.0f) || float(int32_t(v)) != v) return false;
  }
  return true;
}

}  // namespace

void SetBlockCacheLimit(size_t bytes) { Cache().SetLimit(bytes); }
size_t GetBlockCacheBytes() { return Cache().GetBytes(); }

template <class T>
bool TAudioBlock::Summarise(const T* samples, float scale) {
  const int channels = Channels;
  int granules = (Frames + kGranule - 1) / kGranule;
  Granules.resize(size_t(granules) * channels);
  bool silent = true;
  for (int g = 0; g < granules; ++g) {
    int f0 = g * kGranule, f1 = std::min(Frames, f0 + kGranule);
    for (int c = 0; c < channels; ++c) {
      const T* p = samples + size_t(f0) * channels + c;
      T lo = *p, hi = *p;
      float sq = 0;  // a granule's energy fits a float well
      for (int f = f0; f < f1; ++f, p += channels) {
        T v = *p;
        lo = v < lo ? v : lo;
        hi = v > hi ? v : hi;
        sq += float(v) * float(v);
      }
      if (lo != 0 || hi != 0) silent = false;
      Granules[size_t(g) * channels + c] = TPeak{float(lo) * scale, float(hi) * scale, double(sq) * scale * scale};
    }
  }
  for (int c = 0; c < channels; ++c) {
    WholePeak[c] = Granules.empty() ? TPeak{} : Granules[c];
    WholePeak[c].SumSq = 0;
    for (int g = 0; g < granules; ++g) WholePeak[c].Merge(Granules[size_t(g) * channels + c]);
  }
  return silent;
}

std::shared_ptr<const TAudioBlock> TAudioBlock::Make(const float* samples, int frames, int channels,
                                                      const std::shared_ptr<TWorkingFile>& file) {
  std::shared_ptr<TAudioBlock> b(new TAudioBlock());
  b->Frames = frames;
  b->Channels = channels;
  size_t n = size_t(frames) * channels;
  if (b->Summarise(samples, 1.0f)) return b;
  if (!file) throw EAudioError("No working file to store audio in.");
  b->File = file;
  if (FitsInt16(samples, n)) {
    // Audio that came from 16-bit sources loses nothing at half the size.
    std::vector<int16_t> packed(n);
    for (size_t i = 0; i < n; ++i) packed[i] = int16_t(int32_t(samples[i] * 32768.0f));  // exact, checked above
    b->Encoding = TEncoding::Int16;
    b->Offset = file->Append(packed.data(), n * sizeof(int16_t));
  } else {
    b->Encoding = TEncoding::Float32;
    b->Offset = file->Append(samples, n * sizeof(float));
  }
  // Not cached here: a long import would only push out what is in use.
  return b;
}

std::shared_ptr<const TAudioBlock> TAudioBlock::MakeInt16(const int16_t* samples, int frames, int channels,
                                                           const std::shared_ptr<TWorkingFile>& file) {
  std::shared_ptr<TAudioBlock> b(new TAudioBlock());
  b->Frames = frames;
  b->Channels = channels;
  if (b->Summarise(samples, 1.0f / 32768.0f)) return b;
  if (!file) throw EAudioError("No working file to store audio in.");
  b->File = file;
  b->Encoding = TEncoding::Int16;
  b->Offset = file->Append(samples, size_t(frames) * channels * sizeof(int16_t));
  return b;
}

std::shared_ptr<const TAudioBlock> TAudioBlock::MakeSilent(int frames, int channels) {
  std::shared_ptr<TAudioBlock> b(new TAudioBlock());
  b->Frames = frames;
  b->Channels = channels;
  b->Granules.assign(size_t((frames + kGranule - 1) / kGranule) * channels, TPeak{});
  return b;
}

TAudioBlock::~TAudioBlock() {
  if (Encoding != TEncoding::Silent) Cache().Forget(this);
}

TData TAudioBlock::Load() const {
  if (TData d = Cache().Find(this)) return d;
  auto data = std::make_shared<std::vector<float>>(size_t(Frames) * Channels);
  ReadStored(0, Frames, data->data());
  Cache().Put(this, data);
  return data;
}

void TAudioBlock::Read(int frame, int count, float* out) const {
  size_t n = size_t(count) * Channels;
  if (Encoding == TEncoding::Silent) {
    std::memset(out, 0, n * sizeof(float));
    return;
  }
  TData d = Cache().Find(this);
  // A pass over most of a block (an effect, a save) reads it straight from the
  // working file: keeping it would only push out what is in use.
  if (!d && 2 * count >= Frames) {
    ReadStored(frame, count, out);
    return;
  }
  if (!d) d = Load();
  std::memcpy(out, d->data() + size_t(frame) * Channels, n * sizeof(float));
}

void TAudioBlock::ReadStored(int frame, int count, float* out) const {
  size_t n = size_t(count) * Channels, first = size_t(frame) * Channels;
  if (Encoding == TEncoding::Int16) {
    std::vector<int16_t> packed(n);
    File->Read(Offset + first * sizeof(int16_t), packed.data(), n * sizeof(int16_t));
    for (size_t i = 0; i < n; ++i) out[i] = packed[i] * (1.0f / 32768.0f);
  } else {
    File->Read(Offset + first * sizeof(float), out, n * sizeof(float));
  }
}

TPeak TAudioBlock::Peak(int frame, int count, int ch) const {
  if (frame == 0 && count >= Frames) return WholePeak[ch];
  int g0 = frame / kGranule, g1 = (frame + count - 1) / kGranule;
  TPeak p = Granules[size_t(g0) * Channels + ch];
  for (int g = g0 + 1; g <= g1; ++g) p.Merge(Granules[size_t(g) * Channels + ch]);
  return p;
}
