#include "suite/common/cxCanvas.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/Pen.h"
#include "framework/Unicode.h"

namespace {

// Floor division: a tile grid anchored at 0 must also cover negative coordinates.
int FloorDiv(int A, int B) {
  int q = A / B;
  if ((A % B != 0) && ((A < 0) != (B < 0))) --q;
  return q;
}

int FloorMod(int A, int B) { return A - FloorDiv(A, B) * B; }

RECT OffsetCopy(RECT R, int DX, int DY) {
  OffsetRect(&R, DX, DY);
  return R;
}

}  // namespace

UINT TextFlagsToDTFlags(TcxTextFlags Flags) {
  UINT r = DT_NOPREFIX;
  switch (Flags & 7) {
    case 2: r |= DT_RIGHT; break;
    case 4: r |= DT_CENTER; break;
    default: break;
  }
  switch ((Flags >> 3) & 7) {
    case 2: r |= DT_BOTTOM; break;
    case 4: r |= DT_VCENTER; break;
    default: break;
  }
  if (Flags & cxSingleLine) r |= DT_SINGLELINE;
  if (Flags & cxDontClip) r |= DT_NOCLIP;
  if (Flags & cxExpandTabs) r |= DT_EXPANDTABS;
  if (Flags & cxShowPrefix) r &= ~static_cast<UINT>(DT_NOPREFIX);
  if (Flags & cxWordBreak) {
    r |= DT_WORDBREAK;
    if (!(Flags & cxDontBreakChars)) r |= DT_EDITCONTROL;
  }
  if (Flags & cxShowEndEllipsis) r |= DT_END_ELLIPSIS;
  if (Flags & cxCalcRect) r |= DT_CALCRECT;
  if (Flags & cxShowPathEllipsis) r |= DT_PATH_ELLIPSIS;
  return r;
}

// ---------------------------------------------------------------- TcxRegion

TcxRegion::TcxRegion(HRGN AHandle) : FHandle(AHandle) {}

TcxRegion::TcxRegion(int Left, int Top, int Right, int Bottom) : FHandle(CreateRectRgn(Left, Top, Right, Bottom)) {}

TcxRegion::TcxRegion(const RECT& R) : FHandle(CreateRectRgnIndirect(&R)) {}

TcxRegion::TcxRegion() : FHandle(CreateRectRgn(0, 0, 0, 0)) {}

TcxRegion::~TcxRegion() { ReleaseHandle(); }

void TcxRegion::ReleaseHandle() {
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}

bool TcxRegion::IsEmpty() const {
  RECT r;
  return GetRgnBox(FHandle, &r) == NULLREGION;
}

void TcxRegion::CombineWith(TcxRegion* Other, TcxClipOperation Operation, bool DestroyOther) {
  if (!Other) return;
  if (Operation == coReplace) {
    CombineRgn(FHandle, Other->FHandle, nullptr, RGN_COPY);
  } else {
    static const int modes[] = {RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND};
    CombineRgn(FHandle, FHandle, Other->FHandle, modes[Operation]);
  }
  if (DestroyOther) Free(Other);
}

bool TcxRegion::SameAs(const TcxRegion* Other) const {
  if (!Other) return false;
  if (IsEmpty() && Other->IsEmpty()) return true;
  return IsEqualHandle(Other->FHandle);
}

bool TcxRegion::IsEqualHandle(HRGN AHandle) const { return EqualRgn(FHandle, AHandle) != FALSE; }

void TcxRegion::MoveBy(int DX, int DY) { OffsetRgn(FHandle, DX, DY); }

RECT TcxRegion::BoundsRect() const {
  RECT r{};
  GetRgnBox(FHandle, &r);
  return r;
}

// ---------------------------------------------------------------- TcxCanvas

TcxCanvas::TcxCanvas(TCanvas* ACanvas) : FCanvas(ACanvas) {}

// The stacks are normally empty here; whatever is left is released, not applied.
TcxCanvas::~TcxCanvas() = default;

void TcxCanvas::SetBrushColor(TColor Color) {
  if (FCanvas->GetBrush()->GetColor() != Color) FCanvas->GetBrush()->SetColor(Color);
}

POINT TcxCanvas::WindowOrigin() const {
  POINT p{0, 0};
  GetWindowOrgEx(DeviceContext(), &p);
  return p;
}

