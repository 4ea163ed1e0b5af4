// TPen: the line tool of a canvas. Mode is not part of the GDI pen; the canvas
// applies it as the raster operation (SetROP2) when it selects the pen.
#pragma once

#include <windows.h>

#include "framework/Colors.h"
#include "framework/GdiResourceCache.h"
#include "framework/GraphicsObject.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

// The R2_ code of a pen mode.
int PenModeToROP2(TPenMode Mode);

struct TPenData {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  HGDIOBJ Adopted = nullptr;

  std::size_t Hash() const;
  friend bool operator==(const TPenData&, const TPenData&) = default;
};

class TPen : public TGraphicsObject {
  SONVELT_CLASS(TPen, TGraphicsObject)
public:
  TPen();
  ~TPen() override;

  void Assign(TPersistent* Source) override;

  HPEN GetHandle();
  // Adopts an existing GDI pen (owned from now on); 0 returns to the default pen.
  void SetHandle(HPEN Value);
  bool HandleAllocated() const override;

  TColor GetColor() const { return FData.Data().Color; }
  void SetColor(TColor Value);
  int GetWidth() const { return FData.Data().Width; }
  void SetWidth(int Value);
  TPenStyle GetStyle() const { return FData.Data().Style; }
  void SetStyle(TPenStyle Value);
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode Value);

private:
  void SetData(const TPenData& Data);

  TGdiResourceRef<TPenData> FData;
  TPenMode FMode = pmCopy;
};
