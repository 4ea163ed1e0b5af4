#include "engine/codecs/CodecError.h"
#include "engine/codecs/WmaEncoder.h"

namespace {

struct TRemux {
  AVFormatContext* In = nullptr;
  AVFormatContext* Out = nullptr;
  ~TRemux() {
    if (In) avformat_close_input(&In);
    if (Out) avformat_free_context(Out);
  }
};

}  // namespace

// ASF keeps its attributes in the header before the packets: the packets are
// copied as they are into a new file with the new header.
void WriteAsfTags(const std::string& path, const TCodecTags& tags) {
  auto fail = [&](const std::string& what, int r) {
    return ECodecError("Cannot put tags into \"" + path + "\": " + what + " (" + AVErrorText(r) + ").");
  };
  TCodecFile in(path, TCodecFile::TMode::Read);
  TAVFileIO inIO(in, false);
  TCodecOutputFile out(path);
  TRemux m;
  {
    TAVFileIO outIO(out.File(), true);
    m.In = avformat_alloc_context();
    m.In->pb = inIO.Get();
    m.In->flags |= AVFMT_FLAG_CUSTOM_IO;
    if (int r = avformat_open_input(&m.In, nullptr, av_find_input_format("asf"), nullptr); r < 0) {
      m.In = nullptr;
      throw fail("it is not a WMA file", r);
    }
    if (int r = avformat_find_stream_info(m.In, nullptr); r < 0) throw fail("its streams are unreadable", r);
    if (int r = avformat_alloc_output_context2(&m.Out, nullptr, "asf", nullptr); r < 0) throw fail("no ASF writer", r);
    m.Out->pb = outIO.Get();
    m.Out->flags |= AVFMT_FLAG_CUSTOM_IO;
    for (unsigned i = 0; i < m.In->nb_streams; ++i) {
      AVStream* s = avformat_new_stream(m.Out, nullptr);
      avcodec_parameters_copy(s->codecpar, m.In->streams[i]->codecpar);
      s->codecpar->codec_tag = 0;
      s->time_base = m.In->streams[i]->time_base;
    }
    SetAsfMetadata(&m.Out->metadata, tags);
    if (int r = avformat_write_header(m.Out, nullptr); r < 0) throw fail("the header", r);
    TAVPacketPtr packet(av_packet_alloc());
    while (av_read_frame(m.In, packet.get()) >= 0) {
      AVStream* from = m.In->streams[packet->stream_index];
      av_packet_rescale_ts(packet.get(), from->time_base, m.Out->streams[packet->stream_index]->time_base);
      packet->pos = -1;
      if (int r = av_interleaved_write_frame(m.Out, packet.get()); r < 0) throw fail("the audio", r);
    }
    if (int r = av_write_trailer(m.Out); r < 0) throw fail("the end of the file", r);
    avio_flush(outIO.Get());
    avformat_free_context(m.Out);
    m.Out = nullptr;
  }
  avformat_close_input(&m.In);
  in.Close();
  out.Commit();
}
