#include "net/MimeUtils.h"

#include <algorithm>
#include <climits>

#include "net/NetException.h"

namespace sonvelt::net {
namespace {

const char kB64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool InSet(TCharSet set, char c) { return set.find(c) != TCharSet::npos; }

std::string EncodeGroup(const unsigned char* p, size_t n) {
  std::string g;
  uint32_t v = uint32_t(p[0]) << 16 | (n > 1 ? p[1] << 8 : 0) | (n > 2 ? p[2] : 0);
  g += kB64[(v >> 18) & 63];
  g += kB64[(v >> 12) & 63];
  g += n > 1 ? kB64[(v >> 6) & 63] : '=';
  g += n > 2 ? kB64[v & 63] : '=';
  return g;
}

int B64Value(char c) {
  const char* p = std::char_traits<char>::find(kB64, 64, c);
  return p ? int(p - kB64) : 0;  // unknown characters count as 0, as the decoder never rejected them
}

}  // namespace

bool StartsTextCi(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && SameText(std::string_view(text).substr(0, prefix.size()), prefix);
}

std::string ContentTypeOfFile(const std::string& fileName) {
  size_t dot = fileName.rfind('.');
  size_t slash = fileName.find_last_of("\\/:");
  std::string ext = dot == std::string::npos || (slash != std::string::npos && slash > dot)
                        ? std::string()
                        : LowerCase(fileName.substr(dot + 1));
  if (ext == "htm" || ext == "html") return "text/html";
  if (ext == "gif") return "image/gif";
  if (ext == "bmp") return "image/bmp";
  if (ext == "jpg" || ext == "jpeg") return "image/jpeg";
  if (ext == "txt") return "text/plain";
  return "application/octet-stream";
}

TOwnedStream OpenFileStream(const std::string& fileName, unsigned shareMode) {
  return TOwnedStream(TFileStream::Create(fileName, fmOpenRead | shareMode));
}

void CloseFileStream(TOwnedStream& stream) { stream.reset(); }

std::string Base64EncodeText(const std::string& text) {
  std::string out;
  size_t pos = 0;
  Base64EncodeSlice(text, SIZE_MAX, pos, out);
  return out;
}

void Base64EncodeSlice(const std::string& text, size_t limit, size_t& pos, std::string& out) {
  auto* p = reinterpret_cast<const unsigned char*>(text.data());
  while (pos < text.size() && out.size() < limit) {
    out += EncodeGroup(p + pos, std::min<size_t>(3, text.size() - pos));
    pos += 3;
  }
}

std::string Base64DecodeText(const std::string& text) {
  std::string out;
  char group[4];
  int n = 0;
  for (char c : text) {
    if (c == '\r' || c == '\n') continue;
    group[n++] = c;
    if (n < 4) continue;
    n = 0;
    uint32_t v = B64Value(group[0]) << 18 | B64Value(group[1]) << 12 | B64Value(group[2]) << 6 | B64Value(group[3]);
    out += char(v >> 16);
    if (group[2] == '=') continue;
    out += char(v >> 8);
    if (group[3] == '=') continue;
    out += char(v);
  }
  return out;
}

std::string Base64LineOfStream(TStream& stream, bool& more) {
  // The line's 54 bytes in one read where the stream gives them: a read per
  // group of three costs a system call each on a file.
  unsigned char buf[54];
  int got = 0;
  while (got < int(sizeof buf)) {
    int n = stream.Read(buf + got, int(sizeof buf) - got);
    if (n <= 0) break;
    got += n;
  }
  std::string line;
  line.reserve(72);
  for (int at = 0; at < got; at += 3) line += EncodeGroup(buf + at, size_t(std::min(3, got - at)));
  more = got == int(sizeof buf);
  return line;
}

bool NeedsEncoding(const std::string& text) {
  for (unsigned char c : text)
    if (c != 9 && c != 10 && c != 13 && (c < ' ' || c > '~')) return true;
  return false;
}

void QuotedPrintableLine(const std::string& text, size_t maxLen, TCharSet specials, bool blankAsUnderscore,
                         size_t& pos, bool limited, std::string& out) {
  static const char hex[] = "0123456789ABCDEF";
  out.clear();
  bool softBreak = false;
  // One place is kept for the soft-break "=".
  auto room = [&] { return maxLen > out.size() + 1 ? maxLen - out.size() - 1 : 0; };
  for (; pos < text.size(); ++pos) {
    unsigned char c = static_cast<unsigned char>(text[pos]);
    if (c == ' ' && blankAsUnderscore) {
      // Encoded words may not hold a blank, so the underscore wins over copying.
      if (limited && room() < 1) { softBreak = true; break; }
      out += '_';
    } else if (c >= ' ' && c <= '~' && c != '=' && !InSet(specials, char(c))) {
      if (limited && room() < 1) { softBreak = true; break; }
      out += char(c);
    } else {
      if (limited && room() < 3) { softBreak = true; break; }
      out += '=';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  if (softBreak) out += '=';
}

std::string HdrEncodeInLine(const std::string& text, TCharSet specials, char kind, bool fold, int maxCol,
                            const std::string& charSet) {
  static const char hex[] = "0123456789ABCDEF";
  if (fold && maxCol < 25) maxCol = 25;
  if (charSet.size() < 4) throw ENetException("Function 'HdrEncodeInLine', invalid CharSet: " + charSet);
  if (kind != 'B' && kind != 'Q')
    throw ENetException(std::string("Function 'HdrEncodeInLine', invalid EncType: ") + kind);
  const std::string prefix = "=?" + LowerCase(charSet) + "?" + kind + "?";
  if (text.empty()) return kind == 'Q' ? std::string() : prefix + "?=";
  // An encoded word holds at most 75 characters and whole characters only;
  // folded, each fits its line (the ones after the first start with a TAB).
  auto room = [&](bool first) {
    int word = std::min(fold ? maxCol - (first ? 0 : 1) : 75, 75);
    return std::max<int>(word - int(prefix.size()) - 2, kind == 'B' ? 4 : 3);
  };
  const bool utf8 = SameText(charSet, "utf-8") || SameText(charSet, "utf8");
  auto characterEnd = [&](size_t i) {
    size_t j = i + 1;
    if (utf8 && (uint8_t(text[i]) & 0xC0) == 0xC0)
      while (j < text.size() && j - i < 4 && (uint8_t(text[j]) & 0xC0) == 0x80) ++j;
    return j;
  };
  std::string result, piece;
  auto flush = [&] {
    if (kind == 'B') piece = Base64EncodeText(piece);
    if (!result.empty()) result += fold ? "\r\n\t" : " ";
    result += prefix + piece + "?=";
    piece.clear();
  };
  size_t pieceBytes = 0;  // B: the text bytes of the piece
  for (size_t i = 0, j; i < text.size(); i = j) {
    j = characterEnd(i);
    std::string unit;
    if (kind == 'Q') {
      for (size_t k = i; k < j; ++k) {
        auto c = uint8_t(text[k]);
        // The blank, "?", "=" and "_" have meanings of their own inside a word.
        if (c == ' ') unit += '_';
        else if (c > ' ' && c <= '~' && c != '=' && c != '?' && c != '_' && !InSet(specials, char(c))) unit += char(c);
        else unit += {'=', hex[c >> 4], hex[c & 15]};
      }
      if (!piece.empty() && int(piece.size() + unit.size()) > room(result.empty())) flush();
      piece += unit;
    } else {
      int bytes = room(result.empty()) / 4 * 3;
      if (pieceBytes > 0 && int(pieceBytes + (j - i)) > bytes) {
        flush();
        pieceBytes = 0;
      }
      piece.append(text, i, j - i);
      pieceBytes += j - i;
    }
  }
  flush();
  return result;
}

std::string NextFoldPiece(const std::string& text, const std::string& breakText, TCharSet breakChars,
                          TCharSet quoteChars, size_t& pos, int maxCol) {
  size_t start = pos, cut = NetNoPosition, i = pos;
  int col = 0;
  bool forced = false;
  char quote = 0;
  const std::string lowBreak = LowerCase(breakText);
  while (true) {
    if (i >= text.size()) {
      pos = NetNoPosition;
      return start < text.size() ? text.substr(start) : std::string();
    }
    char c = text[i];
    ++col;
    if (quote) {
      if (c == quote) quote = 0;
    } else if (InSet(quoteChars, c)) {
      quote = c;
    } else {
      if (InSet(breakChars, c)) cut = i;
      size_t bl = lowBreak.size();
      if (bl && i + 1 >= start + bl && LowerCase(text.substr(i + 1 - bl, bl)) == lowBreak) {
        forced = true;
        cut = i;
      }
    }
    ++i;
    if (quote || (!forced && (col <= maxCol || cut == NetNoPosition))) continue;
    std::string piece = text.substr(start, cut - start + 1);
    if (forced) piece.resize(piece.size() - breakText.size());
    pos = cut + 1;
    return piece;
  }
}

void FoldHdrLine(TStrings* lines, const std::string& text) {
  size_t pos = 0;
  bool first = true;
  while (pos != NetNoPosition && pos < text.size()) {
    std::string piece = Trim(NextFoldPiece(text, "\r\n\t", "\t ,;>]", "", pos, 76));
    lines->Add(first ? piece : "\t" + piece);
    first = false;
  }
}

std::string FoldString(const std::string& text, TCharSet breakChars, int maxCol) {
  std::string out;
  size_t pos = 0;
  while (pos != NetNoPosition && pos < text.size()) {
    std::string piece = Trim(NextFoldPiece(text, "\r\n\t", breakChars, "", pos, maxCol));
    out += out.empty() ? piece : "\r\n\t" + piece;
  }
  return out;
}

}  // namespace sonvelt::net
