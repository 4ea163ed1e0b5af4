#include "CodecTestSupport.h"

#include <windows.h>

#include <cmath>
#include <cstring>

#include "engine/codecs/CodecFile.h"

namespace {

std::wstring Wide(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring w(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), n);
  return w;
}

std::string Utf8(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace

std::vector<float> Tones(int frames, int rate, const std::vector<double>& hz) {
  size_t ch = hz.size();
  std::vector<float> s(size_t(frames) * ch);
  for (int i = 0; i < frames; ++i)
    for (size_t c = 0; c < ch; ++c) {
      // A slow swell, so that only the right alignment correlates well.
      double level = 0.3 + 0.2 * std::sin(2 * M_PI * 1.3 * i / rate + double(c));
      s[size_t(i) * ch + c] = float(level * std::sin(2 * M_PI * hz[c] * i / rate));
    }
  return s;
}

TDecoded DecodeAll(const std::string& path) {
  std::unique_ptr<TCodecDecoder> d = OpenCodecDecoder(path);
  TDecoded r;
  r.Rate = d->GetRate(), r.Channels = d->GetChannels(), r.Length = d->GetLengthFrames();
  r.BitRate = d->GetBitRate(), r.Tags = d->GetTags();
  std::vector<float> block(size_t(4096) * r.Channels);
  // Odd block sizes, so that blocks and codec frames do not line up.
  for (int64_t n; (n = d->Read(block.data(), 3001)) > 0;)
    r.Samples.insert(r.Samples.end(), block.begin(), block.begin() + std::ptrdiff_t(n * r.Channels));
  return r;
}

double Correlation(const std::vector<float>& a, int aChannels, const std::vector<float>& b, int bChannels, int c,
                   int maxLag) {
  int64_t na = std::min<int64_t>(int64_t(a.size()) / aChannels, 32768), nb = int64_t(b.size()) / bChannels;
  double best = -1;
  for (int lag = 0; lag <= maxLag; ++lag) {
    double ab = 0, aa = 0, bb = 0;
    for (int64_t i = 0; i < na && i + lag < nb; ++i) {
      double x = a[size_t(i * aChannels + c)], y = b[size_t((i + lag) * bChannels + c)];
      ab += x * y, aa += x * x, bb += y * y;
    }
    if (aa > 0 && bb > 0) best = std::max(best, ab / std::sqrt(aa * bb));
  }
  return best;
}

TTestFolder::TTestFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  Folder = Utf8(temp) + "codecs-\xC3\x84\xE5\x90\x8D-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount());
  CreateDirectoryW(Wide(Folder).c_str(), nullptr);
}

TTestFolder::~TTestFolder() {
  for (const std::string& n : Names()) DeleteFileW(Wide(Path(n)).c_str());
  RemoveDirectoryW(Wide(Folder).c_str());
}

std::vector<std::string> TTestFolder::Names() const {
  std::vector<std::string> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(Wide(Folder + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring n = fd.cFileName;
    if (n != L"." && n != L"..") names.push_back(Utf8(n));
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return names;
}

bool FileExists(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<unsigned char> ReadBytes(const std::string& path) {
  TCodecFile f(path, TCodecFile::TMode::Read);
  std::vector<unsigned char> bytes(size_t(f.GetSize()));
  f.Read(bytes.data(), bytes.size());
  return bytes;
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  TCodecFile f(path, TCodecFile::TMode::Create);
  f.Write(bytes.data(), bytes.size());
}

TMp3Frames ScanMp3(const std::vector<unsigned char>& f) {
  static const int kRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
  static const int kV1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
  static const int kV2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
  TMp3Frames r;
  size_t at = 0;
  if (f.size() > 10 && !std::memcmp(f.data(), "ID3", 3))
    at = 10 + ((f[6] << 21) | (f[7] << 14) | (f[8] << 7) | f[9]);
  double kbpsSum = 0;
  while (at + 4 <= f.size() && f[at] == 0xFF && (f[at + 1] & 0xE0) == 0xE0) {
    int version = (f[at + 1] >> 3) & 3;  // 3 MPEG 1, 2 MPEG 2, 0 MPEG 2.5
    int v = version == 3 ? 0 : version == 2 ? 1 : 2;
    int kbps = (v == 0 ? kV1 : kV2)[f[at + 2] >> 4];
    if (kbps == 0) break;  // free or bad bit-rate index
    int rate = kRates[v][(f[at + 2] >> 2) & 3];
    int padding = (f[at + 2] >> 1) & 1;
    size_t size = size_t((v == 0 ? 144 : 72) * kbps * 1000 / rate + padding);
    if (size < 4) break;
    bool crc = !(f[at + 1] & 1);
    if (r.Count == 0) {
      r.Rate = rate, r.Mode = f[at + 3] >> 6, r.Protected = crc;
      std::string first(f.begin() + std::ptrdiff_t(at), f.begin() + std::ptrdiff_t(std::min(at + size, f.size())));
      r.Xing = first.find("Xing") != std::string::npos;
      r.Info = first.find("Info") != std::string::npos;
    } else {
      r.AllProtected = r.AllProtected && crc;
      r.BitRates.insert(kbps);
      kbpsSum += kbps;
    }
    ++r.Count;
    at += size;
  }
  r.MeanKbps = r.Count > 1 ? kbpsSum / (r.Count - 1) : 0;
  return r;
}
