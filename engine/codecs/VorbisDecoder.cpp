#include "engine/codecs/VorbisDecoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include "engine/codecs/CodecError.h"
#include "engine/codecs/Downmix.h"
#include "engine/codecs/FiniteSamples.h"

namespace {

// The file's pages as the library reads them, but for a stream that begins
// under a serial number already used (files of one encoder joined with cat
// repeat it), which gets a new one: the library would take the new stream's
// headers for audio of the old.
class TPageReader {
 public:
  explicit TPageReader(TCodecFile& file) : File(file) { ogg_sync_init(&Sync); }
  ~TPageReader() { ogg_sync_clear(&Sync); }
  size_t Read(unsigned char* to, size_t bytes) {
    size_t done = 0;
    while (done < bytes) {
      if (At < Page.size()) {
        size_t n = std::min(bytes - done, Page.size() - At);
        std::memcpy(to + done, Page.data() + At, n);
        At += n, done += n;
        continue;
      }
      ogg_page page;
      if (int r = ogg_sync_pageout(&Sync, &page); r != 0) {
        if (r == 1) Take(page);
        continue;
      }
      char* buffer = ogg_sync_buffer(&Sync, 65536);
      size_t n = File.Read(buffer, 65536);
      if (n == 0) break;
      ogg_sync_wrote(&Sync, long(n));
    }
    return done;
  }

 private:
  void Take(ogg_page& page) {
    const uint32_t serial = uint32_t(ogg_page_serialno(&page));
    if (ogg_page_bos(&page)) {
      if (Used.count(serial)) {
        uint32_t fresh = serial;
        while (Used.count(fresh)) ++fresh;
        Renamed[serial] = fresh;
        Used.insert(fresh);
      } else {
        Used.insert(serial);
      }
    }
    if (auto it = Renamed.find(serial); it != Renamed.end()) {
      for (int i = 0; i < 4; ++i) page.header[14 + i] = (unsigned char)(it->second >> (8 * i));
      ogg_page_checksum_set(&page);
    }
    Page.assign(page.header, page.header + page.header_len);
    Page.insert(Page.end(), page.body, page.body + page.body_len);
    At = 0;
  }

  TCodecFile& File;
  ogg_sync_state Sync;
  std::vector<unsigned char> Page;
  size_t At = 0;
  std::set<uint32_t> Used;
  std::map<uint32_t, uint32_t> Renamed;
};

size_t ReadCallback(void* ptr, size_t size, size_t n, void* source) {
  try {
    return static_cast<TPageReader*>(source)->Read(static_cast<unsigned char*>(ptr), size * n) / (size ? size : 1);
  } catch (const ECodecError&) {
    return 0;
  }
}

// The samples of every Vorbis stream of the file, one after the other as a
// joined file holds them, counted at the rate of the first: the end of the
// last whole page of each.
int64_t CountSamples(TCodecFile& f) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  ogg_page page;
  struct TStream {
    long Serial;
    int64_t Rate, Last;
  };
  std::vector<TStream> streams;
  for (;;) {
    int r = ogg_sync_pageout(&sync, &page);
    if (r == 1) {
      const long serial = ogg_page_serialno(&page);
      if (ogg_page_bos(&page) && page.body_len >= 16 && std::memcmp(page.body, "\x01vorbis", 7) == 0) {
        const unsigned char* b = page.body + 12;
        int64_t rate = int64_t(b[0] | b[1] << 8 | b[2] << 16 | uint32_t(b[3]) << 24);
        if (rate > 0) streams.push_back({serial, rate, 0});
      }
      for (auto s = streams.rbegin(); s != streams.rend(); ++s)
        if (s->Serial == serial) {
          if (ogg_page_granulepos(&page) > 0) s->Last = ogg_page_granulepos(&page);
          break;
        }
      continue;
    }
    char* buffer = ogg_sync_buffer(&sync, 65536);
    size_t n = f.Read(buffer, 65536);
    if (n == 0) break;
    ogg_sync_wrote(&sync, long(n));
  }
  ogg_sync_clear(&sync);
  int64_t total = 0;
  for (const TStream& s : streams)
    total += streams[0].Rate == s.Rate ? s.Last : int64_t(std::llround(double(s.Last) * streams[0].Rate / s.Rate));
  return total;
}

