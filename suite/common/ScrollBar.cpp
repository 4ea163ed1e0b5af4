#include "suite/common/ScrollBar.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/Published.h"
#include "suite/common/Geometry.h"
#include "suite/common/SuiteCommonStrings.h"
#include "suite/common/SuiteTimer.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxPainterResources.h"

namespace {
constexpr unsigned FirstRepeatDelay = 400;
constexpr unsigned RepeatInterval = 60;
// How far the mouse may stray from the bar while the thumb follows it.
constexpr int ToleranceAlong = 34;
constexpr int ToleranceAcross = 136;
}  // namespace

int TcxScrollBarViewInfo::TrackStart() const {
  return FScrollBar->GetKind() == sbHorizontal ? TopLeftArrowRect.right : TopLeftArrowRect.bottom;
}

int TcxScrollBarViewInfo::TrackLength() const {
  return (FScrollBar->GetKind() == sbHorizontal ? BottomRightArrowRect.left : BottomRightArrowRect.top) - TrackStart();
}

int TcxScrollBarViewInfo::ThumbLength() const {
  return FScrollBar->GetKind() == sbHorizontal ? ThumbRect.right - ThumbRect.left : ThumbRect.bottom - ThumbRect.top;
}

void TcxScrollBarViewInfo::CalculateRects() {
  const int W = FScrollBar->GetWidth(), H = FScrollBar->GetHeight();
  if (FScrollBar->GetKind() == sbHorizontal) {
    const int L = std::min(W / 2, GetSystemMetrics(SM_CYHSCROLL));
    TopLeftArrowRect = RECT{0, 0, L, H};
    BottomRightArrowRect = RECT{W - L, 0, W, H};
  } else {
    const int L = std::min(H / 2, GetSystemMetrics(SM_CXVSCROLL));
    TopLeftArrowRect = RECT{0, 0, W, L};
    BottomRightArrowRect = RECT{0, H - L, W, H};
  }
  CalculateThumb();
}

void TcxScrollBarViewInfo::CalculateThumb() {
  ThumbRect = PageUpRect = PageDownRect = RECT{0, 0, 0, 0};
  const TcxScrollBar* SB = FScrollBar;
  if (!SB->GetEnabled()) return;
  const bool Horizontal = SB->GetKind() == sbHorizontal;
  const int Min = SB->GetMin(), Max = SB->GetMax(), Page = SB->GetPageSize(), Pos = SB->GetPosition();
  const int Start = TrackStart(), Track = TrackLength();
  int ThumbLen, Offset;
  if (Page > 0) {
    ThumbLen = std::min(Track, MulDiv(Page, Track, Max - Min + 1));
    if (Track < MinThumbLength || Max == Min) return;
    ThumbLen = std::max(ThumbLen, MinThumbLength);
    // A page that covers the whole range leaves the thumb no room to move.
    const int D = Max - Min - Page + 1;
    Offset = D > 0 ? MulDiv(Track - ThumbLen, std::min(Pos - Min, D), D) : 0;
  } else {
    ThumbLen = GetSystemMetrics(Horizontal ? SM_CXHTHUMB : SM_CYVTHUMB);
    if (Track < ThumbLen) return;
    Offset = Track == ThumbLen || Max == Min ? 0 : MulDiv(Track - ThumbLen, Pos - Min, Max - Min);
  }
  const int ThumbStart = Start + Offset;
  if (Horizontal) {
    ThumbRect = RECT{ThumbStart, 0, ThumbStart + ThumbLen, SB->GetHeight()};
    PageUpRect = RECT{Start, 0, ThumbRect.left, SB->GetHeight()};
    PageDownRect = RECT{ThumbRect.right, 0, BottomRightArrowRect.left, SB->GetHeight()};
  } else {
    ThumbRect = RECT{0, ThumbStart, SB->GetWidth(), ThumbStart + ThumbLen};
    PageUpRect = RECT{0, Start, SB->GetWidth(), ThumbRect.top};
    PageDownRect = RECT{0, ThumbRect.bottom, SB->GetWidth(), BottomRightArrowRect.top};
  }
}

SONVELT_PUBLISHED(TcxScrollBar, P) {
  P.Enum("Kind", &TcxScrollBar::GetKind, &TcxScrollBar::SetKind, {"sbHorizontal", "sbVertical"}).Default(sbHorizontal);
  P.Integer("LargeChange", &TcxScrollBar::GetLargeChange, &TcxScrollBar::SetLargeChange).Default(1);
  P.Object("LookAndFeel", &TcxScrollBar::GetLookAndFeel);
  P.Integer("Max", &TcxScrollBar::GetMax, &TcxScrollBar::SetMax).Default(100);
  P.Integer("Min", &TcxScrollBar::GetMin, &TcxScrollBar::SetMin).Default(0);
  P.Integer("PageSize", &TcxScrollBar::GetPageSize, &TcxScrollBar::SetPageSize).NoDefault();
  P.Integer("Position", &TcxScrollBar::GetPosition, &TcxScrollBar::SetPosition).Default(0);
  P.Integer("SmallChange", &TcxScrollBar::GetSmallChange, &TcxScrollBar::SetSmallChange).Default(1);
  P.Boolean("UnlimitedTracking", &TcxScrollBar::GetUnlimitedTracking, &TcxScrollBar::SetUnlimitedTracking).Default(false);
  P.Event("OnChange", &TcxScrollBar::OnChange);
  P.Event("OnScroll", &TcxScrollBar::OnScroll);
}

