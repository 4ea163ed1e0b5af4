// The errors of the PNG picture. Each kind derives directly from Exception, so a
// caller can catch exactly the failure it cares about; the texts are fixed.
#pragma once
#include <string>

#include "framework/Exceptions.h"

SONVELT_EXCEPTION(EPngError, Exception)
SONVELT_EXCEPTION(EPngUnexpectedEnd, Exception)
SONVELT_EXCEPTION(EPngInvalidCRC, Exception)
SONVELT_EXCEPTION(EPngInvalidIHDR, Exception)
SONVELT_EXCEPTION(EPNGMissingMultipleIDAT, Exception)
SONVELT_EXCEPTION(EPNGZLIBError, Exception)
SONVELT_EXCEPTION(EPNGInvalidPalette, Exception)
SONVELT_EXCEPTION(EPNGInvalidFileHeader, Exception)
SONVELT_EXCEPTION(EPNGIHDRNotFirst, Exception)
SONVELT_EXCEPTION(EPNGSizeExceeds, Exception)
SONVELT_EXCEPTION(EPNGUnknownCriticalChunk, Exception)
SONVELT_EXCEPTION(EPNGUnknownCompression, Exception)
SONVELT_EXCEPTION(EPNGUnknownInterlace, Exception)
SONVELT_EXCEPTION(EPNGNoImageData, Exception)
SONVELT_EXCEPTION(EPNGHeaderNotPresent, Exception)
SONVELT_EXCEPTION(EPNGOutMemory, Exception)

// The messages, as the user reads them.
namespace PngMessages {
extern const char* const InvalidFileHeader;
extern const char* const UnexpectedEnd;
extern const char* const IHDRNotFirst;
extern const char* const UnknownCriticalChunk;
extern const char* const InvalidCRC;
extern const char* const InvalidIHDR;
extern const char* const SizeExceeds;
extern const char* const UnknownCompression;
extern const char* const UnknownInterlace;
extern const char* const InvalidPalette;
extern const char* const MissingPalette;
extern const char* const UnknownFilter;
extern const char* const MissingMultipleIDAT;
extern const char* const ZLIBError;
extern const char* const NoImageData;
extern const char* const HeaderNotPresent;
extern const char* const OutMemory;
extern const char* const NoPaletteEntry;
extern const char* const ChunksNotCompatible;
extern const char* const CannotResize;
extern const char* const CannotAddCriticalChunk;
extern const char* const CannotAddChunkToInvalidImage;
}  // namespace PngMessages

// Raises exception class E with the given message.
template <class E>
[[noreturn]] void PngFail(const std::string& message) {
  throw E(message);
}
