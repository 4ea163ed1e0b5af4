// Gradients, grips, frames and arrows of the Office 2003 style.
#pragma once

#include <windows.h>

#include "framework/Colors.h"

void PaintRectSolid(HDC DC, const RECT& Rect, TColor Color);
// A one-pixel frame.
void FrameRectSolid(HDC DC, const RECT& Rect, TColor Color);
// Color1 to Color2, left to right when Horizontal, else top to bottom; equal
// colours fill solidly. Drawn by the system's GradientFill when it exists, else in
// at most 256 bands.
void PaintGradientRect(HDC DC, const RECT& Rect, TColor Color1, TColor Color2, bool Horizontal);
// The colour the banded fill gives to the band holding Position (X when
// Horizontal); positions outside the rectangle take the nearest band.
TColor GradientColorAt(const RECT& Rect, int Position, TColor Color1, TColor Color2, bool Horizontal);
// Two halves through a middle colour that lies the scheme's percentage between
// the colours; one-pixel bands.
void PaintTwoStageGradient(HDC DC, const RECT& Rect, TColor Color1, TColor Color2, bool Horizontal);
// Tests see the banded fill through this; real drawing never sets it.
void ForceSoftwareGradient(bool Force);

// The frame of a selected entry.
void Office11FrameSelection(HDC DC, const RECT& Rect);
// A column (Horizontal) or row of 2 x 2 dots every 4 pixels, a light dot under
// each dark one; null brushes mean the scheme's brushes 13 (dark) and 14 (light).
void Office11DrawGripDots(HDC DC, const RECT& Rect, bool Horizontal, HBRUSH DarkBrush = nullptr,
                          HBRUSH LightBrush = nullptr);
// Rows of 3, 2 and 1 dots in the bottom-right corner; clDefault takes the scheme colour.
void Office11DrawGripCorner(HDC DC, const RECT& Rect, TColor DarkColor = clDefault, TColor LightColor = clDefault);
// A filled triangle pointing down or right, sized from the rectangle (at least 3).
void Office11DrawArrowInRect(HDC DC, const RECT& Rect, bool Down, bool Enabled, bool Selected,
                             int Reserved = 0);
void Office11DrawSizedArrow(HDC DC, const RECT& Rect, bool Down, int Size, bool Selected, bool Enabled,
                            int Reserved = 0);
