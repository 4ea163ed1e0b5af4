#include "engine/WavFile.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <emmintrin.h>

#include "engine/EngineError.h"
#include "engine/RawFile.h"
#include "engine/codecs/FiniteSamples.h"
#include "framework/FileUtils.h"

namespace {

constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagFloat = 3;
constexpr uint16_t kTagExtensible = 0xFFFE;
// The common tail of the sub-format identifiers of the extensible header.
const uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                               0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return uint32_t(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24); }
void Put16(std::vector<uint8_t>& v, uint16_t x) { v.insert(v.end(), {uint8_t(x), uint8_t(x >> 8)}); }
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  v.insert(v.end(), {uint8_t(x), uint8_t(x >> 8), uint8_t(x >> 16), uint8_t(x >> 24)});
}
void PutId(std::vector<uint8_t>& v, const char* id) {
  for (int i = 0; i < 4; ++i) v.push_back(uint8_t(id[i]));
}

bool IsUtf8(const std::string& s) {
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s.data(), int(s.size()), nullptr, 0) > 0;
}

// INFO texts are often in the writer's code page rather than UTF-8.
std::string InfoText(const uint8_t* p, size_t n) {
  std::string s(reinterpret_cast<const char*>(p), n);
  s.erase(std::find(s.begin(), s.end(), '\0'), s.end());
  if (s.empty() || IsUtf8(s)) return s;
  int wn = MultiByteToWideChar(1252, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring w(wn, L'\0');
  MultiByteToWideChar(1252, 0, s.data(), int(s.size()), w.data(), wn);
  int un = WideCharToMultiByte(CP_UTF8, 0, w.data(), wn, nullptr, 0, nullptr, nullptr);
  std::string u(un, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), wn, u.data(), un, nullptr, nullptr);
  return u;
}

std::vector<uint8_t> InfoList(const TAudioTags& t) {
  std::vector<uint8_t> body;
  auto add = [&](const char* id, const std::string& text) {
    if (text.empty()) return;
    PutId(body, id);
    Put32(body, uint32_t(text.size() + 1));
    body.insert(body.end(), text.begin(), text.end());
    body.push_back(0);
    if ((text.size() + 1) & 1) body.push_back(0);
  };
  add("INAM", t.Title);
  add("IART", t.Artist);
  add("IPRD", t.Album);
  add("IGNR", GenreName(t.Genre));
  add("ICRD", t.Year > 0 ? std::to_string(t.Year) : "");
  add("ICMT", t.Comment);
  if (body.empty()) return {};
  std::vector<uint8_t> list;
  PutId(list, "LIST");
  Put32(list, uint32_t(body.size() + 4));
  PutId(list, "INFO");
  list.insert(list.end(), body.begin(), body.end());
  return list;
}

// True when a whole chunk (an identifier of letters, digits or blanks and a
// body inside the file) starts at pos.
bool IsChunkAt(TRawFile& file, uint64_t pos, uint64_t size) {
  uint8_t ch[8];
  if (pos + 8 > size) return false;
  file.Seek(pos);
  file.ReadExact(ch, 8);
  for (int i = 0; i < 4; ++i)
    if (!std::isalnum(ch[i]) && ch[i] != ' ') return false;
  return pos + 8 + U32(ch + 4) <= size;
}

// Samples become integers by rounding the scaled value to the nearest, ties to
// even (the processor's default mode), saturating at full scale; NaN becomes
// silence. Scaling by a power of two is exact in single precision, so the
// packed conversions give what rounding in double precision would.
inline __m128 Quantize(__m128 v, __m128 scale, __m128 lo, __m128 hi) {
  v = _mm_and_ps(v, _mm_cmpord_ps(v, v));
  return _mm_min_ps(_mm_max_ps(_mm_mul_ps(v, scale), lo), hi);
}

void FloatToPcm16(const float* s, size_t n, uint8_t* p) {
  const __m128 scale = _mm_set1_ps(32768.0f), lo = _mm_set1_ps(-32768.0f), hi = _mm_set1_ps(32767.0f);
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    __m128i a = _mm_cvtps_epi32(Quantize(_mm_loadu_ps(s + i), scale, lo, hi));
    __m128i b = _mm_cvtps_epi32(Quantize(_mm_loadu_ps(s + i + 4), scale, lo, hi));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 2 * i), _mm_packs_epi32(a, b));
  }
  for (; i < n; ++i) {
    int v = _mm_cvtss_si32(Quantize(_mm_set_ss(s[i]), scale, lo, hi));
    p[2 * i] = uint8_t(v);
    p[2 * i + 1] = uint8_t(v >> 8);
  }
}

