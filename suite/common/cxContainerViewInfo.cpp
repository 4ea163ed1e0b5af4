#include "suite/common/cxContainerViewInfo.h"

#include "suite/common/UxTheme.h"
#include "suite/common/cxDWMApi.h"

namespace {
constexpr int TmtBorderColor = 3801;

bool EmptyRect(const RECT& R) { return R.right <= R.left || R.bottom <= R.top; }
bool SameRect(const RECT& A, const RECT& B) {
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}
}  // namespace

void TcxContainerViewInfo::PaintBorder(TcxCanvas* Canvas, RECT R) {
  if (Painter || BorderStyle == cbsSingle || BorderStyle == cbsThick) {
    Canvas->FillBorders(R, BorderColor, BorderWidth, cxBordersAll);
    return;
  }
  switch (BorderStyle) {
    case cbsFlat:
      Canvas->DrawEdge3D(R, true, true, Edges);
      R = RECT{R.left + 1, R.top + 1, R.right - 1, R.bottom - 1};
      Canvas->FillBorders(R, clBtnFace, 1, cxBordersAll);
      break;
    case cbs3D:
      Canvas->DrawEdge3D(R, true, true, Edges);
      R = RECT{R.left + 1, R.top + 1, R.right - 1, R.bottom - 1};
      Canvas->DrawEdgeSides(R, cl3DDkShadow, cl3DLight, Edges, 1);
      break;
    default: break;
  }
}

void TcxContainerViewInfo::PaintContent(TcxCanvas* Canvas) {
  if (NativeStyle && BorderStyle != cbsNone) {
    HTHEME Theme = ThemeHandleFor(ThemedObjectKind);
    RECT Content = Bounds;
    if (Theme) UxGetThemeBackgroundContentRect(Theme, Canvas->DeviceContext(), 1, NativeState, Bounds, Content);
    Canvas->FillRectColor(Content, BackgroundColor);
    COLORREF Frame = GetSysColor(COLOR_WINDOWFRAME);
    HTHEME FrameTheme = CompositionActive() ? ThemeHandleFor(tokListBox) : ThemeHandleFor(tokComboBox);
    if (FrameTheme) UxGetThemeColor(FrameTheme, CompositionActive() ? 3 : 1, 1, TmtBorderColor, Frame);
    const TColor FrameColor = static_cast<TColor>(Frame);
    if (EmptyRect(Bounds) || SameRect(Bounds, Content)) return;
    if (EmptyRect(Content)) {
      Canvas->FillRectColor(Bounds, FrameColor);
      return;
    }
    Canvas->FillRectColor(RECT{Bounds.left, Bounds.top, Bounds.right, Content.top}, FrameColor);
    Canvas->FillRectColor(RECT{Bounds.left, Content.bottom, Bounds.right, Bounds.bottom}, FrameColor);
    Canvas->FillRectColor(RECT{Bounds.left, Content.top, Content.left, Content.bottom}, FrameColor);
    Canvas->FillRectColor(RECT{Content.right, Content.top, Bounds.right, Content.bottom}, FrameColor);
    return;
  }
  if (NativeStyle) {
    Canvas->FillRectColor(Bounds, BackgroundColor);
    return;
  }
  RECT R{BorderRect.left - BorderWidth, BorderRect.top - BorderWidth,
         BorderRect.right + (Edges.Contains(bRight) ? BorderWidth : 0),
         BorderRect.bottom + (Edges.Contains(bBottom) ? BorderWidth : 0)};
  if (Shadow) {
    const RECT Bottom{R.left + 3, R.bottom, R.right, R.bottom + 3};
    const RECT Right{R.right, R.top + 3, R.right + 3, R.bottom + 3};
    Canvas->FillRectColor(Bottom, clBtnShadow);
    Canvas->ExcludeRectFromClip(Bottom);
    Canvas->FillRectColor(Right, clBtnShadow);
    Canvas->ExcludeRectFromClip(Right);
  }
  if (!Edges.Contains(bRight)) R.right += BorderWidth;
  if (!Edges.Contains(bBottom)) R.bottom += BorderWidth;
  PaintBorder(Canvas, R);
  Canvas->FillRectColor(BorderRect, BackgroundColor);
}

void TcxContainerViewInfo::CopyFrom(TObject* Source) {
  if (auto* V = dynamic_cast<TcxContainerViewInfo*>(Source)) ClientRect = V->ClientRect;
}

TcxRegion* TcxContainerViewInfo::UpdateRegionFor(TcxContainerViewInfo*) { return TcxRegion::CreateEmptyRegion(); }

void TcxContainerViewInfo::ShiftBy(int DX, int DY) {
  OffsetRect(&BorderRect, DX, DY);
  OffsetRect(&Bounds, DX, DY);
  OffsetRect(&ClientRect, DX, DY);
}