TcxScrollBar::TcxScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FBitmap.reset(TBitmap::Create());
  FBitmapCanvas.reset(TcxCanvas::Create(FBitmap->GetCanvas()));
  FLookAndFeel.reset(TcxLookAndFeel::CreateWithOwner(this));
  FLookAndFeel->OnValuesChanged = TcxLookAndFeelValuesChangedEvent(this, &TcxScrollBar::LookAndFeelChanged);
  FViewInfo.reset(CreateViewInfo());
  SetControlStyle(TControlStyle{csCaptureMouse, csFramed, csOpaque});
  FThemeNotificator.reset(TdxThemeChangedNotificator::CreateSubscribed());
  FThemeNotificator->ThemeChangeHandler = TDelegate<void()>(this, &TcxScrollBar::ThemeChanged);
  FTimer.reset(TcxTimer::Create(nullptr));
  FTimer->SetEnabled(false);
  FTimer->SetInterval(FirstRepeatDelay);
  FTimer->SetOnTimer(TNotifyEvent(this, &TcxScrollBar::TimerTick));
  UpdateMinThumbLength();
  SetBounds(GetLeft(), GetTop(), 121, GetSystemMetrics(SM_CYHSCROLL));
  FViewInfo->Recalculate();
}

TcxScrollBar::~TcxScrollBar() = default;

TcxLookAndFeelPainterClass TcxScrollBar::Painter() const { return FLookAndFeel->PainterForThemedObject(tokScrollBar); }

bool TcxScrollBar::PainterHotTracks() const { return Painter()->ScrollButtonsHotTrack(); }

int TcxScrollBar::MinThumbSize() const { return Painter()->MinThumbLength(FKind == sbVertical); }

void TcxScrollBar::UpdateMinThumbLength() { FViewInfo->MinThumbLength = MinThumbSize(); }

void TcxScrollBar::SetKind(TScrollBarKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  UpdateMinThumbLength();
  if (GetComponentState().Contains(csLoading)) FViewInfo->Recalculate();
  else SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
  Invalidate();
}

void TcxScrollBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const RECT Old = GetBoundsRect();
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  const RECT New = GetBoundsRect();
  if (RectsEqual(Old, New) && FBitmap->GetWidth() == GetWidth() && FBitmap->GetHeight() == GetHeight()) return;
  if (GetWidth() > 0 && GetHeight() > 0) {
    FBitmap->SetSize(GetWidth(), GetHeight());
    FViewInfo->Recalculate();
  }
}

void TcxScrollBar::AssignScrollRange(int AMin, int AMax, int APosition, int APageSize, bool Repaint) {
  if (AMax < AMin || AMax < APageSize)
    throw EInvalidOperation(ResolveResourceString(scxScrollBarPropertyOutOfRange));
  APosition = std::clamp(APosition, AMin, AMax);
  if (AMin == FMin && AMax == FMax && APageSize == FPageSize && APosition == FPosition) return;
  FMin = AMin;
  FMax = AMax;
  FPageSize = APageSize;
  const bool Moved = APosition != FPosition;
  if (Moved) {
    SetEnabled(true);
    FPosition = APosition;
  }
  FViewInfo->CalculateThumb();
  if (Repaint && HandleAllocated()) this->Repaint();
  if (Moved) PositionChanged();
}

void TcxScrollBar::PositionChanged() {
  Changed();
  OnChange(this);
}

TcxScrollBarPaintPart TcxScrollBar::HitTest(POINT P) const {
  const RECT Client{0, 0, GetWidth(), GetHeight()};
  if (!RectContainsPoint(Client, P)) return sppNone;
  const TcxScrollBarViewInfo& V = *FViewInfo;
  if (RectContainsPoint(V.TopLeftArrowRect, P)) return sppLineUp;
  if (RectContainsPoint(V.BottomRightArrowRect, P)) return sppLineDown;
  if (V.HasThumb()) {
    if (RectContainsPoint(V.ThumbRect, P)) return sppThumb;
    if (RectContainsPoint(V.PageUpRect, P)) return sppPageUp;
    if (RectContainsPoint(V.PageDownRect, P)) return sppPageDown;
  }
  return sppNone;
}