// Vorbis fixes the speakers of up to eight channels; beyond that they are the application's.
std::vector<double> VorbisDownmix(int channels, int outChannels) {
  static const std::vector<AVChannel> kOrders[9] = {
      {}, {}, {},
      {AV_CHAN_FRONT_LEFT, AV_CHAN_FRONT_CENTER, AV_CHAN_FRONT_RIGHT},
      {AV_CHAN_FRONT_LEFT, AV_CHAN_FRONT_RIGHT, AV_CHAN_BACK_LEFT, AV_CHAN_BACK_RIGHT},
      {AV_CHAN_FRONT_LEFT, AV_CHAN_FRONT_CENTER, AV_CHAN_FRONT_RIGHT, AV_CHAN_BACK_LEFT, AV_CHAN_BACK_RIGHT},
      {AV_CHAN_FRONT_LEFT, AV_CHAN_FRONT_CENTER, AV_CHAN_FRONT_RIGHT, AV_CHAN_BACK_LEFT, AV_CHAN_BACK_RIGHT,
       AV_CHAN_LOW_FREQUENCY},
      {AV_CHAN_FRONT_LEFT, AV_CHAN_FRONT_CENTER, AV_CHAN_FRONT_RIGHT, AV_CHAN_SIDE_LEFT, AV_CHAN_SIDE_RIGHT,
       AV_CHAN_BACK_CENTER, AV_CHAN_LOW_FREQUENCY},
      {AV_CHAN_FRONT_LEFT, AV_CHAN_FRONT_CENTER, AV_CHAN_FRONT_RIGHT, AV_CHAN_SIDE_LEFT, AV_CHAN_SIDE_RIGHT,
       AV_CHAN_BACK_LEFT, AV_CHAN_BACK_RIGHT, AV_CHAN_LOW_FREQUENCY}};
  std::vector<AVChannel> speakers = channels >= 3 && channels <= 8
                                        ? kOrders[channels]
                                        : std::vector<AVChannel>(size_t(channels), AV_CHAN_UNKNOWN);
  return DownmixMatrix(speakers, outChannels);
}

// Planes of channels into interleaved frames of outChannels.
void MixDown(float** pcm, long n, int channels, const std::vector<double>& mix, int outChannels, float* dst) {
  if (channels == outChannels && channels <= 2) {
    for (long i = 0; i < n; ++i)
      for (int c = 0; c < channels; ++c) dst[i * channels + c] = pcm[c][i];
  } else {
    for (long i = 0; i < n; ++i)
      for (int o = 0; o < outChannels; ++o) {
        double v = 0;
        for (int c = 0; c < channels; ++c) v += mix[size_t(o * channels + c)] * pcm[c][i];
        dst[i * outChannels + o] = float(v);
      }
  }
  ZeroNonFinite(dst, size_t(n) * outChannels);
}

std::string Comment(vorbis_comment* vc, const char* key) {
  const char* v = vorbis_comment_query(vc, key, 0);
  return v ? v : "";
}

}  // namespace

struct TVorbisDecoder::TState {
  explicit TState(TCodecFile& file) : Pages(file) {}
  ~TState() {
    if (Open) ov_clear(&Vf);
  }
  TPageReader Pages;
  OggVorbis_File Vf;
  bool Open = false;
};

bool IsOggVorbis(const std::string& path) {
  TCodecFile f(path, TCodecFile::TMode::Read);
  unsigned char head[64] = {};
  size_t n = f.Read(head, sizeof head);
  if (n < 28 + 7 || std::memcmp(head, "OggS", 4) != 0) return false;
  size_t body = 27 + size_t(head[26]);  // after the segment table
  return body + 7 <= n && std::memcmp(head + body, "\x01vorbis", 7) == 0;
}