void FloatToPcm8(const float* s, size_t n, uint8_t* p) {
  const __m128 scale = _mm_set1_ps(128.0f), lo = _mm_set1_ps(-128.0f), hi = _mm_set1_ps(127.0f);
  for (size_t i = 0; i < n; ++i) p[i] = uint8_t(_mm_cvtss_si32(Quantize(_mm_set_ss(s[i]), scale, lo, hi)) + 128);
}

void FloatToPcm24(const float* s, size_t n, uint8_t* p) {
  const __m128 scale = _mm_set1_ps(8388608.0f), lo = _mm_set1_ps(-8388608.0f), hi = _mm_set1_ps(8388607.0f);
  for (size_t i = 0; i < n; ++i) {
    int v = _mm_cvtss_si32(Quantize(_mm_set_ss(s[i]), scale, lo, hi));
    p[3 * i] = uint8_t(v);
    p[3 * i + 1] = uint8_t(v >> 8);
    p[3 * i + 2] = uint8_t(v >> 16);
  }
}

// 2^31 - 1 has no single-precision value: this one scales in double.
void FloatToPcm32(const float* s, size_t n, uint8_t* p) {
  for (size_t i = 0; i < n; ++i) {
    double x = double(s[i]) * 2147483648.0;
    x = x != x ? 0.0 : std::clamp(x, -2147483648.0, 2147483647.0);
    uint32_t v = uint32_t(_mm_cvtsd_si32(_mm_set_sd(x)));
    std::memcpy(p + 4 * i, &v, 4);
  }
}

}  // namespace

void ValidateWavFormat(const TWavFormat& f) {
  if (f.Channels < 1 || f.Channels > 2)
    throw EAudioError("Only mono and stereo WAV files are supported (this one has " + std::to_string(f.Channels) +
                      " channels).");
  if (f.Rate < 1000 || f.Rate > 384000) throw EAudioError("Unsupported sample rate " + std::to_string(f.Rate) + " Hz.");
  bool ok = f.Float ? f.Bits == 32 : (f.Bits == 8 || f.Bits == 16 || f.Bits == 24 || f.Bits == 32);
  if (!ok)
    throw EAudioError("Unsupported sample format: " + std::to_string(f.Bits) + "-bit " +
                      (f.Float ? "floating point." : "integer."));
}

TWavReader::TWavReader(const std::string& path) : File(std::make_unique<TRawFile>(path, TRawFile::TMode::Read)) {
  const std::string bad = "The file \"" + path + "\" is not a valid WAV file: ";
  uint64_t size = File->GetSize();
  uint8_t head[12];
  if (File->ReadSome(head, 12) != 12 || std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0)
    throw EAudioError(bad + "it has no RIFF/WAVE header.");
  bool haveFormat = false, haveData = false;
  uint64_t dataSize = 0;
  uint64_t pos = 12;
  while (pos + 8 <= size) {
    uint8_t ch[8];
    File->Seek(pos);
    File->ReadExact(ch, 8);
    uint32_t n = U32(ch + 4);
    uint64_t body = pos + 8;
    if (std::memcmp(ch, "fmt ", 4) == 0) {
      if (n < 16 || body + n > size) throw EAudioError(bad + "its format chunk is broken.");
      std::vector<uint8_t> fmt(n);
      File->ReadExact(fmt.data(), n);
      ParseFormat(fmt);
      haveFormat = true;
    } else if (std::memcmp(ch, "data", 4) == 0) {
      if (n == 0xFFFFFFFF || (n == 0 && !IsChunkAt(*File, body, size))) {
        DataOffset = body;
        dataSize = size - body;
        haveData = true;
        break;
      }
      if (body + n > size)
        throw EAudioError("The file \"" + path + "\" is truncated: its audio data should be " + std::to_string(n) +
                          " bytes long but only " + std::to_string(size - body) + " are there.");
      DataOffset = body;
      dataSize = n;
      haveData = true;
    } else if (std::memcmp(ch, "LIST", 4) == 0 && n >= 4 && body + n <= size) {
      std::vector<uint8_t> list(n);
      File->ReadExact(list.data(), n);
      if (std::memcmp(list.data(), "INFO", 4) == 0) ParseInfo(list);
    }
    pos = body + n + (n & 1);
  }
  if (!haveFormat) throw EAudioError(bad + "it has no format chunk.");
  if (!haveData) throw EAudioError(bad + "it has no audio data.");
  Frames = int64_t(dataSize / Format.BytesPerFrame());
  Rewind();
}

TWavReader::~TWavReader() = default;

