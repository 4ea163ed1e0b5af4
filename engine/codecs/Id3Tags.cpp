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

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6)), out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12)), out += char(0x80 | ((c >> 6) & 0x3F)), out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18)), out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F)), out += char(0x80 | (c & 0x3F));
  }
}

std::string Latin1ToUtf8(const unsigned char* p, size_t n) {
  std::string out;
  for (size_t i = 0; i < n && p[i]; ++i) AppendUtf8(out, p[i]);
  return out;
}

std::string Utf16ToUtf8(const unsigned char* p, size_t n, bool bigEndian) {
  std::string out;
  for (size_t i = 0; i + 1 < n; i += 2) {
    char32_t u = bigEndian ? char32_t(p[i] << 8 | p[i + 1]) : char32_t(p[i] | p[i + 1] << 8);
    if (u == 0) break;
    if (u >= 0xD800 && u < 0xDC00 && i + 3 < n) {
      char32_t lo = bigEndian ? char32_t(p[i + 2] << 8 | p[i + 3]) : char32_t(p[i + 2] | p[i + 3] << 8);
      if (lo >= 0xDC00 && lo < 0xE000) {
        AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, u >= 0xD800 && u < 0xE000 ? 0xFFFD : u);
  }
  return out;
}

// One string of a frame in its encoding, from p; at the end, where the next begins.
std::string FrameText(int encoding, const unsigned char*& p, const unsigned char* end) {
  const bool wide = encoding == 1 || encoding == 2;
  const unsigned char* stop = p;
  if (wide) {
    while (stop + 1 < end && (stop[0] | stop[1])) stop += 2;
  } else {
    while (stop < end && *stop) ++stop;
  }
  const unsigned char* next = std::min(end, stop + (wide ? 2 : 1));
  std::string text;
  if (encoding == 0) {
    text = Latin1ToUtf8(p, size_t(stop - p));
  } else if (encoding == 3) {
    text.assign(p, stop);
  } else {
    bool big = encoding == 2;
    if (encoding == 1 && stop - p >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF))) {
      big = p[0] == 0xFE;
      p += 2;
    }
    text = Utf16ToUtf8(p, size_t(stop - p), big);
  }
  p = next;
  return text;
}

std::vector<unsigned char> RemoveUnsynchronisation(const unsigned char* p, size_t n) {
  std::vector<unsigned char> out;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    out.push_back(p[i]);
    if (p[i] == 0xFF && i + 1 < n && p[i + 1] == 0) ++i;
  }
  return out;
}

// The comment with an empty description, else the first one, of an ID3v2 tag.
std::string Id3v2Comment(const std::vector<unsigned char>& whole) {
  const int version = whole[3];
  if (version < 2 || version > 4) return "";
  std::vector<unsigned char> tag(whole.begin() + 10, whole.end());
  if (whole[5] & 0x80 && version < 4) tag = RemoveUnsynchronisation(tag.data(), tag.size());
  size_t at = 0;
  if (whole[5] & 0x40 && version > 2 && tag.size() >= 4) {  // an extended header
    size_t n = version == 3 ? 4 + (size_t(tag[0]) << 24 | size_t(tag[1]) << 16 | size_t(tag[2]) << 8 | tag[3])
                            : (size_t(tag[0]) << 21 | size_t(tag[1]) << 14 | size_t(tag[2]) << 7 | tag[3]);
    at = n;
  }
  const size_t head = version == 2 ? 6 : 10;
  std::string first;
  while (at + head <= tag.size() && tag[at] != 0) {
    const unsigned char* f = &tag[at];
    size_t size = version == 2 ? (size_t(f[3]) << 16 | size_t(f[4]) << 8 | f[5])
                  : version == 3 ? (size_t(f[4]) << 24 | size_t(f[5]) << 16 | size_t(f[6]) << 8 | f[7])
                                 : (size_t(f[4] & 0x7F) << 21 | size_t(f[5] & 0x7F) << 14 | size_t(f[6] & 0x7F) << 7 |
                                    (f[7] & 0x7F));
    if (size > tag.size() - at - head) break;
    const bool comment = version == 2 ? std::memcmp(f, "COM", 3) == 0 : std::memcmp(f, "COMM", 4) == 0;
    // Compressed or encrypted frames (and v2.4's data-length prefix) are not for us.
    const bool plain = version == 2 || (version == 3 ? (f[9] & 0xC0) == 0 : (f[9] & 0x0D) == 0);
    if (comment && plain && size >= 5) {
      std::vector<unsigned char> body(f + head, f + head + size);
      if (version == 4 && (f[9] & 0x02)) body = RemoveUnsynchronisation(body.data(), body.size());
      const int encoding = body[0];
      if (encoding <= 3) {
        const unsigned char* p = body.data() + 4;  // after the encoding and the language
        const unsigned char* end = body.data() + body.size();
        std::string description = FrameText(encoding, p, end);
        std::string text = FrameText(encoding, p, end);
        if (description.empty() && !text.empty()) return text;
        if (first.empty()) first = text;
      }
    }
    at += head + size;
  }
  return first;
}

}  // namespace

TId3Comments ReadId3Comments(TCodecFile& file) {
  TId3Comments c;
  const int64_t size = file.GetSize();
  unsigned char head[10] = {};
  file.Seek(0);
  if (file.Read(head, 10) == 10) {
    // Tags larger than any real one are damage, not text worth reading.
    if (size_t n = Id3v2Size(head); n > 10 && int64_t(n) <= size && n <= (16u << 20)) {
      std::vector<unsigned char> tag(n);
      file.Seek(0);
      if (file.Read(tag.data(), n) == n) c.V2 = Id3v2Comment(tag);
    }
  }
  if (size >= 128) {
    unsigned char v1[128];
    file.Seek(size - 128);
    if (file.Read(v1, 128) == 128 && std::memcmp(v1, "TAG", 3) == 0)
      c.V1 = Latin1ToUtf8(v1 + 97, v1[125] == 0 && v1[126] != 0 ? 28 : 30);
  }
  while (!c.V1.empty() && c.V1.back() == ' ') c.V1.pop_back();
  return c;
}

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