TcxPaintButtonState TcxScrollBar::PartState(TcxScrollBarPaintPart Part) const {
  if (!GetEnabled()) return pbsDisabled;
  if (Part == sppThumb && !PainterHotTracks()) return pbsNormal;
  if (FPressedPart != sppNone) return Part == FPressedPart && Part == FHotPart ? pbsPressed : pbsNormal;
  if (Part == FHotPart && !GetComponentState().Contains(csDesigning)) return pbsHot;
  return pbsNormal;
}

void TcxScrollBar::DrawPart(TcxCanvas* Canvas, const RECT& R, TcxPaintButtonState State, TcxScrollBarPaintPart Part) {
  Painter()->PaintScrollBarPart(Canvas, FKind == sbHorizontal, R, Part, State);
}

void TcxScrollBar::PaintParts(TcxCanvas* Canvas) {
  const TcxScrollBarViewInfo& V = *FViewInfo;
  if (!V.HasThumb()) DrawPart(Canvas, RECT{0, 0, GetWidth(), GetHeight()}, pbsDisabled, sppThumb);
  else DrawPart(Canvas, V.ThumbRect, PartState(sppThumb), sppThumb);
  DrawPart(Canvas, V.TopLeftArrowRect, PartState(sppLineUp), sppLineUp);
  DrawPart(Canvas, V.BottomRightArrowRect, PartState(sppLineDown), sppLineDown);
  if (!IsRectEmpty(&V.PageUpRect)) DrawPart(Canvas, V.PageUpRect, PartState(sppPageUp), sppPageUp);
  if (!IsRectEmpty(&V.PageDownRect)) DrawPart(Canvas, V.PageDownRect, PartState(sppPageDown), sppPageDown);
}

void TcxScrollBar::Paint() {
  if (GetWidth() <= 0 || GetHeight() <= 0) return;
  if (FBitmap->GetWidth() != GetWidth() || FBitmap->GetHeight() != GetHeight()) FBitmap->SetSize(GetWidth(), GetHeight());
  PaintParts(FBitmapCanvas.get());
  BitBlt(GetCanvas()->GetHandle(), 0, 0, GetWidth(), GetHeight(), FBitmap->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TcxScrollBar::RecalculateAndRepaint() {
  FViewInfo->Recalculate();
  Invalidate();
}

void TcxScrollBar::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
  UpdateMinThumbLength();
  RecalculateAndRepaint();
}

void TcxScrollBar::ThemeChanged() {
  UpdateMinThumbLength();
  RefreshScrollPatternBitmaps();
  RecalculateAndRepaint();
  if (GetParent()) GetParent()->Realign();
}

void TcxScrollBar::InternalScroll(TScrollCode ScrollCode) {
  int NewPos = FPosition;
  switch (ScrollCode) {
    case scLineUp: NewPos -= FSmallChange; break;
    case scLineDown: NewPos += FSmallChange; break;
    case scPageUp: NewPos -= FLargeChange; break;
    case scPageDown: NewPos += FLargeChange; break;
    case scTop: NewPos = FMin; break;
    case scBottom: NewPos = FMax; break;
    default: break;
  }
  NewPos = std::clamp(NewPos, FMin, FMax);
  FireScroll(ScrollCode, NewPos);
  NewPos = std::clamp(NewPos, FMin, FMax);
  if (NewPos == FPosition) return;
  if (ScrollCode == scTrack) {
    // Tracking moves the bar without a change notice; the end of the drag brings it.
    FPosition = NewPos;
    FViewInfo->CalculateThumb();
    Invalidate();
  } else {
    SetPosition(NewPos);
  }
}

void TcxScrollBar::StepPressedPart() {
  static const TScrollCode Codes[] = {scEndScroll, scLineUp, scLineDown, scEndScroll, scPageUp, scPageDown};
  InternalScroll(Codes[FPressedPart]);
}

void TcxScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const TcxScrollBarPaintPart Part = HitTest(POINT{X, Y});
  if (Part == sppNone) return;
  FPressedPart = FHotPart = Part;
  if (Part == sppThumb) {
    FDownPoint = POINT{X, Y};
    FSavePosition = FPosition;
    FSaveThumbStart = POINT{FViewInfo->ThumbRect.left, FViewInfo->ThumbRect.top};
    InternalScroll(scTrack);
  } else {
    StepPressedPart();
    FTimer->SetInterval(FirstRepeatDelay);
    FTimer->SetEnabled(true);
  }
  Repaint();
}

void TcxScrollBar::TimerTick(TObject*) {
  if (!HandleAllocated() || GetCapture() != GetHandle() || !IsLineOrPagePart(FPressedPart)) {
    CancelScroll();
    return;
  }
  FTimer->SetInterval(RepeatInterval);
  StepPressedPart();
  POINT Cursor;
  GetCursorPos(&Cursor);
  FTimer->SetEnabled(HitTest(ScreenToClient(Cursor)) == FPressedPart);
  Repaint();
}

