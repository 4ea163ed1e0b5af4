#include "engine/AudioBlock.h"

#include <algorithm>
#include <cstring>
#include <emmintrin.h>
#include <list>
#include <mutex>
#include <type_traits>
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

// A buffer of the calling thread of at least n elements, kept from call to
// call: a fresh one of this size would cost a page fault per 4 KB each time.
// Each Use is a separate buffer, so that nested users never share one.
template <class T, int Use>
T* Scratch(size_t n) {
  static thread_local std::vector<T> buf;
  if (buf.size() < n) buf.resize(n);
  return buf.data();
}

// The summary loops keep the samples of one or two interleaved channels in
// the lanes of a vector (lane k holds channel k % channels) and join the
// lanes of each channel at the end. Min and max are those of the plain loop
// "lo = v < lo ? v : lo", which keeps lo when v is NaN: MINPS(v, lo) does the
// same, so a lane is NaN only when it started from a NaN first sample.

// Min, max and energy of each channel of n interleaved float samples (whole
// frames). While packing, stores each sample as a 16-bit value at pack and
// clears packing at the first one that is not exactly such a value.
void SummariseFloats(const float* p, size_t n, int channels, float* lo, float* hi, float* sq, int16_t* pack,
                     bool& packing) {
  const __m128 first = channels == 1 ? _mm_set1_ps(p[0]) : _mm_setr_ps(p[0], p[1], p[0], p[1]);
  const __m128 scale = _mm_set1_ps(32768.0f), min16 = _mm_set1_ps(-32768.0f), max16 = _mm_set1_ps(32767.0f);
  __m128 vlo = first, vhi = first, vsq = _mm_setzero_ps();
  __m128 exact = _mm_castsi128_ps(_mm_set1_epi32(-1));
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128 v = _mm_loadu_ps(p + i);
    vlo = _mm_min_ps(v, vlo);
    vhi = _mm_max_ps(v, vhi);
    vsq = _mm_add_ps(vsq, _mm_mul_ps(v, v));
    if (packing) {
      const __m128 t = _mm_mul_ps(v, scale);
      const __m128i ti = _mm_cvttps_epi32(t);
      const __m128 inRange = _mm_and_ps(_mm_cmpge_ps(t, min16), _mm_cmple_ps(t, max16));
      exact = _mm_and_ps(exact, _mm_and_ps(inRange, _mm_cmpeq_ps(_mm_cvtepi32_ps(ti), t)));
      _mm_storel_epi64(reinterpret_cast<__m128i*>(pack + i), _mm_packs_epi32(ti, ti));
    }
  }
  if (packing && _mm_movemask_ps(exact) != 15) packing = false;
  // Lanes 2 and 3 onto 0 and 1; for one channel, lane 1 onto 0.
  vlo = _mm_min_ps(vlo, _mm_movehl_ps(vlo, vlo));
  vhi = _mm_max_ps(vhi, _mm_movehl_ps(vhi, vhi));
  vsq = _mm_add_ps(vsq, _mm_movehl_ps(vsq, vsq));
  if (channels == 1) {
    vlo = _mm_min_ps(vlo, _mm_shuffle_ps(vlo, vlo, 1));
    vhi = _mm_max_ps(vhi, _mm_shuffle_ps(vhi, vhi, 1));
    vsq = _mm_add_ps(vsq, _mm_shuffle_ps(vsq, vsq, 1));
  }
  float l[4], h[4], q[4];
  _mm_storeu_ps(l, vlo);
  _mm_storeu_ps(h, vhi);
  _mm_storeu_ps(q, vsq);
  for (int c = 0; c < channels; ++c) lo[c] = l[c], hi[c] = h[c], sq[c] = q[c];
  for (; i < n; ++i) {
    const float v = p[i];
    const int c = int(i % size_t(channels));
    lo[c] = v < lo[c] ? v : lo[c];
    hi[c] = v > hi[c] ? v : hi[c];
    sq[c] += v * v;
    if (packing) {
      const float t = v * 32768.0f;
      if (!(t >= -32768.0f && t <= 32767.0f) || float(int32_t(t)) != t) packing = false;
      else pack[i] = int16_t(int32_t(t));
    }
  }
}

