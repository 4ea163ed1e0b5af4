#include "net/UrlUtils.h"

#include <algorithm>
#include <cctype>

#include "net/MimeUtils.h"

namespace sonvelt::net {
namespace {

std::string DirOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "/" : path.substr(0, slash + 1);
}

}  // namespace

void SplitUrl(const std::string& url, std::string& proto, std::string& user, std::string& pass, std::string& host,
              std::string& port, std::string& path) {
  const std::string oldPath = path;
  proto.clear(); user.clear(); pass.clear(); host.clear(); port.clear(); path.clear();
  if (url.rfind("./", 0) == 0) {
    path = DirOf(oldPath) + url.substr(2);
    return;
  }
  if (url.rfind("../", 0) == 0) {
    std::string base = DirOf(oldPath), rest = url;
    while (rest.rfind("../", 0) == 0) {
      rest = rest.substr(3);
      if (base.size() > 1) base = DirOf(base.substr(0, base.size() - 1));
    }
    path = base + rest;
    return;
  }
  std::string rest;
  size_t sep = url.find("://");
  if (sep != std::string::npos) {
    std::string pre = LowerCase(url.substr(0, sep));
    bool ok = !pre.empty() && std::all_of(pre.begin(), pre.end(), [](char c) {
      return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
    proto = ok ? pre : "http";
    rest = ok ? url.substr(sep + 3) : url;
  } else if (!url.empty() && url[0] == '/') {
    proto = "http";
    if (url.size() < 2 || url[1] != '/') {
      path = url;
      return;
    }
    rest = url.substr(2);
  } else if (StartsTextCi(url, "http:")) {
    proto = "http";
    if (url.size() < 7 || url[6] != '/') {
      path = url.substr(5);
      return;
    }
    rest = url.substr(5);
  } else if (StartsTextCi(url, "mailto:")) {
    proto = "mailto";
    rest = url.substr(url.find(':') + 1);
  } else {
    rest = url;
  }
  size_t cut = std::min(rest.find('/'), rest.find('?'));
  std::string auth = rest.substr(0, cut);
  if (cut != std::string::npos) path = rest.substr(cut);
  size_t at = auth.rfind('@'), colon = auth.rfind(':');
  size_t hostStart = 0;
  if (at != std::string::npos) {
    std::string info = auth.substr(0, at);
    size_t c = info.find(':');
    user = info.substr(0, c);
    if (c != std::string::npos) pass = info.substr(c + 1);
    hostStart = at + 1;
  }
  if (colon != std::string::npos && (at == std::string::npos || colon > at)) {
    port = auth.substr(colon + 1);
    host = auth.substr(hostStart, colon - hostStart);
  } else {
    host = auth.substr(hostStart);
  }
}

int NthPos(const std::string& find, const std::string& text, int n) {
  if (n == 0 || find.empty()) return 0;
  if (n > 0) {
    size_t from = 0;
    for (int k = 0; k < n; ++k) {
      size_t p = text.find(find, from);
      if (p == std::string::npos) return int(text.size()) + 1;
      if (k == n - 1) return int(p) + 1;
      from = p + 1;
    }
  }
  size_t from = std::string::npos;
  for (int k = 0; k < -n; ++k) {
    size_t p = text.rfind(find, from);
    if (p == std::string::npos) return 0;
    if (k == -n - 1) return int(p) + 1;
    if (p == 0) return 0;
    from = p - 1;
  }
  return 0;
}

bool IsHexDigitChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexDigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : (c & 15) + 9; }

std::string RemoveDotSegments(const std::string& path) {
  size_t cut = path.find_first_of("?#");
  std::string in = path.substr(0, cut), out;
  auto dropLastSegment = [&] {
    size_t slash = out.rfind('/');
    out.erase(slash == std::string::npos ? 0 : slash);
  };
  while (!in.empty()) {
    if (in.rfind("../", 0) == 0) in.erase(0, 3);
    else if (in.rfind("./", 0) == 0) in.erase(0, 2);
    else if (in.rfind("/./", 0) == 0) in.erase(0, 2);
    else if (in == "/.") in = "/";
    else if (in.rfind("/../", 0) == 0) {
      in.erase(0, 3);
      dropLastSegment();
    } else if (in == "/..") {
      in = "/";
      dropLastSegment();
    } else if (in == "." || in == "..") {
      in.clear();
    } else {
      size_t next = in.find('/', 1);
      out += in.substr(0, next);
      in.erase(0, next);
    }
  }
  return cut == std::string::npos ? out : out + path.substr(cut);
}

std::string UrlBaseOf(const std::string& path) {
  size_t q = path.find('?');
  std::string head = path.substr(0, q);
  size_t last = head.find_last_of("/:");
  return last == std::string::npos ? std::string() : head.substr(0, last + 1);
}

}  // namespace sonvelt::net
