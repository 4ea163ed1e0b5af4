// TBrush: the fill tool of a canvas. A brush with a Bitmap fills with that bitmap
// as an 8x8 pattern; the bitmap is not owned, and its pattern is taken when it is
// set, so later changes to the bitmap need setting it again and freeing the
// bitmap does not disturb the brush.
#pragma once

#include <windows.h>

#include "framework/Colors.h"
#include "framework/GdiResourceCache.h"
#include "framework/GraphicsObject.h"

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

struct TBrushData {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  HGDIOBJ Adopted = nullptr;  // an outside or pattern brush, owned by the entry

  std::size_t Hash() const;
  friend bool operator==(const TBrushData&, const TBrushData&) = default;
};

class TBrush : public TGraphicsObject {
  SONVELT_CLASS(TBrush, TGraphicsObject)
public:
  TBrush();
  ~TBrush() override;

  void Assign(TPersistent* Source) override;

  HBRUSH GetHandle();
  // Adopts an existing GDI brush (owned from now on); 0 returns to the default.
  void SetHandle(HBRUSH Value);
  bool HandleAllocated() const override;

  TColor GetColor() const { return FBitmap ? FPatternColor : FData.Data().Color; }
  // Setting a colour on a clear brush makes it solid.
  void SetColor(TColor Value);
  TBrushStyle GetStyle() const { return FData.Data().Style; }
  // Drops the pattern bitmap.
  void SetStyle(TBrushStyle Value);
  TBitmap* GetBitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value);

private:
  void SetData(const TBrushData& Data);

  TGdiResourceRef<TBrushData> FData;
  TBitmap* FBitmap = nullptr;   // only compared and handed back, never used after it is set
  TColor FPatternColor = clWhite;  // the colour while a pattern bitmap is set
};

// A shared 8x8 checkerboard of two colours for Brush.SetBitmap (the halftone
// pattern of sizing frames and checked buttons). Owned by the framework, kept
// until the program ends.
TBitmap* AllocPatternBitmap(TColor BkColor, TColor FgColor);