// The same for 16-bit samples (no NaN there; energy in sample units).
void SummariseInt16(const int16_t* p, size_t n, int channels, float* lo, float* hi, float* sq) {
  const uint16_t a = uint16_t(p[0]), b = uint16_t(channels == 1 ? p[0] : p[1]);
  const __m128i first = _mm_set1_epi32(int(uint32_t(a) | uint32_t(b) << 16));
  __m128i vlo = first, vhi = first;
  __m128 vsq = _mm_setzero_ps();
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    vlo = _mm_min_epi16(vlo, v);
    vhi = _mm_max_epi16(vhi, v);
    const __m128 f0 = _mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpacklo_epi16(v, v), 16));
    const __m128 f1 = _mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpackhi_epi16(v, v), 16));
    vsq = _mm_add_ps(vsq, _mm_add_ps(_mm_mul_ps(f0, f0), _mm_mul_ps(f1, f1)));
  }
  vlo = _mm_min_epi16(vlo, _mm_srli_si128(vlo, 8));
  vlo = _mm_min_epi16(vlo, _mm_srli_si128(vlo, 4));
  vhi = _mm_max_epi16(vhi, _mm_srli_si128(vhi, 8));
  vhi = _mm_max_epi16(vhi, _mm_srli_si128(vhi, 4));
  vsq = _mm_add_ps(vsq, _mm_movehl_ps(vsq, vsq));
  if (channels == 1) {
    vlo = _mm_min_epi16(vlo, _mm_srli_si128(vlo, 2));
    vhi = _mm_max_epi16(vhi, _mm_srli_si128(vhi, 2));
    vsq = _mm_add_ps(vsq, _mm_shuffle_ps(vsq, vsq, 1));
  }
  float q[4];
  _mm_storeu_ps(q, vsq);
  int16_t l[2] = {int16_t(_mm_extract_epi16(vlo, 0)), int16_t(_mm_extract_epi16(vlo, 1))};
  int16_t h[2] = {int16_t(_mm_extract_epi16(vhi, 0)), int16_t(_mm_extract_epi16(vhi, 1))};
  for (; i < n; ++i) {
    const int c = int(i % size_t(channels));
    l[c] = std::min(l[c], p[i]);
    h[c] = std::max(h[c], p[i]);
    q[c] += float(p[i]) * float(p[i]);
  }
  for (int c = 0; c < channels; ++c) lo[c] = l[c], hi[c] = h[c], sq[c] = q[c];
}

void Int16ToFloat(const int16_t* in, size_t n, float* out) {
  const __m128 k = _mm_set1_ps(1.0f / 32768.0f);
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    _mm_storeu_ps(out + i, _mm_mul_ps(_mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpacklo_epi16(v, v), 16)), k));
    _mm_storeu_ps(out + i + 4, _mm_mul_ps(_mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpackhi_epi16(v, v), 16)), k));
  }
  for (; i < n; ++i) out[i] = in[i] * (1.0f / 32768.0f);
}

}  // namespace

void SetBlockCacheLimit(size_t bytes) { Cache().SetLimit(bytes); }
size_t GetBlockCacheBytes() { return Cache().GetBytes(); }

template <class T>
bool TAudioBlock::Summarise(const T* samples, float scale, int16_t* pack, bool* fits) {
  const int channels = Channels;
  const int granules = (Frames + kGranule - 1) / kGranule;
  Granules.resize(size_t(granules) * channels);
  bool silent = true, packing = pack != nullptr;
  for (int g = 0; g < granules; ++g) {
    const int f0 = g * kGranule, f1 = std::min(Frames, f0 + kGranule);
    const size_t first = size_t(f0) * channels, n = size_t(f1 - f0) * channels;
    float lo[2], hi[2], sq[2];  // a granule's energy fits a float well
    if constexpr (std::is_same_v<T, float>)
      SummariseFloats(samples + first, n, channels, lo, hi, sq, packing ? pack + first : nullptr, packing);
    else
      SummariseInt16(samples + first, n, channels, lo, hi, sq);
    for (int c = 0; c < channels; ++c) {
      if (lo[c] != 0 || hi[c] != 0) silent = false;
      Granules[size_t(g) * channels + c] = TPeak{lo[c] * scale, hi[c] * scale, double(sq[c]) * scale * scale};
    }
  }
  if (fits) *fits = packing;
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
  const size_t n = size_t(frames) * channels;
  int16_t* packed = Scratch<int16_t, 0>(n);
  bool fits = false;
  if (b->Summarise(samples, 1.0f, packed, &fits)) return b;
  if (!file) throw EAudioError("No working file to store audio in.");
  b->File = file;
  if (fits) {
    // Audio that came from 16-bit sources loses nothing at half the size.
    b->Encoding = TEncoding::Int16;
    b->Offset = file->Append(packed, n * sizeof(int16_t));
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

std::shared_ptr<const TAudioBlock> TAudioBlock::MakeMapped(std::shared_ptr<const TAudioBlock> source, int start,
                                                            int count, std::shared_ptr<const TFrameMap> map,
                                                            int64_t position) {
  const int channels = source->Channels;
  float* frames = Scratch<float, 1>(size_t(count) * channels);
  source->Read(start, count, frames);
  map->Map(frames, count, position);
  std::shared_ptr<TAudioBlock> b(new TAudioBlock());
  b->Frames = count;
  b->Channels = channels;
  if (b->Summarise(frames, 1.0f)) return b;
  b->Encoding = TEncoding::Mapped;
  b->Depth = source->Depth + 1;
  b->Source = std::move(source);
  b->SourceStart = start;
  b->FrameMap = std::move(map);
  b->Position = position;
  return b;
}

TAudioBlock::~TAudioBlock() {
  if (Encoding == TEncoding::Int16 || Encoding == TEncoding::Float32) Cache().Forget(this);
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
  if (Encoding == TEncoding::Mapped) {
    Source->Read(SourceStart + (FrameMap->IsMirrored() ? Frames - frame - count : frame), count, out);
    FrameMap->Map(out, count, Position + frame);
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
    int16_t* packed = Scratch<int16_t, 2>(n);
    File->Read(Offset + first * sizeof(int16_t), packed, n * sizeof(int16_t));
    Int16ToFloat(packed, n, out);
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
