// Splitting URLs and the small text helpers of the web client.
#pragma once
#include <string>

namespace sonvelt::net {

// Splits a URL; the incoming `path` is the base for "./" and "../" URLs.
void SplitUrl(const std::string& url, std::string& proto, std::string& user, std::string& pass, std::string& host,
              std::string& port, std::string& path);
// 1-based position of the n-th occurrence (n < 0 counts from the end).
int NthPos(const std::string& find, const std::string& text, int n);
bool IsHexDigitChar(char c);
int HexDigitValue(char c);
// The path with its "." and ".." segments resolved (RFC 3986, 5.2.4); the
// query and fragment are kept as they are.
std::string RemoveDotSegments(const std::string& path);
// The path up to and including its last "/" or ":" before any "?".
std::string UrlBaseOf(const std::string& path);

}  // namespace sonvelt::net
