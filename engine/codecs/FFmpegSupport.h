// Owning handles and shared helpers for the FFmpeg libraries.
#pragma once
#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include "engine/codecs/CodecFile.h"

struct TAVPacketFree { void operator()(AVPacket* p) const { av_packet_free(&p); } };
struct TAVFrameFree { void operator()(AVFrame* f) const { av_frame_free(&f); } };
struct TAVCodecFree { void operator()(AVCodecContext* c) const { avcodec_free_context(&c); } };
struct TSwrFree { void operator()(SwrContext* s) const { swr_free(&s); } };
using TAVPacketPtr = std::unique_ptr<AVPacket, TAVPacketFree>;
using TAVFramePtr = std::unique_ptr<AVFrame, TAVFrameFree>;
using TAVCodecPtr = std::unique_ptr<AVCodecContext, TAVCodecFree>;
using TSwrPtr = std::unique_ptr<SwrContext, TSwrFree>;

std::string AVErrorText(int error);

// FFmpeg's byte I/O over a TCodecFile, so that file names go through the wide API.
class TAVFileIO {
 public:
  TAVFileIO(TCodecFile& file, bool writing);
  ~TAVFileIO();
  AVIOContext* Get() const { return Context; }

 private:
  static int ReadPacket(void* opaque, uint8_t* buf, int size);
  static int WritePacket(void* opaque, uint8_t* buf, int size);
  static int64_t SeekTo(void* opaque, int64_t offset, int whence);
  TCodecFile& File;
  AVIOContext* Context = nullptr;
};

// An opened decoder of codec id with the given stream parameters (when par is
// null, rate, channels and bitsPerSample describe the headerless stream).
TAVCodecPtr OpenAVDecoder(const AVCodecParameters* par, AVCodecID id = AV_CODEC_ID_NONE, int rate = 0,
                          int channels = 0, int bitsPerSample = 0);