TVorbisDecoder::TVorbisDecoder(const std::string& path)
    : Path(path), File(std::make_unique<TCodecFile>(path, TCodecFile::TMode::Read)),
      State(std::make_unique<TState>(*File)) {
  // The length comes from the pages' own sample counts; the decoder then
  // reads straight through, which also serves a file cut off at the end.
  Length = CountSamples(*File);
  File->Seek(0);
  ov_callbacks io = {ReadCallback, nullptr, nullptr, nullptr};
  if (ov_open_callbacks(&State->Pages, &State->Vf, nullptr, 0, io) != 0)
    throw ECodecError("The file \"" + path + "\" is damaged or is not Ogg Vorbis audio.");
  State->Open = true;
  vorbis_info* vi = ov_info(&State->Vf, -1);
  if (!vi || vi->channels < 1 || vi->rate <= 0)
    throw ECodecError("The file \"" + path + "\" is damaged: it has no sample rate or channels.");
  Rate = int(vi->rate), Channels = vi->channels == 1 ? 1 : 2;
  BitRate = int(vi->bitrate_nominal > 0 ? vi->bitrate_nominal : ov_bitrate(&State->Vf, -1));
  vorbis_comment* vc = ov_comment(&State->Vf, -1);
  Tags.Title = Comment(vc, "TITLE");
  Tags.Artist = Comment(vc, "ARTIST");
  Tags.Album = Comment(vc, "ALBUM");
  Tags.Comment = Comment(vc, "COMMENT");
  if (Tags.Comment.empty()) Tags.Comment = Comment(vc, "DESCRIPTION");
  Tags.Genre = Comment(vc, "GENRE");
  Tags.Year = std::atoi(Comment(vc, "DATE").substr(0, 4).c_str());
}

TVorbisDecoder::~TVorbisDecoder() = default;

int64_t TVorbisDecoder::Read(float* out, int64_t frames) {
  int64_t done = 0;
  while (done < frames) {
    if (PendingAt < Pending.size()) {
      size_t n = std::min(size_t(frames - done) * Channels, Pending.size() - PendingAt);
      std::copy_n(Pending.data() + PendingAt, n, out + done * Channels);
      PendingAt += n;
      done += int64_t(n) / Channels;
      continue;
    }
    Pending.clear();
    PendingAt = 0;
    if (Ended) break;
    float** pcm = nullptr;
    int section = 0;
    long got = ov_read_float(&State->Vf, &pcm, int(std::min<int64_t>(frames - done, 4096)), &section);
    if (got == OV_HOLE) continue;  // a gap in the stream: go on after it
    if (got < 0) throw ECodecError("The file \"" + Path + "\" is damaged: its audio data cannot be decoded.");
    if (got == 0) {
      Ended = true;
      if (Converter) Pending = Converter->Convert(nullptr, 0);
      continue;
    }
    // A joined file may change channels or rate from one stream to the next:
    // the later ones are converted to the first one's.
    const vorbis_info* vi = ov_info(&State->Vf, -1);
    const int channels = vi->channels, outChannels = channels == 1 ? 1 : 2, rate = int(vi->rate);
    if (channels != MixChannels) {
      Mix = VorbisDownmix(channels, outChannels);
      MixChannels = channels;
    }
    if (rate == Rate && outChannels == Channels && !Converter) {
      MixDown(pcm, got, channels, Mix, Channels, out + done * Channels);
      done += got;
      continue;
    }
    if (Converter && (rate != ConverterRate || outChannels != ConverterChannels)) {
      Pending = Converter->Convert(nullptr, 0);
      Converter.reset();
    }
    if (!Converter) {
      Converter = std::make_unique<TSampleConverter>(rate, outChannels, Rate, Channels);
      ConverterRate = rate, ConverterChannels = outChannels;
    }
    Mixed.resize(size_t(got) * outChannels);
    MixDown(pcm, got, channels, Mix, outChannels, Mixed.data());
    const std::vector<float>& converted = Converter->Convert(Mixed.data(), got);
    Pending.insert(Pending.end(), converted.begin(), converted.end());
  }
  return done;
}
