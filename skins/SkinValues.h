// The value forms of a skin description (an INI-style store): rectangles and
// points as comma-separated digits, flags, font styles, alignments, numbered
// lists, text lines and the word values of stretching, morphing and the
// inactive effect; and the small rectangle helpers every skin routine uses.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Font.h"
#include "framework/Label.h"

class TCustomIniFile;
class TStrings;

inline int RectWidth(const RECT& R) { return R.right - R.left; }
inline int RectHeight(const RECT& R) { return R.bottom - R.top; }
inline bool IsNullRect(const RECT& R) { return RectWidth(R) < 1 || RectHeight(R) < 1; }
inline bool IsNullPoint(const POINT& P) { return P.x == 0 || P.y == 0; }
inline constexpr RECT NullRect{0, 0, 0, 0};

// Only the digits of each comma-separated piece count (blanks and minus signs
// are dropped). Fewer pieces than fields, an empty piece or a number beyond 32
// bits raise EConvertError; pieces beyond the fields are ignored.
RECT StrToSkinRect(const std::string& S);
POINT StrToSkinPoint(const std::string& S);

RECT ReadSkinRect(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident);
void WriteSkinRect(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, const RECT& Value);
POINT ReadSkinPoint(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident);
void WriteSkinPoint(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, const POINT& Value);
// True only for the integer 1.
bool ReadSkinBoolean(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident);
void WriteSkinBoolean(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, bool Value);
// "fsbold", "fsitalic", "fsunderline", "fsstrikeout" anywhere in the text
// (case-sensitive); written joined by ",".
TFontStyles ReadSkinFontStyles(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident);
void WriteSkinFontStyles(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                         TFontStyles Value);
// "tacenter" (also when missing) centre, "taleftjustify" left, anything else right.
TAlignment ReadSkinAlignment(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident);
void WriteSkinAlignment(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                        TAlignment Value);

// The numbers k below Count for which the section has the key Prefix + k, in
// number order. Counts come from the description itself, so only keys that
// exist are visited, however large the count.
std::vector<int> NumberedKeys(TCustomIniFile* Ini, const std::string& Section, const std::string& Prefix,
                              int Count);
// Ident + "linecount" lines under Ident + "line" + i, appended to Lines.
void ReadSkinStrings(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, TStrings* Lines);
void WriteSkinStrings(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, TStrings* Lines);
// Ident + "count" entries under "0", "1", ..., appended to List.
void ReadSkinList(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, TStrings* List);

// The word values. A missing key gives the first word of the table; an unknown
// word gives the value the description format fixes for it.
enum TspStretchType { spstFull, spstHorz, spstVert };
enum TspMorphKind { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };
enum TspInactiveEffect { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };
TspStretchType ReadStretchType(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident);
void WriteStretchType(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                      TspStretchType Value);
TspMorphKind ReadMorphKind(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident);
void WriteMorphKind(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident, TspMorphKind Value);
TspInactiveEffect ReadInactiveEffect(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident);
void WriteInactiveEffect(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                         TspInactiveEffect Value);

// A word table: Words[i] is written for value i; reading a word not among
// Known gives Other, a missing key gives Missing.
struct TSkinWordTable {
  std::vector<std::string> Words;
  size_t Known;  // how many of Words are read back (the rest are written only)
  int Other;
  int Missing;
};
int ReadSkinWord(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                 const TSkinWordTable& Table);
void WriteSkinWord(TCustomIniFile* Ini, const std::string& Section, const std::string& Ident,
                   const TSkinWordTable& Table, int Value);
extern const TSkinWordTable StretchTypeWords, MorphKindWords, InactiveEffectWords, FramesPlacementWords,
    RegulatorKindWords, GaugeKindWords, CommandWords;

// Whether the store has all of VERSION, PICTURES, FORMINFO, SKINOBJECTS and SKINCONTROLS.
bool IsSkinIni(TCustomIniFile* Ini);
