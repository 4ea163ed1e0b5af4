// Drawing images the way menus, toolbars and painters need them: a glyph bitmap
// or an image-list image, masked by its transparent colours or its alpha channel,
// recoloured for a state (disabled, faded, grey, light, shadowed) and blended onto
// what the device context already shows. Alpha blending goes through the
// system's AlphaBlend (bound at run time) with a software road beside it; scaling
// 32-bit pictures uses a Lanczos-3 resampler. Pixels are premultiplied ARGB.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Colors.h"
#include "suite/common/cxBitmap.h"
#include "suite/common/cxCanvas.h"

class TBitmap;
class TCustomImageList;

enum TcxStateImageMode { simNormal, simDisabled, simFaded, simGrey, simLight, simShadow };

void BlitRect(HDC DestDC, HDC SrcDC, const RECT& DestRect, DWORD Rop, POINT SrcPoint);
void DrawBitmapToDC(HDC DestDC, TBitmap* Bitmap, const RECT& DestRect, DWORD Rop, POINT SrcPoint);
int BitsPerPixelOf(TBitmap* Bitmap);
// False when the system has no AlphaBlend.
bool SystemAlphaBlend(HDC DestDC, HDC SrcDC, const RECT& DestRect, const RECT& SrcRect, std::uint8_t Alpha);
void AlphaBlendDC(HDC DestDC, HDC SrcDC, const RECT& DestRect, const RECT& SrcRect, bool Stretch,
                  std::uint8_t Alpha);
void AlphaBlendBitmap(TBitmap* Dest, TBitmap* Source, const RECT& DestRect, const RECT& SrcRect, bool Stretch,
                      std::uint8_t Alpha);
void DrawBitmapAlpha(TBitmap* Source, TBitmap* Dest, const RECT& DestRect, bool Stretch, std::uint8_t Alpha);
// A new 32-bit bitmap of R's size holding the DC's pixels there.
TBitmap* CopyDCAreaToBitmap(HDC DC, const RECT& R);
void StretchBitmapOver(TBitmap* Dest, TBitmap* Source);
bool RectsSameSize(const RECT& R1, const RECT& R2);

// Scales Source onto the whole of Dest: the system's halftone stretching, or the
// Lanczos-3 filter when forced (or when the system lacks halftone).
void ResampleBitmap(TBitmap* Source, TBitmap* Dest, bool ForceLanczos = false);

// One destination's share of the source: (source index, weight x 256).
struct TContributor {
  int Pixel;
  int Weight;
};
using TContributorList = std::vector<std::vector<TContributor>>;
// The Lanczos-3 weights of DestCount destination pixels over SourceCount source
// pixels at Scale; indices past the ends are reflected back inside and each
// destination's weights add up to 256.
TContributorList BuildContributors(int SourceCount, int DestCount, float Scale);
float Lanczos3Kernel(float X);

// Draws a glyph, or image ImageIndex of Images, in one of six modes into
// ImageRect, blended over what lies under DrawRect (or over BackgroundBrush).
void PaintImageWithState(HDC DC, const RECT& ImageRect, const RECT& DrawRect, TBitmap* Glyph,
                         TCustomImageList* Images, int ImageIndex, TcxStateImageMode DrawMode, bool Stretch = false,
                         HBRUSH BackgroundBrush = nullptr, TColor TransparentColor = clNone,
                         bool UseGlyphTransparentColor = true);

// A silhouette of the image in Color, Offset pixels right and down, where the
// image is transparent; with Grow the image grows by Offset to hold all of it.
void AddSilhouetteShadow(TcxBitmap* Image, TcxBitmap* Mask, int Offset, bool Grow, TColor Color);
// Clears to 0 the pixels of Dest where Mask is white.
void EraseByMask(TcxBitmap* Dest, TcxBitmap* Mask);
void HatchRectOnDC(HDC DC, const RECT& R, TColor Color1, TColor Color2, int Step, std::uint8_t Alpha1,
                   std::uint8_t Alpha2);
// The design-time selection mark of a group or item: 0 light green, 1 light red.
void PaintHatchedSwatch(TcxCanvas* Canvas, RECT R, int ColorIndex);

// A copy of a bitmap handle as a DIB section.
HBITMAP CopyBitmapHandle(HBITMAP Bitmap);