POINT TcxCanvas::ViewportOrigin() const {
  POINT p{0, 0};
  GetViewportOrgEx(DeviceContext(), &p);
  return p;
}

void TcxCanvas::AssignWindowOrigin(POINT P) { SetWindowOrgEx(DeviceContext(), P.x, P.y, nullptr); }

void TcxCanvas::AssignViewportOrigin(POINT P) { SetViewportOrgEx(DeviceContext(), P.x, P.y, nullptr); }

POINT TcxCanvas::DCOrigin() const {
  POINT w = WindowOrigin(), v = ViewportOrigin();
  return POINT{v.x - w.x, v.y - w.y};
}

void TcxCanvas::CopyRectFrom(const RECT& DestRect, TcxCanvas* Source, const RECT& SourceRect) {
  FCanvas->CopyRect(DestRect, Source->FCanvas, SourceRect);
}

void TcxCanvas::InvertRect(const RECT& R) {
  FCanvas->SetCopyMode(cmDstInvert);
  FCanvas->CopyRect(R, FCanvas, R);
  FCanvas->SetCopyMode(cmSrcCopy);
}

void TcxCanvas::AdoptDCObjects(HDC DC) {
  LOGFONTW lf{};
  if (GetObjectW(GetCurrentObject(DC, OBJ_FONT), sizeof lf, &lf) == sizeof lf) {
    FCanvas->GetFont()->SetHandle(CreateFontIndirectW(&lf));
  }
  FCanvas->GetFont()->SetColor(static_cast<TColor>(GetTextColor(DC)));

  LOGBRUSH lb{};
  if (GetObjectW(GetCurrentObject(DC, OBJ_BRUSH), sizeof lb, &lb) == sizeof lb) {
    TBrush* brush = FCanvas->GetBrush();
    brush->SetHandle(CreateBrushIndirect(&lb));
    brush->SetColor(static_cast<TColor>(lb.lbColor));
    TBrushStyle style = bsSolid;
    if (lb.lbStyle == BS_NULL) {
      style = bsClear;
    } else if (lb.lbStyle == BS_HATCHED) {
      switch (lb.lbHatch) {
        case HS_HORIZONTAL: style = bsHorizontal; break;
        case HS_VERTICAL: style = bsVertical; break;
        case HS_FDIAGONAL: style = bsFDiagonal; break;
        case HS_BDIAGONAL: style = bsBDiagonal; break;
        case HS_CROSS: style = bsCross; break;
        case HS_DIAGCROSS: style = bsDiagCross; break;
        default: break;
      }
    }
    brush->SetStyle(style);
  }

  LOGPEN lp{};
  if (GetObjectW(GetCurrentObject(DC, OBJ_PEN), sizeof lp, &lp) == sizeof lp) {
    TPen* pen = FCanvas->GetPen();
    pen->SetHandle(CreatePenIndirect(&lp));
    pen->SetColor(static_cast<TColor>(lp.lopnColor));
    pen->SetStyle(lp.lopnStyle <= PS_INSIDEFRAME ? static_cast<TPenStyle>(lp.lopnStyle) : psSolid);
    pen->SetWidth(lp.lopnWidth.x);
    const int rop = GetROP2(DC);
    TPenMode mode = pmCopy;
    for (int m = pmBlack; m <= pmNotXor; ++m)
      if (PenModeToROP2(static_cast<TPenMode>(m)) == rop) mode = static_cast<TPenMode>(m);
    pen->SetMode(mode);
  }
}

void TcxCanvas::PushDC() { FSavedDCs.push_back(SaveDC(DeviceContext())); }

void TcxCanvas::PopDC() {
  if (FSavedDCs.empty()) return;
  const int level = FSavedDCs.back();
  FSavedDCs.pop_back();
  RestoreDC(DeviceContext(), level);
  // RestoreDC brought back what was selected at the save; the canvas selects its
  // current tools afresh on its next use.
  FCanvas->Refresh();
}

void TcxCanvas::PushClipRegion() { FSavedRegions.emplace_back(CurrentClipRegion(true)); }

void TcxCanvas::PopClipRegion() {
  if (FSavedRegions.empty()) return;
  TcxRegion* region = FSavedRegions.back().release();
  FSavedRegions.pop_back();
  ApplyClipRegion(region, coReplace, true, true);
}

