// Exception classes of the protocol library. The HTTP client's also carries a
// 16-bit code beside its message.
#pragma once
#include <cstdint>
#include <string>

#include "framework/Exceptions.h"

namespace sonvelt::net {

SONVELT_EXCEPTION(ENetException, Exception)
SONVELT_EXCEPTION(ESocketException, ENetException)
SONVELT_EXCEPTION(SmtpException, ENetException)
SONVELT_EXCEPTION(MD4Exception, ENetException)
SONVELT_EXCEPTION(ELoggerException, ENetException)
SONVELT_EXCEPTION(EHttpContentCodingException, ENetException)

class EHttpException : public ENetException {
  SONVELT_CLASS(EHttpException, ENetException)
public:
  EHttpException(const std::string& msg, uint16_t code) : ENetException(msg), ErrorCode(code) {}
  uint16_t ErrorCode;
};

}  // namespace sonvelt::net
