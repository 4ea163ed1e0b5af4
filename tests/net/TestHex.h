// Hex helpers shared by the digest and cipher test tables.
#pragma once
#include <string>

#include "net/Md5.h"

inline std::string Hex(const std::string& bytes) { return sonvelt::net::BytesToHexLower(bytes); }

inline std::string Unhex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out += char(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}
