#include "engine/codecs/FFmpegSupport.h"

#include <cstring>

#include "engine/codecs/CodecError.h"

namespace {

// Errors reach the user through ECodecError; FFmpeg's own log lines would only
// go to a console nobody sees.
const bool kQuietLog = (av_log_set_level(AV_LOG_QUIET), true);

}  // namespace

std::string AVErrorText(int error) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(error, text, sizeof text);
  return text;
}

TAVFileIO::TAVFileIO(TCodecFile& file, bool writing) : File(file) {
  constexpr int kBufferSize = 64 * 1024;
  auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
  Context = avio_alloc_context(buffer, kBufferSize, writing ? 1 : 0, this, writing ? nullptr : &ReadPacket,
                               writing ? &WritePacket : nullptr, &SeekTo);
  if (!Context) {
    av_free(buffer);
    throw ECodecError("Out of memory while opening \"" + file.GetPath() + "\".");
  }
}

TAVFileIO::~TAVFileIO() {
  if (Context) av_freep(&Context->buffer);
  avio_context_free(&Context);
}

int TAVFileIO::ReadPacket(void* opaque, uint8_t* buf, int size) {
  auto* self = static_cast<TAVFileIO*>(opaque);
  try {
    size_t got = self->File.Read(buf, size_t(size));
    return got ? int(got) : AVERROR_EOF;
  } catch (const ECodecError&) {
    return AVERROR(EIO);
  }
}

int TAVFileIO::WritePacket(void* opaque, uint8_t* buf, int size) {
  auto* self = static_cast<TAVFileIO*>(opaque);
  try {
    self->File.Write(buf, size_t(size));
    return size;
  } catch (const ECodecError&) {
    return AVERROR(EIO);
  }
}

int64_t TAVFileIO::SeekTo(void* opaque, int64_t offset, int whence) {
  auto* self = static_cast<TAVFileIO*>(opaque);
  try {
    switch (whence & ~AVSEEK_FORCE) {
      case AVSEEK_SIZE: return self->File.GetSize();
      case SEEK_SET: break;
      case SEEK_CUR: offset += self->File.GetPosition(); break;
      case SEEK_END: offset += self->File.GetSize(); break;
      default: return AVERROR(EINVAL);
    }
    self->File.Seek(offset);
    return offset;
  } catch (const ECodecError&) {
    return AVERROR(EIO);
  }
}

TAVCodecPtr OpenAVDecoder(const AVCodecParameters* par, AVCodecID id, int rate, int channels, int bitsPerSample) {
  const AVCodec* codec = avcodec_find_decoder(par ? par->codec_id : id);
  if (!codec) return nullptr;
  TAVCodecPtr ctx(avcodec_alloc_context3(codec));
  if (!ctx) return nullptr;
  if (par) {
    if (avcodec_parameters_to_context(ctx.get(), par) < 0) return nullptr;
  } else {
    ctx->sample_rate = rate;
    av_channel_layout_default(&ctx->ch_layout, channels);
    ctx->bits_per_coded_sample = bitsPerSample;
  }
  if (avcodec_open2(ctx.get(), codec, nullptr) < 0) return nullptr;
  return ctx;
}
