#include "engine/codecs/FFmpegDecoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" {
#include <libavutil/intreadwrite.h>
}

#include "engine/codecs/CodecError.h"
#include "engine/codecs/Id3Tags.h"
#include "engine/codecs/MusepackHeader.h"

namespace {

std::string Tag(const AVDictionary* a, const AVDictionary* b, std::initializer_list<const char*> keys) {
  for (const char* key : keys)
    for (const AVDictionary* d : {a, b})
      if (const AVDictionaryEntry* e = av_dict_get(d, key, nullptr, 0); e && *e->value) return e->value;
  return "";
}

}  // namespace

TFFmpegDecoder::TFFmpegDecoder(const std::string& path) : Path(path), Packet(av_packet_alloc()) {
  Open();
  const AVStream* st = Format->streams[Stream];
  const std::string kind = Format->iformat->name;
  // MPEG audio announces its length with the encoder's delay and padding,
  // which the decoder trims: count what it will give.
  const bool mpegAudio = kind == "mp3";
  // Musepack's is rounded down to whole packets of up to 16 frames: count the
  // packets, then take the header's exact count of samples as far as they reach.
  const bool musepack = kind == "mpc8" || kind == "mpc";
  // WMA's counts the encoder's last block whole, which its decoder does not
  // give: only decoding tells.
  const bool wma = kind == "asf";
  if (musepack) {
    TCodecFile header(Path, TCodecFile::TMode::Read);
    TMusepackHeader h = ReadMusepackHeader(header);
    if (h.Samples >= 0) Limit = h.Samples - h.Silence;
    Delay = kMusepackDecoderDelay + h.Silence;
    Audio->SkipFrames(Delay);
  }
  if (!mpegAudio && !musepack && !wma && st->duration != AV_NOPTS_VALUE &&
      Format->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE) {
    Length = av_rescale_q(st->duration, st->time_base, AVRational{1, GetRate()});
  } else {
    // So can a duration guessed from the bit rate (no frame-count header in
    // the file): count the frames, then start again.
    Length = wma ? -1 : CountFrames();
    if (Length < 0) {  // a file cut short: decode it to know
      Close();
      Open();
      try {
        Length = CountDecodedFrames();
      } catch (...) {
        Close();  // the destructor does not run for a failed constructor
        throw;
      }
    }
    Close();
    Open();
    st = Format->streams[Stream];
  }
  // A WAV file's fact chunk counts the samples of its compressed data, less
  // than the whole blocks the decoder gives.
  if (kind == "wav" && Limit < 0) Limit = Length;
  if (Limit >= 0) Length = std::min(Length, Limit);
  BitRate = int(st->codecpar->bit_rate > 0 ? st->codecpar->bit_rate : Format->bit_rate);
  const AVDictionary* fm = Format->metadata;
  const AVDictionary* sm = st->metadata;
  Tags.Title = Tag(fm, sm, {"title"});
  Tags.Artist = Tag(fm, sm, {"artist", "author", "album_artist"});
  Tags.Album = Tag(fm, sm, {"album"});
  Tags.Comment = Tag(fm, sm, {"comment", "description"});
  Tags.Genre = Tag(fm, sm, {"genre"});
  Tags.Year = std::atoi(Tag(fm, sm, {"date", "year", "WM/Year"}).substr(0, 4).c_str());
  if (mpegAudio) {
    // The demuxer drops a comment it cannot read, and with it the ID3v1 one.
    TCodecFile f(Path, TCodecFile::TMode::Read);
    TId3Comments c = ReadId3Comments(f);
    if (!c.V2.empty() || Tags.Comment.empty()) Tags.Comment = c.V2.empty() ? c.V1 : c.V2;
  }
}

TFFmpegDecoder::~TFFmpegDecoder() { Close(); }

void TFFmpegDecoder::Unreadable(const std::string& why) const {
  throw ECodecError("The file \"" + Path + "\" is damaged or its format is not supported (" + why + ").");
}

