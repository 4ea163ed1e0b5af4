#include <vorbis/codec.h>

#include <cstring>
#include <vector>

#include "engine/codecs/CodecError.h"
#include "engine/codecs/OggEncoder.h"

namespace {

struct TOggRewrite {
  ogg_sync_state Sync;
  ogg_stream_state In, Out;
  vorbis_comment Comment;
  bool InOpen = false, OutOpen = false;
  TOggRewrite() {
    ogg_sync_init(&Sync);
    vorbis_comment_init(&Comment);
  }
  ~TOggRewrite() {
    if (InOpen) ogg_stream_clear(&In);
    if (OutOpen) ogg_stream_clear(&Out);
    vorbis_comment_clear(&Comment);
    ogg_sync_clear(&Sync);
  }
};

struct TPacketCopy {
  std::vector<unsigned char> Data;
  ogg_packet Packet{};
};

void WritePage(TCodecFile& f, const ogg_page& page) {
  f.Write(page.header, size_t(page.header_len));
  f.Write(page.body, size_t(page.body_len));
}

}  // namespace

// Only the header pages are rebuilt; the audio pages are copied as they are,
// with their sequence numbers (and so their checksums) moved when the number
// of header pages changes.
void WriteOggComments(const std::string& path, const TCodecTags& tags) {
  auto broken = [&](const char* why) {
    return ECodecError("The Ogg Vorbis file \"" + path + "\" cannot take new tags: " + why + ".");
  };
  TCodecFile in(path, TCodecFile::TMode::Read);
  TCodecOutputFile out(path);
  TOggRewrite s;
  TPacketCopy headers[3];
  int got = 0, oldHeaderPages = 0, shift = 0;
  long serial = 0;
  ogg_page page;
  auto nextPage = [&]() {
    while (ogg_sync_pageout(&s.Sync, &page) != 1) {
      char* buffer = ogg_sync_buffer(&s.Sync, 65536);
      size_t n = in.Read(buffer, 65536);
      if (n == 0) return false;
      ogg_sync_wrote(&s.Sync, long(n));
    }
    return true;
  };
  while (got < 3) {
    if (!nextPage()) throw broken("its headers are incomplete");
    if (!s.InOpen) {
      serial = ogg_page_serialno(&page);
      ogg_stream_init(&s.In, int(serial));
      s.InOpen = true;
    }
    if (ogg_page_serialno(&page) != serial) throw broken("it holds more than one stream");
    ++oldHeaderPages;
    ogg_stream_pagein(&s.In, &page);
    ogg_packet p;
    while (got < 3 && ogg_stream_packetout(&s.In, &p) == 1) {
      headers[got].Data.assign(p.packet, p.packet + p.bytes);
      headers[got].Packet = p;
      headers[got].Packet.packet = headers[got].Data.data();
      ++got;
    }
    if (got == 3 && ogg_stream_packetpeek(&s.In, nullptr) == 1) throw broken("audio shares a page with its headers");
  }
  if (headers[0].Data.size() < 7 || std::memcmp(headers[0].Data.data(), "\x01vorbis", 7) != 0)
    throw broken("it is not Vorbis audio");

  AddVorbisComments(&s.Comment, tags);
  ogg_packet comment;
  vorbis_commentheader_out(&s.Comment, &comment);
  ogg_stream_init(&s.Out, int(serial));
  s.OutOpen = true;
  ogg_stream_packetin(&s.Out, &headers[0].Packet);
  ogg_stream_packetin(&s.Out, &comment);
  ogg_stream_packetin(&s.Out, &headers[2].Packet);
  ogg_packet_clear(&comment);
  int newHeaderPages = 0;
  ogg_page built;
  while (ogg_stream_flush(&s.Out, &built)) WritePage(out.File(), built), ++newHeaderPages;
  shift = newHeaderPages - oldHeaderPages;

  while (nextPage()) {
    if (shift != 0 && ogg_page_serialno(&page) == serial) {
      uint32_t seq = uint32_t(ogg_page_pageno(&page) + shift);
      for (int i = 0; i < 4; ++i) page.header[18 + i] = (unsigned char)(seq >> (8 * i));
      ogg_page_checksum_set(&page);
    }
    WritePage(out.File(), page);
  }
  in.Close();
  out.Commit();
}
