// Drawing routines of the PNG buttons: fading and greying a picture for a
// disabled look, and drawing it with those options.
#pragma once
#include <windows.h>

#include <cstdint>

#include <string>

#include "framework/Set.h"
#include "framework/SpeedButton.h"

class TPNGObject;
class TPngPicture;
class TCanvas;
class TCustomImageList;

enum TPngOption { pngBlendOnDisabled, pngGrayscaleOnDisabled };
using TPngOptions = TSet<TPngOption>;

// Scales every alpha value a to round(a / 256 * (level + 1)); the single
// transparent colour, if any, becomes alpha 0. Grey and indexed pictures become
// RGBA. Works on either PNG picture class.
void FadePngAlpha(TPngPicture* png, uint8_t level);
// Moves every colour towards its grey value by amount (255: fully grey).
void GreyPngColours(TPngPicture* png, uint8_t amount);
// Draws the picture into rect, faded and/or greyed on a copy when options say so.
void DrawPngWithOptions(TPNGObject* png, TCanvas* canvas, const RECT& rect, TPngOptions options);

// The picture of an image list's icon: its colour bitmap as RGBA, opaque where
// the icon's mask is black.
void PngFromImageListIcon(TPNGObject* png, TCustomImageList* images, int index);

// Where a button draws its picture and its caption. Margin -1 centres them
// (Spacing -1 spreads them evenly); pressed or down moves both by a pixel.
void LayOutPngButton(TCanvas* canvas, TPNGObject* png, const RECT& client, bool pressed, bool down,
                     const std::string& caption, TButtonLayout layout, int margin, int spacing, UINT textFlags,
                     POINT& glyphPos, RECT& textRect);
