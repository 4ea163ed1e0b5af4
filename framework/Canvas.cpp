#include "framework/Canvas.h"

#include <vector>

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/Graphic.h"
#include "framework/Unicode.h"

UINT TextFormatToDTFlags(TTextFormat Format) {
  static const UINT flags[] = {DT_BOTTOM,         DT_CALCRECT,  DT_CENTER,       DT_EDITCONTROL, DT_END_ELLIPSIS,
                               DT_PATH_ELLIPSIS,  DT_EXPANDTABS, DT_EXTERNALLEADING, DT_LEFT,      DT_MODIFYSTRING,
                               DT_NOCLIP,         DT_NOPREFIX,  DT_RIGHT,        DT_RTLREADING,  DT_SINGLELINE,
                               DT_TOP,            DT_VCENTER,   DT_WORDBREAK,    DT_WORD_ELLIPSIS, DT_HIDEPREFIX,
                               DT_PREFIXONLY};
  UINT r = 0;
  for (unsigned i = 0; i < sizeof flags / sizeof flags[0]; ++i)
    if (Format.Contains(static_cast<TTextFormats>(i))) r |= flags[i];
  return r;
}

TCanvas::TCanvas()
    : FFont(TFont::Create()), FPen(TPen::Create()), FBrush(TBrush::Create()) {
  FFont->OnChange = Bind(this, &TCanvas::FontChanged);
  FPen->OnChange = Bind(this, &TCanvas::PenChanged);
  FBrush->OnChange = Bind(this, &TCanvas::BrushChanged);
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::GetHandle() {
  Changing();
  RequiredState({csHandleValid, csFontValid, csPenValid, csBrushValid});
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (FHandle == Value) return;
  if (FHandle) {
    DeselectHandles();
    FPenPos = GetPenPos();
    FHandle = nullptr;
    FState.Exclude(csHandleValid);
  }
  if (Value) {
    FState.Include(csHandleValid);
    FHandle = Value;
    SetPenPos(FPenPos);
  }
}

void TCanvas::RequiredState(TCanvasState ReqState) {
  TCanvasState needed = ReqState - FState;
  if (needed.Empty()) return;
  if (needed.Contains(csHandleValid)) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
  }
  if (needed.Contains(csFontValid)) SelectFont();
  if (needed.Contains(csPenValid)) SelectPen();
  if (needed.Contains(csBrushValid)) SelectBrush();
}

void TCanvas::SelectFont() {
  HGDIOBJ old = SelectObject(FHandle, FFont->GetHandle());
  if (!FOldFont) FOldFont = old;
  SetTextColor(FHandle, static_cast<COLORREF>(ColorToRGB(FFont->GetColor())));
  FState.Include(csFontValid);
}

void TCanvas::SelectPen() {
  HGDIOBJ old = SelectObject(FHandle, FPen->GetHandle());
  if (!FOldPen) FOldPen = old;
  SetROP2(FHandle, PenModeToROP2(FPen->GetMode()));
  FState.Include(csPenValid);
}

void TCanvas::SelectBrush() {
  HBRUSH brush = FBrush->GetHandle();
  UnrealizeObject(brush);
  HGDIOBJ old = SelectObject(FHandle, brush);
  if (!FOldBrush) FOldBrush = old;
  COLORREF rgb = static_cast<COLORREF>(ColorToRGB(FBrush->GetColor()));
  if (FBrush->GetStyle() == bsSolid) {
    SetBkColor(FHandle, rgb);
    SetBkMode(FHandle, OPAQUE);
  } else {
    // Hatches vanish when the background colour equals the brush colour, even
    // transparent; nothing reads the background colour in this mode.
    SetBkColor(FHandle, ~rgb & 0xFFFFFF);
    SetBkMode(FHandle, TRANSPARENT);
  }
  FState.Include(csBrushValid);
}

void TCanvas::DeselectHandles() {
  if (!FHandle) return;
  // Selecting the objects the device context came with frees ours for deletion.
  if (FOldFont) SelectObject(FHandle, FOldFont);
  if (FOldPen) SelectObject(FHandle, FOldPen);
  if (FOldBrush) SelectObject(FHandle, FOldBrush);
  FOldFont = FOldPen = FOldBrush = nullptr;
  FState -= TCanvasState{csFontValid, csPenValid, csBrushValid};
}

