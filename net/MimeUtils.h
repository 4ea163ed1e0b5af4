// MIME coding for the mail and web clients: content types, base64,
// quoted-printable, encoded header words and header folding. Text is 8-bit;
// positions are 0-based byte offsets.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/OwnedObject.h"
#include "framework/Streams.h"
#include "framework/StringLists.h"
#include "framework/StringUtils.h"

namespace sonvelt::net {

using TCharSet = std::string_view;  // the characters of a set, in any order
constexpr size_t NetNoPosition = std::string::npos;

std::string ContentTypeOfFile(const std::string& fileName);
using TOwnedStream = TOwned<TStream>;
// Opens for reading with one of the fmShare* modes; raises EFOpenError.
TOwnedStream OpenFileStream(const std::string& fileName, unsigned shareMode);
void CloseFileStream(TOwnedStream& stream);

std::string Base64EncodeText(const std::string& text);
// Appends 4-character groups from `pos` while the output is shorter than limit.
void Base64EncodeSlice(const std::string& text, size_t limit, size_t& pos, std::string& out);
std::string Base64DecodeText(const std::string& text);
// One line of at most 72 characters from the stream; `more` tells whether a
// full group was read last.
std::string Base64LineOfStream(TStream& stream, bool& more);

bool NeedsEncoding(const std::string& text);
void QuotedPrintableLine(const std::string& text, size_t maxLen, TCharSet specials, bool blankAsUnderscore,
                         size_t& pos, bool limited, std::string& out);
// RFC 2047 encoded words of at most 75 characters (and within maxCol when
// folded), each holding whole characters; joined by CR LF TAB when folded,
// else by a blank. Raises ENetException for a bad kind or charset name.
std::string HdrEncodeInLine(const std::string& text, TCharSet specials, char kind, bool fold, int maxCol,
                            const std::string& charSet);
// The next piece of `text` from `pos` (see the folding rules); `pos` becomes
// NetNoPosition when the text is used up.
std::string NextFoldPiece(const std::string& text, const std::string& breakText, TCharSet breakChars,
                          TCharSet quoteChars, size_t& pos, int maxCol);
void FoldHdrLine(TStrings* lines, const std::string& text);
std::string FoldString(const std::string& text, TCharSet breakChars, int maxCol);

bool StartsTextCi(const std::string& text, const std::string& prefix);

}  // namespace sonvelt::net