void TWavReader::ParseFormat(const std::vector<uint8_t>& f) {
  uint16_t tag = U16(&f[0]);
  Format.Channels = U16(&f[2]);
  if (uint32_t rate = U32(&f[4]); rate < 1000 || rate > 384000)
    throw EAudioError("Unsupported sample rate " + std::to_string(rate) + " Hz.");
  Format.Rate = int(U32(&f[4]));
  uint16_t align = U16(&f[12]);
  Format.Bits = U16(&f[14]);
  Format.Float = tag == kTagFloat;
  Format.Extensible = tag == kTagExtensible;
  if (tag == kTagExtensible) {
    if (f.size() < 40 || std::memcmp(&f[26], kGuidTail, 14) != 0)
      throw EAudioError("This WAV file uses an extensible format that is not supported.");
    uint16_t sub = U16(&f[24]);
    if (sub != kTagPcm && sub != kTagFloat)
      throw EWavCodingError("This WAV file holds compressed audio (format " + std::to_string(sub) +
                            "), which is not supported.");
    Format.Float = sub == kTagFloat;
  } else if (tag != kTagPcm && tag != kTagFloat) {
    throw EWavCodingError("This WAV file holds compressed audio (format " + std::to_string(tag) +
                          "), which is not supported.");
  }
  if (Format.Channels > 2)
    throw EWavCodingError("Only mono and stereo WAV files are supported (this one has " +
                          std::to_string(Format.Channels) + " channels).");
  ValidateWavFormat(Format);
  if (align != Format.BytesPerFrame()) throw EAudioError("This WAV file has an inconsistent block size.");
}

void TWavReader::ParseInfo(const std::vector<uint8_t>& list) {
  size_t p = 4;
  while (p + 8 <= list.size()) {
    uint32_t n = U32(&list[p + 4]);
    if (p + 8 + n > list.size()) break;
    std::string text = InfoText(&list[p + 8], n);
    const char* id = reinterpret_cast<const char*>(&list[p]);
    if (!std::memcmp(id, "INAM", 4)) Tags.Title = text;
    else if (!std::memcmp(id, "IART", 4)) Tags.Artist = text;
    else if (!std::memcmp(id, "IPRD", 4)) Tags.Album = text;
    else if (!std::memcmp(id, "ICMT", 4)) Tags.Comment = text;
    else if (!std::memcmp(id, "ICRD", 4)) Tags.Year = std::atoi(text.c_str());
    else if (!std::memcmp(id, "IGNR", 4)) Tags.Genre = GenreIndex(text);
    p += 8 + n + (n & 1);
  }
}

int64_t TWavReader::ReadInt16(int16_t* out, int64_t frames) {
  if (Format.Bits != 16 || Format.Float) throw EAudioError("Not a 16-bit file.");
  frames = std::min(frames, Frames - Done);
  if (frames <= 0) return 0;
  File->ReadExact(out, size_t(frames) * Format.BytesPerFrame());  // little-endian, as the file
  Done += frames;
  return frames;
}

void TWavReader::Seek(int64_t frame) {
  Done = std::clamp<int64_t>(frame, 0, Frames);
  File->Seek(DataOffset + uint64_t(Done) * Format.BytesPerFrame());
}

int64_t TWavReader::Read(float* out, int64_t frames) {
  frames = std::min(frames, Frames - Done);
  if (frames <= 0) return 0;
  const int ch = Format.Channels;
  size_t n = size_t(frames) * ch;
  Raw.resize(size_t(frames) * Format.BytesPerFrame());
  File->ReadExact(Raw.data(), Raw.size());
  const uint8_t* p = Raw.data();
  switch (Format.Bits) {
    case 8:
      for (size_t i = 0; i < n; ++i) out[i] = (int(p[i]) - 128) * (1.0f / 128.0f);
      break;
    case 16:
      for (size_t i = 0; i < n; ++i) {
        int16_t v;
        std::memcpy(&v, p + 2 * i, 2);  // little-endian, as the file
        out[i] = float(v) * (1.0f / 32768.0f);
      }
      break;
    case 24:
      for (size_t i = 0; i < n; ++i) {
        const uint8_t* q = p + 3 * i;
        int32_t v = int32_t(uint32_t(q[0]) << 8 | uint32_t(q[1]) << 16 | uint32_t(q[2]) << 24) >> 8;
        out[i] = float(v) * (1.0f / 8388608.0f);
      }
      break;
    case 32:
      if (Format.Float) {
        std::memcpy(out, p, n * sizeof(float));
        ZeroNonFinite(out, n);
      } else {
        for (size_t i = 0; i < n; ++i) out[i] = float(double(int32_t(U32(p + 4 * i))) / 2147483648.0);
      }
      break;
  }
  Done += frames;
  return frames;
}

