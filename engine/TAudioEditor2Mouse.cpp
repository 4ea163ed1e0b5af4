// The editor's mouse: click sets the cursor, drag selects, shift-click
// extends, dragging a marker moves it, the wheel scrolls the view.
#include <algorithm>
#include <cstdlib>

#include "engine/AudioEditorPainter.h"
#include "engine/TAudioEditor2.h"

int TAudioEditor2::MarkerAt(int x) {
  TAudioEditorLayout l = LayoutAudioEditor(*this, GetClientWidth(), GetClientHeight());
  for (int i = int(MarkerList.size()) - 1; i >= 0; --i)
    if (std::abs(l.XOf(MarkerList[size_t(i)].Position) - x) <= 3) return i;
  return -1;
}

void TAudioEditor2::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  // The second press of a double click belongs to the double click.
  if (Button != mbLeft || Shift.Contains(ssDouble) || Busy) return;
  TAudioEditorLayout l = LayoutAudioEditor(*this, GetClientWidth(), GetClientHeight());
  POINT pt{X, Y};
  if (PtInRect(&l.ScaleX, pt)) {
    OnScaleXClick(this);
    return;
  }
  if (PtInRect(&l.ScaleY, pt)) {
    OnScaleYClick(this);
    return;
  }
  int64_t f = l.FrameAt(X);
  int marker = MarkerAt(X);
  if (marker >= 0 && !Shift.Contains(ssShift)) {
    Drag = TDrag::Marker;
    DragMarker = marker;
    DragOffset = f - MarkerList[size_t(marker)].Position;
    OnMarkerClick(this, marker);
    return;
  }
  Drag = TDrag::Select;
  if (Shift.Contains(ssShift)) {
    // Extends from the end of the selection that lies farther from the click.
    int64_t a = GetSelStart(), b = GetSelEnd();
    Anchor = std::llabs(f - a) > std::llabs(f - b) ? a : b;
    MouseMove(Shift, X, Y);
    return;
  }
  Anchor = f;
  SetSelectionActive(false);
  SetCursor(int(f));
}

void TAudioEditor2::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (Drag == TDrag::None || Busy) return;
  TAudioEditorLayout l = LayoutAudioEditor(*this, GetClientWidth(), GetClientHeight());
  int64_t f = l.FrameAt(X);
  if (Drag == TDrag::Marker) {
    if (DragMarker >= int(MarkerList.size())) return;
    TAudioMarker& m = MarkerList[size_t(DragMarker)];
    int64_t p = std::clamp<int64_t>(f - DragOffset, 0, Audio.GetLength() - m.Length);
    if (p == m.Position) return;
    m.Position = p;
    RefreshView();
    OnChangeMarker(this, DragMarker);
    return;
  }
  int64_t a = std::min(Anchor, f), b = std::max(Anchor, f);
  if (SelActive && a == SelStart && b == SelEnd) return;
  SelActive = true;
  SelStart = a;
  SelEnd = b;
  Cursor = a;
  Changed();
}

void TAudioEditor2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) Drag = TDrag::None;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TAudioEditor2::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (Busy) return true;
  int64_t w = ViewEnd - ViewStart;
  int64_t step = std::max<int64_t>(1, w / 8) * -WheelDelta / WHEEL_DELTA;
  int64_t a = std::clamp<int64_t>(ViewStart + step, 0, std::max<int64_t>(0, Audio.GetLength() - w));
  ZoomToRange(int(a), int(a + w));
  return true;
}