void TFFmpegDecoder::Open() {
  try {
    OpenParts();
  } catch (...) {
    Close();  // the destructor does not run for a failed constructor
    throw;
  }
}

void TFFmpegDecoder::OpenParts() {
  File = std::make_unique<TCodecFile>(Path, TCodecFile::TMode::Read);
  if (File->GetSize() == 0) Unreadable("the file is empty");
  IO = std::make_unique<TAVFileIO>(*File, false);
  Format = avformat_alloc_context();
  Format->pb = IO->Get();
  Format->flags |= AVFMT_FLAG_CUSTOM_IO;
  // The name only helps the format probe; the file is read through IO.
  if (int r = avformat_open_input(&Format, Path.c_str(), nullptr, nullptr); r < 0) {
    Format = nullptr;  // freed by the failed open
    Unreadable(AVErrorText(r));
  }
  if (int r = avformat_find_stream_info(Format, nullptr); r < 0) Unreadable(AVErrorText(r));
  Stream = av_find_best_stream(Format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (Stream < 0) Unreadable("no audio in it");
  const AVCodecParameters* par = Format->streams[Stream]->codecpar;
  if (par->sample_rate <= 0 || par->ch_layout.nb_channels <= 0) Unreadable("no sample rate or channels");
  TAVCodecPtr decoder = OpenAVDecoder(par);
  if (!decoder) Unreadable("its coding is not supported");
  Audio = std::make_unique<TDecodedAudio>(std::move(decoder), Path);
  Audio->SkipFrames(Delay);
  Ended = false;
  Delivered = 0;
}

void TFFmpegDecoder::Close() {
  Audio.reset();
  if (Format) avformat_close_input(&Format);
  IO.reset();
  File.reset();
}

int64_t TFFmpegDecoder::CountFrames() {
  const AVStream* st = Format->streams[Stream];
  int64_t total = 0, trimmed = 0;
  while (av_read_frame(Format, Packet.get()) >= 0) {
    // A Musepack stream closes with an end packet, so an audio packet that
    // reaches the end of the file was cut short: what it gives is unknown.
    if (std::strcmp(Format->iformat->name, "mpc8") == 0 && Packet->pos + Packet->size >= File->GetSize()) {
      av_packet_unref(Packet.get());
      return -1;
    }
    if (Packet->stream_index == Stream) {
      total += Packet->duration;
      size_t size = 0;
      if (const uint8_t* skip = av_packet_get_side_data(Packet.get(), AV_PKT_DATA_SKIP_SAMPLES, &size); skip && size >= 8)
        trimmed += int64_t(AV_RL32(skip)) + int64_t(AV_RL32(skip + 4));
    }
    av_packet_unref(Packet.get());
  }
  return std::max<int64_t>(0, av_rescale_q(total, st->time_base, AVRational{1, GetRate()}) - trimmed - Delay);
}

int64_t TFFmpegDecoder::CountDecodedFrames() {
  std::vector<float> block(size_t(4096) * GetChannels());
  int64_t total = 0;
  for (int64_t n; (n = Read(block.data(), 4096)) > 0;) total += n;
  return total;
}

int64_t TFFmpegDecoder::Read(float* out, int64_t frames) {
  if (Limit >= 0) frames = std::min(frames, Limit - Delivered);  // the rest is the last frame's padding
  while (Audio->GetQueuedFrames() < frames && !Ended) {
    int r = av_read_frame(Format, Packet.get());
    if (r < 0) {
      Ended = true;
      Audio->Feed(nullptr);
      if (Audio->NothingDecodable()) Unreadable("its audio data cannot be decoded");
      break;
    }
    bool ok = Packet->stream_index != Stream || Audio->Feed(Packet.get());
    av_packet_unref(Packet.get());
    if (!ok) Unreadable("its audio data cannot be decoded");
  }
  int64_t n = Audio->Take(out, frames);
  Delivered += n;
  return n;
}
