#include "engine/codecs/VorbisDecoder.h"

#include <vorbis/vorbisfile.h>

#include <cstdlib>
#include <cstring>

#include "engine/codecs/CodecError.h"

struct TVorbisDecoder::TState {
  OggVorbis_File Vf;
  bool Open = false;
  ~TState() {
    if (Open) ov_clear(&Vf);
  }
};

namespace {

size_t ReadCallback(void* ptr, size_t size, size_t n, void* source) {
  try {
    return static_cast<TCodecFile*>(source)->Read(ptr, size * n) / (size ? size : 1);
  } catch (const ECodecError&) {
    return 0;
  }
}

// The sample position at the end of the last whole page of the first stream.
int64_t LastGranule(TCodecFile& f) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  ogg_page page;
  int64_t last = 0;
  long serial = -1;
  for (;;) {
    int r = ogg_sync_pageout(&sync, &page);
    if (r == 1) {
      if (serial < 0) serial = ogg_page_serialno(&page);
      if (ogg_page_serialno(&page) == serial && ogg_page_granulepos(&page) > 0) last = ogg_page_granulepos(&page);
      continue;
    }
    char* buffer = ogg_sync_buffer(&sync, 65536);
    size_t n = f.Read(buffer, 65536);
    if (n == 0) break;
    ogg_sync_wrote(&sync, long(n));
  }
  ogg_sync_clear(&sync);
  return last;
}

std::string Comment(vorbis_comment* vc, const char* key) {
  const char* v = vorbis_comment_query(vc, key, 0);
  return v ? v : "";
}

}  // namespace

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
      State(std::make_unique<TState>()) {
  // The length comes from the pages' own sample counts; the decoder then
  // reads straight through, which also serves a file cut off at the end.
  Length = LastGranule(*File);
  File->Seek(0);
  ov_callbacks io = {ReadCallback, nullptr, nullptr, nullptr};
  if (ov_open_callbacks(File.get(), &State->Vf, nullptr, 0, io) != 0)
    throw ECodecError("The file \"" + path + "\" is damaged or is not Ogg Vorbis audio.");
  State->Open = true;
  vorbis_info* vi = ov_info(&State->Vf, -1);
  if (!vi || vi->channels < 1 || vi->rate <= 0)
    throw ECodecError("The file \"" + path + "\" is damaged: it has no sample rate or channels.");
  Rate = int(vi->rate), FileChannels = vi->channels, Channels = vi->channels == 1 ? 1 : 2;
  BitRate = int(vi->bitrate_nominal > 0 ? vi->bitrate_nominal : ov_bitrate(&State->Vf, -1));
  if (FileChannels > 2) SetUpDownmix();
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

// Vorbis orders channels as 3: L C R; 4: L R RL RR; 5: L C R RL RR; 6: L C R RL RR
// LFE; 7: L C R SL SR RC LFE; 8: L C R SL SR RL RR LFE. Left ones go left, right
// ones right, the centres to both at -3 dB; each side is then scaled to unity.
void TVorbisDecoder::SetUpDownmix() {
  static const char* const kSides[9] = {"", "", "", "LCR", "LRLR", "LCRLR", "LCRLRC", "LCRLRCC", "LCRLRLRC"};
  const char* sides = FileChannels <= 8 ? kSides[FileChannels] : "";
  Mix.assign(size_t(FileChannels), {0.0f, 0.0f});
  float sumL = 0, sumR = 0;
  for (int c = 0; c < FileChannels; ++c) {
    char side = sides[0] ? sides[c] : (c % 2 ? 'R' : 'L');
    Mix[size_t(c)] = side == 'L' ? std::array<float, 2>{1, 0} : side == 'R' ? std::array<float, 2>{0, 1}
                                                                              : std::array<float, 2>{0.7071f, 0.7071f};
    sumL += Mix[size_t(c)][0], sumR += Mix[size_t(c)][1];
  }
  for (auto& m : Mix) m[0] /= sumL, m[1] /= sumR;
}

int64_t TVorbisDecoder::Read(float* out, int64_t frames) {
  int64_t done = 0;
  while (done < frames) {
    float** pcm = nullptr;
    int section = 0;
    long got = ov_read_float(&State->Vf, &pcm, int(std::min<int64_t>(frames - done, 4096)), &section);
    if (got == OV_HOLE) continue;  // a gap in the stream: go on after it
    if (got < 0) throw ECodecError("The file \"" + Path + "\" is damaged: its audio data cannot be decoded.");
    if (got == 0) break;
    float* dst = out + done * Channels;
    for (long i = 0; i < got; ++i) {
      if (Channels == 1) {
        dst[i] = pcm[0][i];
      } else if (FileChannels == 2) {
        dst[2 * i] = pcm[0][i], dst[2 * i + 1] = pcm[1][i];
      } else {
        float l = 0, r = 0;
        for (int c = 0; c < FileChannels; ++c) l += Mix[size_t(c)][0] * pcm[c][i], r += Mix[size_t(c)][1] * pcm[c][i];
        dst[2 * i] = l, dst[2 * i + 1] = r;
      }
    }
    done += got;
  }
  return done;
}
