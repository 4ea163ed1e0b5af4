#include "framework/Pen.h"

#include <cstdint>
#include <vector>

int PenModeToROP2(TPenMode Mode) {
  static const int codes[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                              R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                              R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                              R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
  return codes[Mode];
}

std::size_t TPenData::Hash() const {
  std::size_t h = static_cast<std::size_t>(Color);
  h = HashCombine(h, static_cast<std::size_t>(Width));
  h = HashCombine(h, static_cast<std::size_t>(Style));
  return HashCombine(h, reinterpret_cast<std::size_t>(Adopted));
}

TPen::TPen() : FData(TPenData{}) {}

TPen::~TPen() = default;

void TPen::SetData(const TPenData& Data) {
  if (FData.Set(Data)) Changed();
  FData.ReleaseRetired();
}

void TPen::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TPen*>(Source)) {
    bool changed = FData.Set(src->FData);
    if (FMode != src->FMode) {
      FMode = src->FMode;
      changed = true;
    }
    if (changed) Changed();
    FData.ReleaseRetired();
    return;
  }
  TGraphicsObject::Assign(Source);
}

HPEN TPen::GetHandle() {
  return static_cast<HPEN>(FData.Realize([](const TPenData& d) -> HGDIOBJ {
    if (d.Adopted) return d.Adopted;
    static const UINT styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    LOGPEN lp{styles[d.Style], {d.Width, 0}, static_cast<COLORREF>(ColorToRGB(d.Color))};
    return CreatePenIndirect(&lp);
  }));
}

bool TPen::HandleAllocated() const { return FData.Allocated(); }

void TPen::SetHandle(HPEN Value) {
  if (Value && Value == FData.Handle()) return;
  if (!Value) {
    SetData(TPenData{});
    return;
  }
  LOGPEN lp{};
  if (GetObjectType(Value) == OBJ_EXTPEN) {
    // Pens made by ExtCreatePen describe themselves in the longer form.
    int size = GetObjectW(Value, 0, nullptr);
    std::vector<std::uint8_t> buf(size > 0 ? static_cast<std::size_t>(size) : 0);
    if (buf.size() < sizeof(EXTLOGPEN) - sizeof(DWORD) || GetObjectW(Value, size, buf.data()) != size) return;
    const auto* ep = reinterpret_cast<const EXTLOGPEN*>(buf.data());
    lp.lopnStyle = ep->elpPenStyle;
    lp.lopnWidth.x = static_cast<LONG>(ep->elpWidth);
    lp.lopnColor = ep->elpColor;
  } else if (GetObjectW(Value, sizeof lp, &lp) != sizeof lp) {
    return;  // not a pen: keep ours
  }
  TPenData d;
  d.Color = static_cast<TColor>(lp.lopnColor);
  d.Width = lp.lopnWidth.x;
  switch (lp.lopnStyle & PS_STYLE_MASK) {
    case PS_DASH: d.Style = psDash; break;
    case PS_DOT: d.Style = psDot; break;
    case PS_DASHDOT: d.Style = psDashDot; break;
    case PS_DASHDOTDOT: d.Style = psDashDotDot; break;
    case PS_NULL: d.Style = psClear; break;
    case PS_INSIDEFRAME: d.Style = psInsideFrame; break;
    default: d.Style = psSolid; break;
  }
  d.Adopted = Value;
  if (FData.Adopt(Value, d)) Changed();
  FData.ReleaseRetired();
}

void TPen::SetColor(TColor Value) {
  TPenData d = FData.Data();
  d.Adopted = nullptr;
  d.Color = Value;
  if (d.Color != GetColor()) SetData(d);
}

void TPen::SetWidth(int Value) {
  if (Value < 0 || Value == GetWidth()) return;
  TPenData d = FData.Data();
  d.Adopted = nullptr;
  d.Width = Value;
  SetData(d);
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == GetStyle()) return;
  TPenData d = FData.Data();
  d.Adopted = nullptr;
  d.Style = Value;
  SetData(d);
}

void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  Changed();
}