void TcxCanvas::PushState() {
  PushDC();
  TcxCanvasState s{TOwned<TFont>(TFont::Create()), TOwned<TBrush>(TBrush::Create()), TOwned<TPen>(TPen::Create())};
  s.Font->Assign(FCanvas->GetFont());
  s.Brush->Assign(FCanvas->GetBrush());
  s.Pen->Assign(FCanvas->GetPen());
  FSavedStates.push_back(std::move(s));
}

void TcxCanvas::PopState() {
  if (FSavedStates.empty()) return;
  TcxCanvasState s = std::move(FSavedStates.back());
  FSavedStates.pop_back();
  FCanvas->GetFont()->Assign(s.Font.get());
  FCanvas->GetBrush()->Assign(s.Brush.get());
  FCanvas->GetPen()->Assign(s.Pen.get());
  PopDC();
}

TcxRegion* TcxCanvas::CurrentClipRegion(bool ConsiderOrigin) const {
  TcxRegion* result = TcxRegion::Create(0, 0, 0, 0);
  if (GetClipRgn(DeviceContext(), result->GetHandle()) != 1) SetRectRgn(result->GetHandle(), 0, 0, 30000, 30000);
  if (ConsiderOrigin) {
    POINT o = DCOrigin();
    result->MoveBy(-o.x, -o.y);
  }
  return result;
}

void TcxCanvas::ApplyClipRegion(TcxRegion* Region, TcxClipOperation Operation, bool DestroyRegion,
                                bool ConsiderOrigin) {
  if (!Region) return;
  if (Operation != coReplace) {
    TcxRegion* current = CurrentClipRegion(ConsiderOrigin);
    current->CombineWith(Region, Operation, DestroyRegion);
    ApplyClipRegion(current, coReplace, true, ConsiderOrigin);
    return;
  }
  POINT o{0, 0};
  if (ConsiderOrigin) {
    o = DCOrigin();
    Region->MoveBy(o.x, o.y);
  }
  SelectClipRgn(DeviceContext(), Region->GetHandle());
  if (DestroyRegion) Free(Region);
  else if (ConsiderOrigin) Region->MoveBy(-o.x, -o.y);
}

void TcxCanvas::ExcludeRectFromClip(const RECT& R) {
  ExcludeClipRect(DeviceContext(), R.left, R.top, R.right, R.bottom);
}

void TcxCanvas::IntersectClip(const RECT& R) { IntersectClipRect(DeviceContext(), R.left, R.top, R.right, R.bottom); }

void TcxCanvas::FillRectColor(const RECT& R, TColor Color) {
  if (Color == clNone) return;
  if (Color != clDefault) SetBrushColor(Color);
  FCanvas->FillRect(R);
}

void TcxCanvas::FillWithBitmap(const RECT& R, TBitmap* Bitmap, bool ExcludeRect) {
  if (IsRectEmpty(&R)) return;
  if (!Bitmap || Bitmap->GetEmpty()) {
    FCanvas->FillRect(R);
  } else {
    const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
    const int c0 = FloorDiv(R.left, w), c1 = FloorDiv(R.right, w) - (FloorMod(R.right, w) == 0 ? 1 : 0);
    const int r0 = FloorDiv(R.top, h), r1 = FloorDiv(R.bottom, h) - (FloorMod(R.bottom, h) == 0 ? 1 : 0);
    TCanvas* source = Bitmap->GetCanvas();
    for (int c = c0; c <= c1; ++c)
      for (int r = r0; r <= r1; ++r) {
        RECT tile{c * w, r * h, c * w + w, r * h + h}, dest;
        if (!IntersectRect(&dest, &tile, &R)) continue;
        FCanvas->CopyRect(dest, source, OffsetCopy(dest, -c * w, -r * h));
      }
  }
  if (ExcludeRect) ApplyClipRegion(TcxRegion::Create(R), coSubtract);
}

void TcxCanvas::FillBorders(const RECT& R, TColor Color, int Width, TcxBorders Borders, bool ExcludeRect) {
  if (IsRectEmpty(&R)) return;
  if (Color != clDefault) SetBrushColor(Color);
  if (Borders.Contains(bLeft))
    FillWithBitmap(RECT{R.left, R.top, std::min<int>(R.left + Width, R.right), R.bottom}, nullptr, ExcludeRect);
  if (Borders.Contains(bRight))
    FillWithBitmap(RECT{std::max<int>(R.right - Width, R.left), R.top, R.right, R.bottom}, nullptr, ExcludeRect);
  if (Borders.Contains(bTop))
    FillWithBitmap(RECT{R.left, R.top, R.right, std::min<int>(R.top + Width, R.bottom)}, nullptr, ExcludeRect);
  if (Borders.Contains(bBottom))
    FillWithBitmap(RECT{R.left, std::max<int>(R.bottom - Width, R.top), R.right, R.bottom}, nullptr, ExcludeRect);
}

