// Drawing routines of the PNG buttons: fading and greying a picture for a
// disabled look, and drawing it with those options.
#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/Set.h"

class TPNGObject;
class TCanvas;

enum TPngOption { pngBlendOnDisabled, pngGrayscaleOnDisabled };
using TPngOptions = TSet<TPngOption>;

// Scales every alpha value a to round(a / 256 * (level + 1)); the single
// transparent colour, if any, becomes alpha 0. Grey and indexed pictures become RGBA.
void FadePngAlpha(TPNGObject* png, uint8_t level);
// Moves every colour towards its grey value by amount (255: fully grey).
void GreyPngColours(TPNGObject* png, uint8_t amount);
// Draws the picture into rect, faded and/or greyed on a copy when options say so.
void DrawPngWithOptions(TPNGObject* png, TCanvas* canvas, const RECT& rect, TPngOptions options);
