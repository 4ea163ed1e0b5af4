#include "suite/common/cxDropDownPanel.h"

#include <algorithm>

#include "framework/Canvas.h"
#include "framework/OwnedObject.h"
#include "suite/common/cxCanvas.h"

namespace {

// A canvas over a device context it does not own.
class TOuterDCCanvas : public TCanvas {
  SONVELT_CLASS(TOuterDCCanvas, TCanvas)
public:
  explicit TOuterDCCanvas(HDC DC) { SetHandle(DC); }
  ~TOuterDCCanvas() override { SetHandle(nullptr); }
};

}  // namespace

RECT DropDownCloseButtonBounds(const RECT& P, TcxDropDownCorner Corner) {
  int size = std::min<int>(GetSystemMetrics(SM_CXSIZE), P.bottom - P.top - 4);
  if (size % 2 == 0) --size;
  // A band too low for a button has none.
  if (size <= 0) return RECT{0, 0, 0, 0};
  const bool gripRight = Corner & 1;
  RECT area = P;
  if (gripRight) area.right = area.left + size + 4;
  else area.left = area.right - size - 4;
  const int l = (area.left + area.right - size) / 2;
  int t = (area.top + area.bottom - size) / 2;
  if (Corner & 2) ++t;
  return RECT{l, t, l + size, t + size};
}

void PaintDropDownSystemPanel(TcxCanvas* Canvas, HWND Wnd, bool ShowPanel, bool Flat, bool ButtonState1,
                              bool ButtonState2, RECT& CloseButtonRect, RECT& SizeGripRect,
                              TcxDropDownCorner Corner) {
  HDC dc = GetWindowDC(Wnd);
  if (!dc) return;
  TOwned<TOuterDCCanvas> outer(TOuterDCCanvas::Create(dc));
  TOwned<TcxCanvas> own;
  TCanvas* previous = Canvas ? Canvas->GetCanvas() : nullptr;
  if (Canvas) Canvas->SetCanvas(outer.get());
  else own.reset(Canvas = TcxCanvas::Create(outer.get()));
  Canvas->PushDC();
  try {
    RECT w;
    GetWindowRect(Wnd, &w);
    const RECT f{0, 0, w.right - w.left, w.bottom - w.top};
    RECT c;
    GetClientRect(Wnd, &c);
    MapWindowPoints(Wnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
    OffsetRect(&c, -w.left, -w.top);
    const int b = c.left;
    RECT p{f.left + b, f.top + b, f.right - b, f.bottom - b};
    if (Corner & 2) p.top = c.bottom;
    else p.bottom = c.top;
    const TColor border = Flat ? clBtnShadow : clWindowFrame;
    Canvas->FillBorders(f, border, b, cxBordersAll);
    if (!ShowPanel) {
      CloseButtonRect = SizeGripRect = RECT{0, 0, 0, 0};
    } else {
      Canvas->IntersectClip(p);
      RECT separator = p;
      if (Corner & 2) separator.bottom = separator.top + b;
      else separator.top = separator.bottom - b;
      Canvas->FillRectColor(separator, border);
      Canvas->ExcludeRectFromClip(separator);
      SizeGripRect = p;
      DrawCornerSizeGrip(Canvas->DeviceContext(), SizeGripRect, Corner);
      Canvas->ExcludeRectFromClip(SizeGripRect);
      OffsetRect(&SizeGripRect, w.left, w.top);
      CloseButtonRect = DropDownCloseButtonBounds(p, Corner);
      if (!IsRectEmpty(&CloseButtonRect)) {
        const bool pushed = ButtonState1 && ButtonState2;
        RECT button = CloseButtonRect;
        DrawFrameControl(Canvas->DeviceContext(), &button, DFC_CAPTION,
                         DFCS_CAPTIONCLOSE | DFCS_FLAT | (pushed && !Flat ? DFCS_PUSHED : 0));
        if ((!ButtonState1 && !ButtonState2) || Flat) Canvas->FillBorders(CloseButtonRect, clBtnFace, 1, cxBordersAll);
        else Canvas->DrawEdge3D(CloseButtonRect, pushed, pushed);
        RECT ring = CloseButtonRect;
        InflateRect(&ring, -1, -1);
        Canvas->FillBorders(ring, clBtnFace, 1, cxBordersAll);
        Canvas->ExcludeRectFromClip(CloseButtonRect);
        OffsetRect(&CloseButtonRect, w.left, w.top);
      }
      Canvas->FillRectColor(p, clBtnFace);
    }
  } catch (...) {
    Canvas->PopDC();
    if (previous) Canvas->SetCanvas(previous);
    ReleaseDC(Wnd, dc);
    throw;
  }
  Canvas->PopDC();
  if (previous) Canvas->SetCanvas(previous);
  outer.reset();
  ReleaseDC(Wnd, dc);
}