void TcxCanvas::FillWithViewParams(const RECT& R, const TcxViewParams& ViewParams, TcxBorders Borders,
                                   TColor BorderColor, int BorderWidth, bool ExcludeRect) {
  FillBorders(R, BorderColor, BorderWidth, Borders, ExcludeRect);
  RECT inside = R;
  if (Borders.Contains(bLeft)) inside.left += BorderWidth;
  if (Borders.Contains(bTop)) inside.top += BorderWidth;
  if (Borders.Contains(bRight)) inside.right -= BorderWidth;
  if (Borders.Contains(bBottom)) inside.bottom -= BorderWidth;
  SetBrushColor(ViewParams.Color);
  FillWithBitmap(inside, ViewParams.Bitmap, ExcludeRect);
}

void TcxCanvas::DrawEdgeSides(const RECT& R, TColor LeftTopColor, TColor RightBottomColor, TcxBorders Borders,
                              int Width) {
  if (Borders.Contains(bLeft)) {
    SetBrushColor(LeftTopColor);
    FillWithBitmap(RECT{R.left, R.top, R.left + Width, R.bottom});
  }
  if (Borders.Contains(bTop)) {
    SetBrushColor(LeftTopColor);
    FillWithBitmap(RECT{R.left, R.top, R.right, R.top + Width});
  }
  if (Borders.Contains(bRight)) {
    SetBrushColor(RightBottomColor);
    FillWithBitmap(RECT{R.right - Width, R.top, R.right, R.bottom});
  }
  if (Borders.Contains(bBottom)) {
    SetBrushColor(RightBottomColor);
    FillWithBitmap(RECT{R.left, R.bottom - Width, R.right, R.bottom});
  }
}

void TcxCanvas::DrawEdge3D(const RECT& R, bool Sunken, bool Outer, TcxBorders Borders) {
  TColor lt, rb;
  if (!Sunken) {
    lt = Outer ? cl3DLight : clBtnHighlight;
    rb = Outer ? cl3DDkShadow : clBtnShadow;
  } else {
    lt = Outer ? clBtnShadow : cl3DDkShadow;
    rb = Outer ? clBtnHighlight : cl3DLight;
  }
  DrawEdgeSides(R, lt, rb, Borders, 1);
}

SIZE TcxCanvas::MeasureText(const std::string& Text) {
  SIZE s{0, 0};
  std::wstring w = Utf8ToWide(Text);
  if (!GetTextExtentPoint32W(DeviceContext(), w.c_str(), static_cast<int>(w.size()), &s)) return SIZE{0, 0};
  return s;
}

int TcxCanvas::FontLineHeight(TFont* Font) {
  AssignFontObject(Font);
  return HeightOfText("Qq");
}