TWavWriter::TWavWriter(const std::string& path, const TWavFormat& format, const TAudioTags& tags)
    : Target(path), TempPath(TemporaryNameBeside(path)), Format(format), Tags(tags) {
  ValidateWavFormat(Format);
  if (Format.Bits > 16 && !Format.Float) Format.Extensible = true;
  File = std::make_unique<TRawFile>(TempPath, TRawFile::TMode::Create);
  WriteHeader();
}

TWavWriter::~TWavWriter() {
  if (!Committed) {
    File.reset();
    DeleteFile(TempPath);
  }
}

void TWavWriter::WriteHeader() {
  std::vector<uint8_t> h;
  PutId(h, "RIFF");
  Put32(h, 0);
  PutId(h, "WAVE");
  PutId(h, "fmt ");
  uint16_t tag = Format.Extensible ? kTagExtensible : Format.Float ? kTagFloat : kTagPcm;
  Put32(h, Format.Extensible ? 40 : Format.Float ? 18 : 16);
  Put16(h, tag);
  Put16(h, uint16_t(Format.Channels));
  Put32(h, uint32_t(Format.Rate));
  Put32(h, uint32_t(Format.Rate * Format.BytesPerFrame()));
  Put16(h, uint16_t(Format.BytesPerFrame()));
  Put16(h, uint16_t(Format.Bits));
  if (Format.Extensible) {
    Put16(h, 22);
    Put16(h, uint16_t(Format.Bits));
    Put32(h, Format.Channels == 1 ? 0x4 : 0x3);  // front centre / front left and right
    Put16(h, Format.Float ? kTagFloat : kTagPcm);
    h.insert(h.end(), kGuidTail, kGuidTail + 14);
  } else if (Format.Float) {
    Put16(h, 0);
  }
  if (Format.Float || Format.Extensible) {
    PutId(h, "fact");
    Put32(h, 4);
    FactAt = h.size();
    Put32(h, 0);
  }
  PutId(h, "data");
  DataSizeAt = h.size();
  Put32(h, 0);
  File->Write(h.data(), h.size());
}

void TWavWriter::Write(const float* s, int64_t frames) {
  if (frames <= 0) return;
  const size_t n = size_t(frames) * Format.Channels;
  uint64_t bytes = uint64_t(frames) * Format.BytesPerFrame();
  if (DataBytes + bytes > 0xFFFFFF00ull - 1024)
    throw EAudioError("The audio is too long for a WAV file (at most 4 GB of data).");
  Raw.resize(size_t(bytes));
  uint8_t* p = Raw.data();
  switch (Format.Bits) {
    case 8: FloatToPcm8(s, n, p); break;
    case 16: FloatToPcm16(s, n, p); break;
    case 24: FloatToPcm24(s, n, p); break;
    case 32:
      if (Format.Float)
        std::memcpy(p, s, n * sizeof(float));
      else
        FloatToPcm32(s, n, p);
      break;
  }
  File->Write(p, Raw.size());
  DataBytes += bytes;
  Frames += frames;
}

void TWavWriter::Commit() {
  if (DataBytes & 1) {
    uint8_t pad = 0;
    File->Write(&pad, 1);
  }
  std::vector<uint8_t> list = InfoList(Tags);
  if (!list.empty()) File->Write(list.data(), list.size());
  uint64_t end = File->GetPosition();
  std::vector<uint8_t> v;
  Put32(v, uint32_t(end - 8));
  File->Seek(RiffSizeAt);
  File->Write(v.data(), 4);
  v.clear();
  Put32(v, uint32_t(DataBytes));
  File->Seek(DataSizeAt);
  File->Write(v.data(), 4);
  if (FactAt) {
    v.clear();
    Put32(v, uint32_t(Frames));
    File->Seek(FactAt);
    File->Write(v.data(), 4);
  }
  File->Close();
  ReplaceFile(TempPath, Target);
  Committed = true;
}

TWavFormat ReadWavFormat(const std::string& path) { return TWavReader(path).GetFormat(); }

void RewriteWavTags(const std::string& path, const TAudioTags& tags) {
  auto in = std::make_unique<TWavReader>(path);
  TWavWriter out(path, in->GetFormat(), tags);
  std::vector<float> buf(size_t(65536) * in->GetFormat().Channels);
  while (int64_t n = in->Read(buf.data(), 65536)) out.Write(buf.data(), n);
  in.reset();  // the file must be closed before it is replaced
  out.Commit();
}
