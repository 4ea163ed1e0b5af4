// Routines every painter and control of the suite shares: named colours and
// system-colour blends, text measuring, fitting, wrapping and shortening (UTF-8
// through the wide API), GDI object descriptions, font helpers and painting a
// parent's background under a transparent control.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Colors.h"

class TcxCanvas;
class TControl;
class TFont;
class TStrings;

// ---- colours
bool FindNamedColor(const std::string& Name, TColor& Color);
// Weights are signed percentages of the button face, highlight and window
// colours; a black or white face answers the highlight colour.
TColor BlendSystemColors(int FaceWeight, int HighlightWeight, int WindowWeight);
// The face colour of pressed and hot ultra-flat buttons.
TColor HighlightBlendColor();
TColor LightHighlightBlendColor();
int ClampChannel(int V);

// ---- text (a DC of 0 measures on the shared screen canvas where said)
// Count -1 draws the whole text, else its first Count characters.
int DrawTextOnDC(HDC DC, const std::string& Text, RECT& R, UINT Format, int Count = -1);
bool TextOutClipped(HDC DC, const std::string& Text, POINT P, int Count, UINT Options, const RECT* ClipRect);
bool TextExtentOfString(HDC DC, const std::string& Text, SIZE& Size, int Count = -1);
SIZE TextSizeOnDC(HDC DC, const std::string& Text);
int TextWidthInFont(TFont* Font, const std::string& Text, int PointSize = 0);
void MeasureTextInFont(TFont* Font, const std::string& Text, int PointSize, SIZE& Size);
// The smallest rectangle that holds Text in at most Rows lines.
void FitTextRect(HDC DC, const std::string& Text, int Rows, RECT& R, bool UseRowsHeight = false);
void FitTextRectInFont(TFont* Font, const std::string& Text, int Rows, RECT& R);
// The rectangle Text needs in Font with the suite's text flags (R's width
// bounds word-broken text).
void FitTextRectInFont(TFont* Font, const std::string& Text, unsigned Flags, RECT& R);
// Splits Text at word breaks into lines no wider than R.
void WrapTextToLines(const std::string& Text, TcxCanvas* Canvas, const RECT& R, TStrings* Lines);
// Text shortened to MaxWidth with a trailing "..." (at least one character kept).
void EllipsisText(HDC DC, HFONT Font, const std::string& Text, std::string& Result, int MaxWidth);
void InvalidateRectOf(HWND Wnd, const RECT* R, bool Erase);
// Index 0 vertical, 1 horizontal pixels per inch of the screen.
int ScreenPixelsPerInch(int Index);

// ---- GDI object descriptions
bool ReadBitmapInfo(HBITMAP Bitmap, BITMAP& Info);
bool ReadLogBrush(HBRUSH Brush, LOGBRUSH& Info);
inline bool ReadBrushInfo(HBRUSH Brush, LOGBRUSH& Info) { return ReadLogBrush(Brush, Info); }
bool ReadFontInfo(HFONT Font, LOGFONTW& Info);
bool ReadPenInfo(HPEN Pen, LOGPEN& Info);

// ---- fonts
bool IsFarEastOrArabicCharset(std::uint8_t Charset, const std::string& FontName);
void ResetFontToDefault(TFont* Font);

// ---- rectangles
// Borders holds four widths (left, top, right, bottom).
void ShrinkByBorders(RECT& R, const RECT& Borders);

// ---- parents
// Paints into Canvas what Control's parent (and, with PaintSiblings, the
// windowed siblings below it) shows under R, R in Control's coordinates.
void PaintParentBackground(TControl* Control, TcxCanvas* Canvas, RECT R, bool PaintSiblings = false);