void TcxCanvas::DrawTextFlags(const std::string& Text, RECT R, TcxTextFlags Flags, bool Enabled) {
  if (Text.empty()) return;
  const bool useDrawText =
      !(Flags & cxSingleLine) || (Flags & (cxShowPrefix | cxShowEndEllipsis | cxShowPathEllipsis));
  const SIZE size = MeasureText(Text);
  // The measure is of one line: only single-line text can be known to fit.
  if ((Flags & cxSingleLine) && R.right - R.left >= size.cx && R.bottom - R.top >= size.cy) Flags |= cxDontClip;
  const int d = Enabled ? 0 : 1;
  std::wstring w = Utf8ToWide(Text);
  UINT dtFlags = 0, etoOptions = 0;
  if (useDrawText) {
    if (!(Flags & cxSingleLine) && (Flags & (cxAlignBottom | cxAlignVCenter)))
      AlignTextRectVertically(R, Text, (Flags & cxAlignBottom) ? 1 : 2, (Flags & cxWordBreak) != 0,
                              (Flags & cxShowPrefix) != 0, Enabled, (Flags & cxDontBreakChars) != 0);
    dtFlags = TextFlagsToDTFlags(Flags);
  } else {
    if (size.cx < R.right - R.left) {
      if ((Flags & 7) == 2) R.left = R.right - size.cx - d;
      else if ((Flags & 7) == 4) R.left = (R.left + R.right - size.cx) / 2;
    }
    if (size.cy < R.bottom - R.top) {
      if (((Flags >> 3) & 7) == 2) R.top = R.bottom - size.cy - d;
      else if (((Flags >> 3) & 7) == 4) R.top = (R.top + R.bottom - size.cy) / 2;
    }
    etoOptions = (Flags & cxDontClip) ? 0 : ETO_CLIPPED;
  }
  auto draw = [&](RECT Where) {
    HDC dc = DeviceContext();
    if (useDrawText) DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &Where, dtFlags);
    else ExtTextOutW(dc, Where.left, Where.top, etoOptions, &Where, w.c_str(), static_cast<UINT>(w.size()), nullptr);
  };
  TBrush* brush = FCanvas->GetBrush();
  TFont* font = FCanvas->GetFont();
  const TBrushStyle oldStyle = brush->GetStyle();
  const TColor oldColor = font->GetColor();
  if (!Enabled) {
    brush->SetStyle(bsClear);
    font->SetColor(clBtnHighlight);
    draw(OffsetCopy(R, 1, 1));
    font->SetColor(clBtnShadow);
  }
  draw(R);
  if (brush->GetStyle() != oldStyle) brush->SetStyle(oldStyle);
  font->SetColor(oldColor);
}

void TcxCanvas::TextExtentInRect(const std::string& Text, RECT& R, TcxTextFlags Flags) {
  const int oldWidth = R.right - R.left, oldHeight = R.bottom - R.top;
  const UINT dt = TextFlagsToDTFlags(Flags);
  if (oldWidth <= 0 && !Text.empty()) R.right = R.left + 1;
  std::wstring w = Utf8ToWide(Text);
  if (DrawTextW(DeviceContext(), w.c_str(), static_cast<int>(w.size()), &R,
                (dt & ~static_cast<UINT>(DT_VCENTER)) | DT_CALCRECT) == 0) {
    R = RECT{R.left, R.top, R.left, R.top};
  }
  const int dx = oldWidth - (R.right - R.left), dy = oldHeight - (R.bottom - R.top);
  if (dt & DT_CENTER) OffsetRect(&R, dx / 2, 0);
  else if (dt & DT_RIGHT) OffsetRect(&R, dx, 0);
  if (dt & DT_VCENTER) OffsetRect(&R, 0, dy / 2);
  else if (dt & DT_BOTTOM) OffsetRect(&R, 0, dy);
}

void TcxCanvas::AlignTextRectVertically(RECT& R, const std::string& Text, int Alignment, bool WordBreak,
                                        bool ShowPrefix, bool Enabled, bool DontBreakChars) {
  if (Alignment == 0) return;
  const int d = Enabled ? 0 : 1;
  RECT m{0, 0, R.right - R.left - d, 0};
  TcxTextFlags flags = cxAlignLeft | cxAlignTop;
  if (WordBreak) flags |= cxWordBreak;
  if (ShowPrefix) flags |= cxShowPrefix;
  if (DontBreakChars) flags |= cxDontBreakChars;
  TextExtentInRect(Text, m, flags);
  const int h = m.bottom - m.top;
  if (Alignment == 1) R.top = R.bottom - h - d;
  else R.top = (R.top + R.bottom - h) / 2;
}

// ---------------------------------------------------------------- screen canvas

TScreenCanvas::~TScreenCanvas() { FreeHandle(); }

void TScreenCanvas::CreateHandle() {
  FWindow = GetDesktopWindow();
  FDeviceContext = GetDCEx(FWindow, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  SetHandle(FDeviceContext);
}

void TScreenCanvas::FreeHandle() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  ReleaseDC(FWindow, FDeviceContext);
  FDeviceContext = nullptr;
}

TcxScreenCanvas::TcxScreenCanvas() : TcxCanvas(TScreenCanvas::Create()) {}

TcxScreenCanvas::~TcxScreenCanvas() { Free(GetCanvas()); }

TcxScreenCanvas* SharedScreenCanvas() {
  static TOwned<TcxScreenCanvas> instance(TcxScreenCanvas::Create());
  return instance.get();
}