// A tool changed while the device context is live is selected again at once:
// callers hold the handle and draw on it with raw GDI between canvas calls.
void TCanvas::FontChanged(TObject*) {
  if (FState.Contains(csFontValid)) SelectFont();
}

void TCanvas::PenChanged(TObject*) {
  if (FState.Contains(csPenValid)) SelectPen();
}

void TCanvas::BrushChanged(TObject*) {
  if (FState.Contains(csBrushValid)) SelectBrush();
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::Changing() { OnChanging(this); }

void TCanvas::Changed() { OnChange(this); }

void TCanvas::Lock() {
  FLock.lock();
  ++FLockCount;
}

bool TCanvas::TryLock() {
  if (!FLock.try_lock()) return false;
  ++FLockCount;
  return true;
}

void TCanvas::Unlock() {
  --FLockCount;
  FLock.unlock();
}

POINT TCanvas::GetPenPos() {
  if (FHandle) {
    POINT p;
    if (GetCurrentPositionEx(FHandle, &p)) return p;
  }
  return FPenPos;
}

RECT TCanvas::GetClipRect() {
  RequiredState({csHandleValid});
  RECT r{};
  GetClipBox(FHandle, &r);
  return r;
}

TColor TCanvas::GetPixels(int X, int Y) {
  RequiredState({csHandleValid});
  return static_cast<TColor>(::GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  ::SetPixel(FHandle, X, Y, static_cast<COLORREF>(ColorToRGB(Value)));
  Changed();
}

TCanvasOrientation TCanvas::GetCanvasOrientation() {
  if (FHandle && (GetLayout(FHandle) & LAYOUT_RTL)) return coRightToLeft;
  return coLeftToRight;
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  ::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Chord(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::MoveTo(int X, int Y) {
  FPenPos = POINT{X, Y};
  if (!FHandle) return;
  ::MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::LineTo(FHandle, X, Y);
  Changed();
}

void TCanvas::Polygon(const POINT* Points, int Count) {
  if (Count <= 0) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polygon(FHandle, Points, Count);
  Changed();
}

void TCanvas::Polyline(const POINT* Points, int Count) {
  if (Count <= 0) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polyline(FHandle, Points, Count);
  Changed();
}

void TCanvas::PolyBezier(const POINT* Points, int Count) {
  if (Count <= 0) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::PolyBezier(FHandle, Points, static_cast<DWORD>(Count));
  Changed();
}

void TCanvas::FillRect(const RECT& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FillRect(FHandle, &Rect, FBrush->GetHandle());
  Changed();
}

void TCanvas::FrameRect(const RECT& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FrameRect(FHandle, &Rect, FBrush->GetHandle());
  Changed();
}

void TCanvas::DrawFocusRect(const RECT& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::DrawFocusRect(FHandle, &Rect);
  Changed();
}

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::ExtFloodFill(FHandle, X, Y, static_cast<COLORREF>(ColorToRGB(Color)),
                 FillStyle == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
  Changed();
}

void TCanvas::CopyRect(const RECT& Dest, TCanvas* Canvas, const RECT& Source) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  HDC src = Canvas->GetHandle();
  Canvas->RequiredState({csHandleValid, csBrushValid});
  ::StretchBlt(FHandle, Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top, src, Source.left,
               Source.top, Source.right - Source.left, Source.bottom - Source.top, FCopyMode);
  Changed();
}

void TCanvas::BrushCopy(const RECT& Dest, TBitmap* Bitmap, const RECT& Source, TColor Color) {
  if (!Bitmap || Bitmap->GetEmpty()) return;
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  int dw = Dest.right - Dest.left, dh = Dest.bottom - Dest.top;
  int sw = Source.right - Source.left, sh = Source.bottom - Source.top;
  HDC srcDC = Bitmap->GetCanvas()->GetHandle();
  // Mask: 1 where the source has the given colour.
  HDC maskDC = CreateCompatibleDC(nullptr);
  HBITMAP mask = CreateBitmap(sw, sh, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskDC, mask);
  COLORREF oldBk = SetBkColor(srcDC, static_cast<COLORREF>(ColorToRGB(Color)));
  BitBlt(maskDC, 0, 0, sw, sh, srcDC, Source.left, Source.top, SRCCOPY);
  SetBkColor(srcDC, oldBk);
  // Where the mask is set the brush shows, elsewhere the source.
  HDC workDC = CreateCompatibleDC(FHandle);
  HBITMAP work = CreateCompatibleBitmap(FHandle, sw, sh);
  HGDIOBJ oldWork = SelectObject(workDC, work);
  HGDIOBJ oldBrush = SelectObject(workDC, FBrush->GetHandle());
  BitBlt(workDC, 0, 0, sw, sh, srcDC, Source.left, Source.top, SRCCOPY);
  SetBkColor(workDC, RGB(255, 255, 255));
  SetTextColor(workDC, RGB(0, 0, 0));
  // DSPDxax: where the mask is 1 take the pattern, where 0 keep the destination.
  BitBlt(workDC, 0, 0, sw, sh, maskDC, 0, 0, 0x00E20746);
  StretchBlt(FHandle, Dest.left, Dest.top, dw, dh, workDC, 0, 0, sw, sh, SRCCOPY);
  SelectObject(workDC, oldBrush);
  SelectObject(workDC, oldWork);
  DeleteObject(work);
  DeleteDC(workDC);
  SelectObject(maskDC, oldMask);
  DeleteObject(mask);
  DeleteDC(maskDC);
  Changed();
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->GetEmpty()) return;
  Changing();
  RequiredState({csHandleValid});
  SetBkColor(FHandle, static_cast<COLORREF>(ColorToRGB(FBrush->GetColor())));
  SetTextColor(FHandle, static_cast<COLORREF>(ColorToRGB(FFont->GetColor())));
  Graphic->Draw(this, RECT{X, Y, X + Graphic->GetWidth(), Y + Graphic->GetHeight()});
  Changed();
}

void TCanvas::StretchDraw(const RECT& Rect, TGraphic* Graphic) {
  if (!Graphic) return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, Rect);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  std::wstring w = Utf8ToWide(Text);
  if (GetCanvasOrientation() == coRightToLeft) X += TextWidth(Text) + 1;
  ::ExtTextOutW(FHandle, X, Y, static_cast<UINT>(FTextFlags), nullptr, w.c_str(), static_cast<UINT>(w.size()), nullptr);
  MoveTo(X + TextWidth(Text), Y);
  Changed();
}

void TCanvas::TextRect(const RECT& Rect, int X, int Y, const std::string& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED | static_cast<UINT>(FTextFlags);
  if (FBrush->GetStyle() != bsClear) options |= ETO_OPAQUE;
  std::wstring w = Utf8ToWide(Text);
  ::ExtTextOutW(FHandle, X, Y, options, &Rect, w.c_str(), static_cast<UINT>(w.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(RECT& Rect, std::string& Text, TTextFormat Format) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT flags = TextFormatToDTFlags(Format);
  if (Format.Contains(tfModifyString) || (flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))) {
    // DrawText may write the shortened text back; room for the ellipsis.
    std::wstring w = Utf8ToWide(Text);
    std::vector<wchar_t> buf(w.begin(), w.end());
    buf.resize(w.size() + 5, L'\0');
    ::DrawTextW(FHandle, buf.data(), static_cast<int>(w.size()), &Rect, flags);
    if (Format.Contains(tfModifyString)) Text = WideToUtf8(std::wstring(buf.data()));
  } else {
    std::wstring w = Utf8ToWide(Text);
    ::DrawTextW(FHandle, w.c_str(), static_cast<int>(w.size()), &Rect, flags);
  }
  Changed();
}

SIZE TCanvas::TextExtent(const std::string& Text) {
  RequiredState({csHandleValid, csFontValid});
  std::wstring w = Utf8ToWide(Text);
  SIZE s{0, 0};
  ::GetTextExtentPoint32W(FHandle, w.c_str(), static_cast<int>(w.size()), &s);
  return s;
}
