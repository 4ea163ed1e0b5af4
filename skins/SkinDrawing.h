// Drawing a skin: composing a rectangle of a skin picture into an image of
// another size (corners copied, edges and middle tiled or stretched, always as
// whole pieces), window regions from black-and-white masks, the parent's
// background under a control, and the glyph and caption of a button face.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "skins/SkinValues.h"

class TBitmap;
class TCanvas;
class TControl;
class TCustomImageList;

// A skin rectangle S of a picture, its client rectangle C and the four points
// that mark the repeatable part of each frame edge (C and the points relative
// to S's top-left).
struct TSkinGeometry {
  RECT S{};
  RECT C{};
  POINT LT{}, RT{}, LB{}, RB{};
};

// The same frame laid out for a target size.
struct TSkinLayout {
  POINT NLT{}, NRT{}, NLB{}, NRB{};
  RECT NC{};
};

struct TSkinStretch {
  bool Left = false, Top = false, Right = false, Bottom = false;
  bool Effect = false;  // the client area is stretched (by Type) rather than tiled
  TspStretchType Type = spstFull;
};

// The largest image a skin is drawn into: a skin rectangle or control beyond
// it comes from a damaged skin, and making its bitmap would only fail.
inline constexpr int MaxSkinImageSide = 8192;
inline constexpr int64_t MaxSkinImagePixels = int64_t(1) << 24;
bool SkinImageSizeOk(int W, int H);
// Sizes Bitmap to W x H; false (and the bitmap as it was) for a size beyond the limits.
bool SizeSkinBitmap(TBitmap* Bitmap, int W, int H);

// Copies Source of Picture onto Dest of Target, stretched when the sizes differ
// (nearest pixel). Empty rectangles copy nothing.
void CopySkinPiece(TBitmap* Target, const RECT& Dest, TBitmap* Picture, const RECT& Source);
// Copies of Picture's Source repeated along X from A to B (Horizontal) or along
// Y: a copy that would pass B is cut there. A piece of length 0 draws nothing.
void TileSkinPiece(TBitmap* Target, TBitmap* Picture, const RECT& Source, bool Horizontal, int A, int B,
                   int Across0, int Across1);

// Nine-slice composition into Target, which it sizes to W x H.
void ComposeSkinImage(TBitmap* Target, int W, int H, TBitmap* Picture, const TSkinGeometry& G,
                      const TSkinLayout& L, const TSkinStretch& Stretch, bool DrawClient);
// Three-slice compositions: left part a and right part b columns (top and
// bottom rows for V) kept, the middle stretched or tiled.
void ComposeSkinImageH(TBitmap* Target, int W, TBitmap* Picture, const RECT& S, int A, int B, bool StretchEffect);
void ComposeSkinImageV(TBitmap* Target, int H, TBitmap* Picture, const RECT& S, int A, int B, bool StretchEffect);
// Target is already sized: S is stretched so that its frame (C) keeps its width.
void StretchSkinFrame(TBitmap* Target, TBitmap* Picture, const RECT& S, const RECT& C);

// A region of the mask's black pixels, one rectangle per run of a row, moved by
// (DX, DY). The caller owns it (or hands it to a window). Null for an empty mask.
HRGN RegionFromMask(TBitmap* Mask, int DX, int DY);
// The mask's four border strips composed for a new size (tiled, never
// stretched) and their black pixels joined to the new client rectangle. Null
// when the new points cross.
HRGN RegionFromMaskBorders(TBitmap* Mask, const TSkinGeometry& G, const TSkinLayout& L, int W, int H);

// Paints into Canvas what lies under Control: its parent's background and
// painting, then the windowless siblings below Control that overlap it.
void DrawParentBackground(TControl* Control, TCanvas* Canvas);

// Where a glyph and a caption go in R. Layout 0 glyph left, 1 right, 2 top,
// 3 bottom; Margin -1 centres them as a group.
void LayoutGlyphAndCaption(const RECT& R, int Layout, int Margin, int Spacing, int GlyphW, int GlyphH, int TextW,
                           int TextH, POINT& GlyphPos, POINT& TextPos);
void DrawImageGlyphAndCaption(TCanvas* Canvas, const RECT& R, int Margin, TColor UnderlineColor, bool Underline,
                              bool Enabled, bool Pressed, TCustomImageList* Images, int ImageIndex,
                              const std::string& Caption, int Layout, int Spacing);
void DrawBitmapGlyphAndCaption(TCanvas* Canvas, const RECT& R, int Margin, TColor UnderlineColor, bool Underline,
                               bool Pressed, TBitmap* Glyph, int NumGlyphs, int GlyphState,
                               const std::string& Caption, int Layout, int Spacing);
// State K (from 1) of a strip of N equal glyphs, drawn transparent in its
// bottom-left pixel's colour.
void DrawGlyphState(TCanvas* Canvas, int X, int Y, int K, int N, TBitmap* Strip);

void DrawSkinText(TCanvas* Canvas, const std::string& Text, const RECT& R);
void DrawCheckSquare(TCanvas* Canvas, int X, int Y, TColor Color);
void DrawCheckMark(TCanvas* Canvas, int X, int Y, TColor Color);
