#include "engine/codecs/Id3Tags.h"

#include <algorithm>
#include <cstring>

#include "engine/codecs/CodecError.h"
#include "engine/codecs/CodecFile.h"

namespace {

bool IsEmpty(const TCodecTags& t) {
  return t.Title.empty() && t.Artist.empty() && t.Album.empty() && t.Comment.empty() && t.Year == 0 &&
         t.Genre.empty() && t.GenreIndex < 0;
}

// UTF-8 to code points; a broken sequence gives U+FFFD.
std::vector<char32_t> CodePoints(const std::string& s) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + size_t(extra) >= s.size() + (extra == 0)) {
      out.push_back(0xFFFD), ++i;
      continue;
    }
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      unsigned char d = static_cast<unsigned char>(s[i + size_t(k)]);
      ok = ok && (d & 0xC0) == 0x80;
      cp = (cp << 6) | (d & 0x3F);
    }
    out.push_back(ok ? cp : 0xFFFD);
    i += ok ? size_t(extra) + 1 : 1;
  }
  return out;
}

// Text of a frame: Latin-1 when it fits, else UTF-16 with a byte-order mark.
std::vector<unsigned char> EncodedText(const std::string& s) {
  std::vector<char32_t> cps = CodePoints(s);
  bool latin1 = std::all_of(cps.begin(), cps.end(), [](char32_t c) { return c < 0x100; });
  std::vector<unsigned char> out;
  if (latin1) {
    out.push_back(0);
    for (char32_t c : cps) out.push_back(static_cast<unsigned char>(c));
    return out;
  }
  out = {1, 0xFF, 0xFE};
  auto unit = [&](unsigned u) { out.push_back(u & 0xFF), out.push_back(u >> 8); };
  for (char32_t c : cps) {
    if (c >= 0x10000) {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      unit(unsigned(c));
    }
  }
  return out;
}

void Frame(std::vector<unsigned char>& tag, const char* id, const std::vector<unsigned char>& body) {
  tag.insert(tag.end(), id, id + 4);
  uint32_t n = uint32_t(body.size());
  unsigned char head[6] = {(unsigned char)(n >> 24), (unsigned char)(n >> 16), (unsigned char)(n >> 8),
                           (unsigned char)n, 0, 0};
  tag.insert(tag.end(), head, head + 6);
  tag.insert(tag.end(), body.begin(), body.end());
}

void TextFrame(std::vector<unsigned char>& tag, const char* id, const std::string& text) {
  if (!text.empty()) Frame(tag, id, EncodedText(text));
}

void Latin1Field(unsigned char* at, size_t width, const std::string& s) {
  std::vector<char32_t> cps = CodePoints(s);
  for (size_t i = 0; i < width && i < cps.size(); ++i) at[i] = cps[i] < 0x100 ? (unsigned char)cps[i] : '?';
}

// Size of an ID3v2 tag at the start of head (10 bytes or more), or 0.
size_t Id3v2Size(const unsigned char* head) {
  if (std::memcmp(head, "ID3", 3) != 0 || ((head[6] | head[7] | head[8] | head[9]) & 0x80)) return 0;
  size_t size = (size_t(head[6]) << 21) | (size_t(head[7]) << 14) | (size_t(head[8]) << 7) | head[9];
  return 10 + size + ((head[5] & 0x10) ? 10 : 0);
}

}  // namespace

std::vector<unsigned char> BuildId3v2(const TCodecTags& tags) {
  if (IsEmpty(tags)) return {};
  std::vector<unsigned char> frames;
  TextFrame(frames, "TIT2", tags.Title);
  TextFrame(frames, "TPE1", tags.Artist);
  TextFrame(frames, "TALB", tags.Album);
  if (tags.Year > 0) TextFrame(frames, "TYER", std::to_string(tags.Year));
  TextFrame(frames, "TCON", tags.Genre);
  if (!tags.Comment.empty()) {
    std::vector<unsigned char> text = EncodedText(tags.Comment);
    std::vector<unsigned char> body = {text[0], 'e', 'n', 'g'};
    // An empty description in the comment's own encoding, then the comment.
    if (text[0] == 1) body.insert(body.end(), {0xFF, 0xFE, 0, 0});
    else body.push_back(0);
    body.insert(body.end(), text.begin() + 1, text.end());
    Frame(frames, "COMM", body);
  }
  std::vector<unsigned char> tag = {'I', 'D', '3', 3, 0, 0};
  size_t n = frames.size();
  for (int shift : {21, 14, 7, 0}) tag.push_back((unsigned char)((n >> shift) & 0x7F));
  tag.insert(tag.end(), frames.begin(), frames.end());
  return tag;
}

std::vector<unsigned char> BuildId3v1(const TCodecTags& tags) {
  if (IsEmpty(tags)) return {};
  std::vector<unsigned char> tag(128, 0);
  std::memcpy(tag.data(), "TAG", 3);
  Latin1Field(&tag[3], 30, tags.Title);
  Latin1Field(&tag[33], 30, tags.Artist);
  Latin1Field(&tag[63], 30, tags.Album);
  if (tags.Year > 0 && tags.Year <= 9999) Latin1Field(&tag[93], 4, std::to_string(tags.Year));
  Latin1Field(&tag[97], 28, tags.Comment);  // 1.1: byte 125 zero, 126 the track (none)
  tag[127] = tags.GenreIndex >= 0 && tags.GenreIndex < 255 ? (unsigned char)tags.GenreIndex : 255;
  return tag;
}

void WriteId3Tags(const std::string& path, const TCodecTags& tags) {
  TCodecFile in(path, TCodecFile::TMode::Read);
  int64_t size = in.GetSize();
  unsigned char head[10] = {};
  int64_t start = 0;
  // Skip every ID3v2 tag at the start (some files carry more than one).
  for (;;) {
    in.Seek(start);
    if (in.Read(head, 10) < 10) break;
    size_t skip = Id3v2Size(head);
    if (!skip || start + int64_t(skip) > size) break;
    start += int64_t(skip);
  }
  int64_t end = size;
  if (end - start >= 128) {
    unsigned char tail[3];
    in.Seek(end - 128);
    in.Read(tail, 3);
    if (std::memcmp(tail, "TAG", 3) == 0) end -= 128;
  }
  TCodecOutputFile out(path);
  std::vector<unsigned char> v2 = BuildId3v2(tags), v1 = BuildId3v1(tags);
  out.File().Write(v2.data(), v2.size());
  std::vector<unsigned char> buffer(1 << 20);
  in.Seek(start);
  for (int64_t left = end - start; left > 0;) {
    size_t got = in.Read(buffer.data(), size_t(std::min<int64_t>(left, int64_t(buffer.size()))));
    if (got == 0) throw ECodecError("The file \"" + path + "\" ends unexpectedly.");
    out.File().Write(buffer.data(), got);
    left -= int64_t(got);
  }
  out.File().Write(v1.data(), v1.size());
  in.Close();
  out.Commit();
}
