// String routines on UTF-8 std::string. Positions count from 1, as in the Parts
// (Pos gives 0 when not found; Copy(S, 1, 3) is the first three bytes).
// UpperCase/LowerCase/CompareText/SameText change ASCII letters only; the Ansi forms
// use the user's locale and handle every letter.
#pragma once

#include <string>
#include <string_view>

#include "framework/Set.h"

std::string Trim(std::string_view S);       // drops blanks and control characters
std::string TrimLeft(std::string_view S);
std::string TrimRight(std::string_view S);
std::string UpperCase(std::string_view S);
std::string LowerCase(std::string_view S);
std::string AnsiUpperCase(std::string_view S);
std::string AnsiLowerCase(std::string_view S);
int CompareStr(std::string_view S1, std::string_view S2);   // <0, 0, >0, byte order
int CompareText(std::string_view S1, std::string_view S2);  // ASCII case ignored
bool SameText(std::string_view S1, std::string_view S2);
int AnsiCompareStr(std::string_view S1, std::string_view S2);   // locale order
int AnsiCompareText(std::string_view S1, std::string_view S2);  // locale order, case ignored
bool AnsiSameText(std::string_view S1, std::string_view S2);
std::string QuotedStr(std::string_view S);  // 'It''s'

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
std::string StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                          TReplaceFlags Flags);

int Pos(std::string_view SubStr, std::string_view S);
int PosEx(std::string_view SubStr, std::string_view S, int Offset = 1);
std::string Copy(std::string_view S, int Index, int Count);
std::string StringOfChar(char C, int Count);
// Identifier rules for component names: a letter or '_', then letters, digits, '_'.
bool IsValidIdent(std::string_view Ident);
// Makes every line break CR LF.
std::string AdjustLineBreaks(std::string_view S);
