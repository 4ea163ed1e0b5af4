// The device library's exceptions, and the texts of the wave and audio-compression
// error codes: ACMCheck<EACMConversionError>(acmStreamOpen(...), "Opening") raises
// "Opening\r\nThe selected audio format is not supported on this machine." for 32.
#pragma once

#include <string>

#include "framework/Exceptions.h"

SONVELT_EXCEPTION(EACMError, Exception)
SONVELT_EXCEPTION(EACMCodecError, EACMError)
SONVELT_EXCEPTION(EACMConversionError, EACMError)
SONVELT_EXCEPTION(EACMAudioIOError, EACMError)
SONVELT_EXCEPTION(EACMAudioInError, EACMAudioIOError)
SONVELT_EXCEPTION(EACMAudioOutError, EACMAudioIOError)

// The message for a non-zero code; a context that is not empty comes first, on a
// line of its own.
std::string ACMErrorText(unsigned Code, const std::string& Context);

template <class E>
void ACMCheck(unsigned Code, const std::string& Context) {
  if (Code != 0) throw E(ACMErrorText(Code, Context));
}
