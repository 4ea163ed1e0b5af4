#include "engine/codecs/HeaderlessDecoder.h"

#include <vector>

#include "engine/codecs/CodecError.h"

namespace {

constexpr int kG7231FrameSamples = 240;
constexpr size_t kChunkBytes = 16384;

}  // namespace

int G7231FrameBytes(unsigned char first) {
  static const int bytes[4] = {24, 20, 4, 1};
  return bytes[first & 3];
}

THeaderlessDecoder::THeaderlessDecoder(const std::string& path)
    : Path(path), File(std::make_unique<TCodecFile>(path, TCodecFile::TMode::Read)), Packet(av_packet_alloc()) {
  std::string ext = CodecFileExtension(path);
  Size = File->GetSize();
  AVCodecID id = AV_CODEC_ID_NONE;
  int bits = 0;
  if (ext == ".raw") {
    id = AV_CODEC_ID_PCM_S16LE, Rate = 44100, Channels = 2, bits = 16;
    Length = Size / 4;
  } else if (ext == ".vox") {
    id = AV_CODEC_ID_ADPCM_IMA_OKI, bits = 4;
    Length = Size * 2;
  } else if (ext == ".g721" || ext == ".g726") {
    id = AV_CODEC_ID_ADPCM_G726LE, bits = 4;
    Length = Size * 2;
  } else if (ext == ".g723") {
    id = AV_CODEC_ID_G723_1, G7231 = true;
    // The frames say their own sizes: walk them for the exact length.
    std::vector<unsigned char> all(static_cast<size_t>(Size));
    File->Read(all.data(), all.size());
    for (size_t at = 0; at < all.size(); at += size_t(G7231FrameBytes(all[at])))
      if (at + size_t(G7231FrameBytes(all[at])) <= all.size()) Length += kG7231FrameSamples;
    File->Seek(0);
  } else {
    throw ECodecError("The file \"" + path + "\" is of a kind that cannot be opened.");
  }
  if (Size == 0) throw ECodecError("The file \"" + path + "\" is empty.");
  BitRate = Length ? int(Size * 8 * Rate / Length) : 0;
  TAVCodecPtr decoder = OpenAVDecoder(nullptr, id, Rate, Channels, bits);
  if (!decoder) throw ECodecError("The decoder for \"" + path + "\" is missing.");
  if (id == AV_CODEC_ID_PCM_S16LE) decoder->block_align = 4;
  Audio = std::make_unique<TDecodedAudio>(std::move(decoder), path);
}

size_t THeaderlessDecoder::NextPacket() {
  size_t want = kChunkBytes;
  if (G7231) {
    unsigned char first = 0;
    if (File->Read(&first, 1) == 0) return 0;
    File->Seek(File->GetPosition() - 1);
    want = size_t(G7231FrameBytes(first));
  } else if (Channels == 2) {
    want -= want % 4;
  }
  if (av_new_packet(Packet.get(), int(want)) < 0) throw ECodecError("Out of memory while reading \"" + Path + "\".");
  size_t got = File->Read(Packet->data, want);
  if (Channels == 2) got -= got % 4;  // a cut-off last frame is dropped
  if (G7231 && got < want) got = 0;   // so is a cut-off G.723.1 frame
  av_shrink_packet(Packet.get(), int(got));
  return got;
}

int64_t THeaderlessDecoder::Read(float* out, int64_t frames) {
  while (Audio->GetQueuedFrames() < frames && !Ended) {
    size_t got = NextPacket();
    bool ok = got == 0 ? (Ended = true, Audio->Feed(nullptr)) : Audio->Feed(Packet.get());
    av_packet_unref(Packet.get());
    if (!ok) throw ECodecError("The file \"" + Path + "\" is damaged: its audio data cannot be decoded.");
  }
  return Audio->Take(out, frames);
}
