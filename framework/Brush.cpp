#include "framework/Brush.h"

#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "framework/Bitmap.h"

std::size_t TBrushData::Hash() const {
  std::size_t h = static_cast<std::size_t>(Color);
  h = HashCombine(h, static_cast<std::size_t>(Style));
  return HashCombine(h, reinterpret_cast<std::size_t>(Adopted));
}

TBrush::TBrush() : FData(TBrushData{}) {}

TBrush::~TBrush() = default;

void TBrush::SetData(const TBrushData& Data) {
  if (FData.Set(Data)) Changed();
  FData.ReleaseRetired();
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TBrush*>(Source)) {
    bool colorChanged = src->FBitmap && src->FPatternColor != FPatternColor;
    FBitmap = src->FBitmap;
    FPatternColor = src->FPatternColor;
    if (FData.Set(src->FData) || colorChanged) Changed();
    FData.ReleaseRetired();
    return;
  }
  TGraphicsObject::Assign(Source);
}

HBRUSH TBrush::GetHandle() {
  return static_cast<HBRUSH>(FData.Realize([](const TBrushData& d) -> HGDIOBJ {
    if (d.Adopted) return d.Adopted;
    COLORREF rgb = static_cast<COLORREF>(ColorToRGB(d.Color));
    switch (d.Style) {
      case bsSolid: return CreateSolidBrush(rgb);
      case bsClear: return GetStockObject(NULL_BRUSH);
      default: {
        static const int hatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
        return CreateHatchBrush(hatches[d.Style - bsHorizontal], rgb);
      }
    }
  }));
}

bool TBrush::HandleAllocated() const { return FData.Allocated(); }

void TBrush::SetHandle(HBRUSH Value) {
  if (Value && Value == FData.Handle()) return;
  FBitmap = nullptr;
  if (!Value) {
    SetData(TBrushData{});
    return;
  }
  LOGBRUSH lb{};
  if (GetObjectW(Value, sizeof lb, &lb) != sizeof lb) return;  // not a brush: keep ours
  TBrushData d;
  d.Color = static_cast<TColor>(lb.lbColor);
  if (lb.lbStyle == BS_NULL) d.Style = bsClear;
  else if (lb.lbStyle == BS_HATCHED && lb.lbHatch <= HS_DIAGCROSS) d.Style = static_cast<TBrushStyle>(bsHorizontal + lb.lbHatch);
  d.Adopted = Value;
  if (FData.Adopt(Value, d)) Changed();
  FData.ReleaseRetired();
}

void TBrush::SetColor(TColor Value) {
  if (FBitmap) {
    // The pattern is the bitmap's, taken when it was set; the colour only
    // serves the canvas's background.
    if (Value == FPatternColor) return;
    FPatternColor = Value;
    Changed();
    return;
  }
  if (Value == GetColor() && GetStyle() != bsClear) return;
  TBrushData d = FData.Data();
  d.Color = Value;
  d.Adopted = nullptr;
  if (d.Style == bsClear) d.Style = bsSolid;
  SetData(d);
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == GetStyle() && !FBitmap && !FData.Data().Adopted) return;
  TBrushData d = FData.Data();
  if (FBitmap) d.Color = FPatternColor;
  FBitmap = nullptr;
  d.Style = Value;
  d.Adopted = nullptr;
  SetData(d);
}

void TBrush::SetBitmap(TBitmap* Value) {
  if (!Value) {
    if (FBitmap) SetStyle(bsSolid);
    return;
  }
  TColor color = GetColor();
  FBitmap = Value;
  FPatternColor = color;
  TBrushData d = FData.Data();
  d.Style = bsSolid;
  d.Adopted = CreatePatternBrush(Value->GetHandle());
  SetData(d);
}

TBitmap* AllocPatternBitmap(TColor BkColor, TColor FgColor) {
  static std::mutex lock;
  // Leaked on purpose: brushes of static objects may still point at them at exit.
  static auto* patterns = new std::map<std::pair<TColor, TColor>, TBitmap*>;
  std::lock_guard<std::mutex> guard(lock);
  TBitmap*& bmp = (*patterns)[{BkColor, FgColor}];
  if (!bmp) {
    bmp = TBitmap::Create();
    bmp->SetWidth(8);
    bmp->SetHeight(8);
    TCanvas* c = bmp->GetCanvas();
    c->GetBrush()->SetColor(BkColor);
    c->FillRect(RECT{0, 0, 8, 8});
    for (int y = 0; y < 8; ++y)
      for (int x = (y & 1); x < 8; x += 2) c->SetPixels(x, y, FgColor);
  }
  return bmp;
}
