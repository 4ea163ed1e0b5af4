// A scroll bar drawn entirely by the look-and-feel painter, so that scroll bars
// match the suite's looks. It behaves as a standard scroll bar: arrows, page
// areas, a thumb proportional to the page, auto-repeat (first repeat after
// 400 ms, then every 60 ms while the mouse stays on the pressed part), thumb
// tracking that snaps back when the mouse strays far across the bar, and the
// platform's scroll codes in OnScroll.
#pragma once

#include <windows.h>

#include "framework/CustomControl.h"
#include "framework/OwnedObject.h"
#include "framework/RangeControls.h"
#include "suite/common/cxLookAndFeel.h"
#include "suite/common/cxLookAndFeelPainters.h"

class TBitmap;
class TcxCanvas;
class TcxScrollBar;
class TcxTimer;
class TdxThemeChangedNotificator;

class TcxScrollBarViewInfo : public TObject {
  SONVELT_CLASS(TcxScrollBarViewInfo, TObject)
public:
  explicit TcxScrollBarViewInfo(TcxScrollBar* ScrollBar) : FScrollBar(ScrollBar) {}
  virtual void Recalculate() { CalculateRects(); }
  // The thumb and the page areas alone, for a new position.
  void CalculateThumb();

  RECT BottomRightArrowRect{0, 0, 0, 0};
  RECT PageDownRect{0, 0, 0, 0};
  RECT PageUpRect{0, 0, 0, 0};
  RECT ThumbRect{0, 0, 0, 0};
  int MinThumbLength = 0;
  RECT TopLeftArrowRect{0, 0, 0, 0};

  bool HasThumb() const { return !IsRectEmpty(&ThumbRect); }
  // The room between the arrows and where it starts, along the bar.
  int TrackStart() const;
  int TrackLength() const;
  int ThumbLength() const;

protected:
  virtual void CalculateRects();
  TcxScrollBar* ScrollBar() const { return FScrollBar; }

private:
  TcxScrollBar* FScrollBar;
};

class TcxScrollBar : public TCustomControl {
  SONVELT_CLASS(TcxScrollBar, TCustomControl)
public:
  explicit TcxScrollBar(TComponent* AOwner);
  ~TcxScrollBar() override;

  TScrollBarKind GetKind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int GetMin() const { return FMin; }
  int GetMax() const { return FMax; }
  int GetPageSize() const { return FPageSize; }
  int GetPosition() const { return FPosition; }
  void SetMin(int Value) { AssignScrollRange(Value, FMax, FPosition, FPageSize, true); }
  void SetMax(int Value) { AssignScrollRange(FMin, Value, FPosition, FPageSize, true); }
  void SetPageSize(int Value) { AssignScrollRange(FMin, FMax, FPosition, Value, true); }
  void SetPosition(int Value) { AssignScrollRange(FMin, FMax, Value, FPageSize, true); }
  // Range, position and page at once. Raises EInvalidOperation "Scrollbar property
  // out of range" when Max < Min or Max < PageSize, and then changes nothing.
  void AssignScrollRange(int AMin, int AMax, int APosition, int APageSize, bool Repaint);
  short GetSmallChange() const { return FSmallChange; }
  void SetSmallChange(short Value) { FSmallChange = Value; }
  short GetLargeChange() const { return FLargeChange; }
  void SetLargeChange(short Value) { FLargeChange = Value; }
  bool GetUnlimitedTracking() const { return FUnlimitedTracking; }
  void SetUnlimitedTracking(bool Value) { FUnlimitedTracking = Value; }
  TcxLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }
  TcxScrollBarViewInfo* GetViewInfo() const { return FViewInfo.get(); }
  TcxScrollBarPaintPart GetHotPart() const { return FHotPart; }
  TcxScrollBarPaintPart GetPressedPart() const { return FPressedPart; }
  TcxScrollBarPaintPart HitTest(POINT P) const;
  // How a part is drawn now.
  TcxPaintButtonState PartState(TcxScrollBarPaintPart Part) const;
  TcxLookAndFeelPainterClass Painter() const;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  virtual void DrawPart(TcxCanvas* Canvas, const RECT& R, TcxPaintButtonState State, TcxScrollBarPaintPart Part);
  virtual bool PainterHotTracks() const;
  virtual int MinThumbSize() const;

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;
  static void Publish(TPublisher<TcxScrollBar>& P);

protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  virtual void PositionChanged();
  virtual TcxScrollBarViewInfo* CreateViewInfo() { return TcxScrollBarViewInfo::Create(this); }
  virtual void PaintParts(TcxCanvas* Canvas);
  virtual void FireScroll(TScrollCode ScrollCode, int& ScrollPos) { OnScroll(this, ScrollCode, ScrollPos); }
  void InternalScroll(TScrollCode ScrollCode);
  // Ends arrow repeat or thumb tracking.
  void CancelScroll();

private:
  void TimerTick(TObject* Sender);
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
  void ThemeChanged();
  void UpdateMinThumbLength();
  void RecalculateAndRepaint();
  void StepPressedPart();
  void TrackThumb(POINT P);
  int PositionFromThumb() const;
  bool IsLineOrPagePart(TcxScrollBarPaintPart Part) const { return Part != sppNone && Part != sppThumb; }

  TOwned<TBitmap> FBitmap;
  TOwned<TcxCanvas> FBitmapCanvas;
  POINT FDownPoint{0, 0};
  TScrollBarKind FKind = sbHorizontal;
  short FLargeChange = 1;
  TOwned<TcxLookAndFeel> FLookAndFeel;
  int FMax = 100;
  int FMin = 0;
  int FPageSize = 0;
  int FPosition = 0;
  int FSavePosition = 0;
  POINT FSaveThumbStart{0, 0};
  short FSmallChange = 1;
  TOwned<TdxThemeChangedNotificator> FThemeNotificator;
  TOwned<TcxTimer> FTimer;
  bool FUnlimitedTracking = false;
  TcxScrollBarPaintPart FPressedPart = sppNone;
  TcxScrollBarPaintPart FHotPart = sppNone;
  TOwned<TcxScrollBarViewInfo> FViewInfo;
};
