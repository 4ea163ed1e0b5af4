// The CD database protocol's texts: the disc id, the query command, the URL
// coding of the request's words, an answer's lines and the texts of its codes.
// Plain functions, free of the system's headers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "cd/CDTypes.h"

// The standard disc id of a track table.
uint32_t CddbDiscId(const TCDTrackTable& Toc);
// The same as 8 lower-case hexadecimal digits.
std::string CddbDiscIdText(const TCDTrackTable& Toc);
// "cddb query <id> <tracks> <frame offsets...> <seconds>".
std::string CddbQueryCommand(const TCDTrackTable& Toc);
// A blank becomes "+", 0-9, A-Z and a-z stay, every other byte "%XX".
std::string UrlEncodeText(const std::string& Text);
// The text with its last at sign made a blank; empty without one.
std::string AtToBlank(const std::string& Text);
// Lines ended by CR, LF or CR LF; a last line without an end is kept.
std::vector<std::string> StreamToLines(const std::string& Data);
// The status text of a numeric answer code.
std::string CddbResponseText(int Code);