int TcxScrollBar::PositionFromThumb() const {
  const TcxScrollBarViewInfo& V = *FViewInfo;
  const int Room = V.TrackLength() - V.ThumbLength();
  // A thumb that fills the track has nowhere to move: it stands for the start.
  if (Room <= 0) return FMin;
  const int ThumbStart = FKind == sbHorizontal ? V.ThumbRect.left : V.ThumbRect.top;
  const int Span = FMax - FMin - (FPageSize > 0 ? FPageSize - 1 : 0);
  return FMin + MulDiv(Span, ThumbStart - V.TrackStart(), Room);
}

void TcxScrollBar::TrackThumb(POINT P) {
  TcxScrollBarViewInfo& V = *FViewInfo;
  const bool Horizontal = FKind == sbHorizontal;
  RECT Tolerance{0, 0, GetWidth(), GetHeight()};
  Tolerance = Horizontal ? RectInflated(Tolerance, ToleranceAlong, ToleranceAcross)
                         : RectInflated(Tolerance, ToleranceAcross, ToleranceAlong);
  if (FUnlimitedTracking || RectContainsPoint(Tolerance, P)) {
    const int Length = V.ThumbLength();
    int Start = (Horizontal ? FSaveThumbStart.x + P.x - FDownPoint.x : FSaveThumbStart.y + P.y - FDownPoint.y);
    Start = std::max(V.TrackStart(), std::min(Start, V.TrackStart() + V.TrackLength() - Length));
    if (Horizontal) V.ThumbRect.left = Start, V.ThumbRect.right = Start + Length;
    else V.ThumbRect.top = Start, V.ThumbRect.bottom = Start + Length;
    const int NewPos = PositionFromThumb();
    if (NewPos != FPosition) {
      FPosition = NewPos;
      InternalScroll(scTrack);
    }
    // The thumb follows the mouse, not the rounded position.
    if (Horizontal) V.ThumbRect.left = Start, V.ThumbRect.right = Start + Length;
    else V.ThumbRect.top = Start, V.ThumbRect.bottom = Start + Length;
    if (Horizontal) V.PageUpRect.right = Start, V.PageDownRect.left = Start + Length;
    else V.PageUpRect.bottom = Start, V.PageDownRect.top = Start + Length;
  } else if (FPosition != FSavePosition) {
    FPosition = FSavePosition;
    InternalScroll(scTrack);
    V.CalculateThumb();
  } else {
    V.CalculateThumb();
  }
  Repaint();
}

void TcxScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const POINT P{X, Y};
  if (FPressedPart == sppThumb) {
    TrackThumb(P);
    return;
  }
  const TcxScrollBarPaintPart Part = HitTest(P);
  if (IsLineOrPagePart(FPressedPart)) FTimer->SetEnabled(Part == FPressedPart);
  if (Part != FHotPart) {
    FHotPart = Part;
    if (PainterHotTracks() || FPressedPart != sppNone) Repaint();
  }
}

void TcxScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  CancelScroll();
  FHotPart = HitTest(POINT{X, Y});
  Repaint();
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TcxScrollBar::CancelScroll() {
  if (FPressedPart == sppNone) return;
  if (FPressedPart == sppThumb) {
    FPosition = PositionFromThumb();
    InternalScroll(scPosition);
  }
  FTimer->SetEnabled(false);
  FPressedPart = FHotPart = sppNone;
  InternalScroll(scEndScroll);
  FViewInfo->CalculateThumb();
  Invalidate();
}

void TcxScrollBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_CANCELMODE:
      CancelScroll();
      break;
    case CN_HSCROLL:
    case CN_VSCROLL:
      InternalScroll(static_cast<TScrollCode>(LOWORD(Message.WParam)));
      return;
    case CM_SYSCOLORCHANGE: RefreshScrollPatternBitmaps(); break;
    case CN_CTLCOLORSCROLLBAR:
      RefreshScrollPatternBitmaps();
      DefaultHandler(Message);
      return;
    case CM_ENABLEDCHANGED:
      FViewInfo->Recalculate();
      if (!GetEnabled()) CancelScroll();
      Invalidate();
      return;
    case CM_VISIBLECHANGED:
      if (!GetVisible()) CancelScroll();
      break;
    case CM_MOUSEENTER:
      if (PainterHotTracks() || IsLineOrPagePart(FPressedPart)) Invalidate();
      break;
    case CM_MOUSELEAVE:
      if (FPressedPart != sppThumb) FHotPart = sppNone;
      if (PainterHotTracks() || IsLineOrPagePart(FPressedPart)) Invalidate();
      break;
  }
  TCustomControl::Dispatch(Message);
}
