#include "net/Ntlm.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "framework/Unicode.h"
#include "net/Des.h"
#include "net/Md4.h"
#include "net/MimeUtils.h"

namespace sonvelt::net {
namespace {

void Put16(std::string& m, size_t at, uint32_t v) {
  m[at] = char(v);
  m[at + 1] = char(v >> 8);
}

void Put32(std::string& m, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) m[at + i] = char(v >> (8 * i));
}

void PutBuffer(std::string& m, size_t at, size_t length, size_t offset) {
  Put16(m, at, uint32_t(length));
  Put16(m, at + 2, uint32_t(length));
  Put32(m, at + 4, uint32_t(offset));
}

uint32_t Get16(const std::string& m, size_t at) {
  return uint8_t(m[at]) | uint32_t(uint8_t(m[at + 1])) << 8;
}

uint32_t Get32(const std::string& m, size_t at) { return Get16(m, at) | Get16(m, at + 2) << 16; }

std::wstring BytesToWide(const std::string& m, size_t at, size_t len) {
  std::wstring w;
  for (size_t i = 0; i < len; ++i) w += wchar_t(uint8_t(m[at + i]));
  return w;
}

// Three DES encryptions of the challenge with the 21-byte padded hash.
std::string ThreeDes(std::string hash16, const uint8_t challenge[8]) {
  hash16.resize(21, '\0');
  std::string out;
  for (int i = 0; i < 3; ++i) {
    uint8_t block[8];
    DesWithKey7(challenge, reinterpret_cast<const uint8_t*>(hash16.data()) + 7 * i, block);
    out.append(reinterpret_cast<char*>(block), 8);
  }
  return out;
}

const char kSignature[8] = {'N', 'T', 'L', 'M', 'S', 'S', 'P', 0};

}  // namespace

std::string WidenToUtf16(const std::string& text) {
  std::wstring w = Utf8ToWide(text);
  std::string out;
  for (wchar_t c : w) {
    out += char(c & 0xFF);
    out += char(c >> 8);
  }
  return out;
}

std::string NtlmMessage1(const std::string& workstation, const std::string& domain) {
  std::string ws = UpperCase(workstation), dom = UpperCase(domain);
  std::string m(32, '\0');
  std::memcpy(m.data(), kSignature, 8);
  Put32(m, 8, 1);
  uint32_t flags = 0x8207;
  if (!ws.empty()) {
    flags |= 0x2000;
    PutBuffer(m, 24, ws.size(), 32);
  }
  if (!dom.empty()) {
    flags |= 0x1000;
    PutBuffer(m, 16, dom.size(), 32 + ws.size());
  }
  Put32(m, 12, flags);
  return Base64EncodeText(m + ws + dom);
}

TNTLM_Msg2_Info NtlmParseMessage2(const std::string& base64Text) {
  TNTLM_Msg2_Info info;
  if (base64Text.empty()) return info;
  std::string m = Base64DecodeText(base64Text);
  if (m.size() < 48 || m.compare(0, 8, kSignature, 8) != 0 || Get32(m, 8) != 2) return info;
  size_t tnLen = Get16(m, 12), tnOff = Get32(m, 16);
  size_t tiLen = Get16(m, 40), tiOff = Get32(m, 44);
  if (tnOff > m.size() || tnLen > m.size() - tnOff || tiOff > m.size() || tiLen > m.size() - tiOff) return info;
  info.Msg2Ok = true;
  info.TargetName = BytesToWide(m, tnOff, tnLen);
  std::memcpy(info.Challenge, m.data() + 24, 8);
  size_t at = tiOff, end = tiOff + tiLen;
  while (at + 4 <= end) {
    uint32_t type = Get16(m, at), len = Get16(m, at + 2);
    if (type == 0 || at + 4 + len > end) break;
    if (type == 1) info.ServerName = BytesToWide(m, at + 4, len);
    if (type == 2) info.DomainName = BytesToWide(m, at + 4, len);
    at += 4 + len;
  }
  return info;
}

std::string NtlmLmResponse(const std::string& password, const uint8_t challenge[8]) {
  std::string pw = UpperCase(password).substr(0, 14);
  pw.resize(14, '\0');
  static const uint8_t magic[8] = {'K', 'G', 'S', '!', '@', '#', '$', '%'};
  std::string hash;
  for (int i = 0; i < 2; ++i) {
    uint8_t block[8];
    DesWithKey7(magic, reinterpret_cast<const uint8_t*>(pw.data()) + 7 * i, block);
    hash.append(reinterpret_cast<char*>(block), 8);
  }
  return ThreeDes(hash, challenge);
}

std::string NtlmNtResponse(const std::string& password, const uint8_t challenge[8]) {
  return ThreeDes(Md4OfText(WidenToUtf16(password)), challenge);
}

std::string NtlmMessage3(const std::string& domain, const std::string& workstation, const std::string& user,
                         const uint8_t challenge[8], const std::string& password) {
  std::string dom = WidenToUtf16(domain), usr = WidenToUtf16(user), ws = WidenToUtf16(workstation);
  std::string m(64, '\0');
  std::memcpy(m.data(), kSignature, 8);
  Put32(m, 8, 3);
  size_t off = 64;
  PutBuffer(m, 28, dom.size(), off);
  off += dom.size();
  PutBuffer(m, 36, usr.size(), off);
  off += usr.size();
  PutBuffer(m, 44, ws.size(), off);
  off += ws.size();
  PutBuffer(m, 12, 24, off);
  PutBuffer(m, 20, 24, off + 24);
  Put32(m, 60, 0x8205);
  return Base64EncodeText(m + dom + usr + ws + NtlmLmResponse(password, challenge) +
                          NtlmNtResponse(password, challenge));
}

}  // namespace sonvelt::net
