// The three NTLMSSP messages (version 1 responses) exchanged by the web and
// mail clients, each carried as base64 text.
#pragma once
#include <cstdint>
#include <string>

namespace sonvelt::net {

struct TNTLM_Msg2_Info {
  bool Msg2Ok = false;
  std::wstring TargetName, DomainName, ServerName;
  uint8_t Challenge[8] = {};
};

std::string NtlmMessage1(const std::string& workstation, const std::string& domain);
// Offsets and lengths are checked against the message; a message that is no
// challenge or does not hold what it announces gives Msg2Ok false.
TNTLM_Msg2_Info NtlmParseMessage2(const std::string& base64Text);
std::string NtlmMessage3(const std::string& domain, const std::string& workstation, const std::string& user,
                         const uint8_t challenge[8], const std::string& password);
std::string NtlmLmResponse(const std::string& password, const uint8_t challenge[8]);
std::string NtlmNtResponse(const std::string& password, const uint8_t challenge[8]);
// UTF-16LE bytes of a UTF-8 text (for ASCII: every byte followed by a zero).
std::string WidenToUtf16(const std::string& text);

}  // namespace sonvelt::net
