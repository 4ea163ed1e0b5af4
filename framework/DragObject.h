// Drag and drop between controls. BeginDrag starts a drag from a control (at once,
// or after the mouse moved Threshold pixels); the control under the mouse is asked
// with DragOver (OnDragOver) whether it takes the drop, and DragDrop runs on release
// over an accepting control. The source hears DoEndDrag with the target (null when
// cancelled or refused).
#pragma once

#include <windows.h>

#include "framework/Control.h"

class TDragObject : public TObject {
  SONVELT_CLASS(TDragObject, TObject)
public:
  virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
  // The drag ended: over Target (null when none took it) at X, Y in its coordinates.
  virtual void Finished(TObject* Target, int X, int Y, bool Accepted);
  POINT GetDragPos() const { return FDragPos; }
  TControl* GetDragTarget() const { return FDragTarget; }
  bool GetCancelling() const { return FCancelling; }
  bool GetDropped() const { return FDropped; }

private:
  friend struct TDragSession;
  friend void DragInitControl(TControl*, bool, int);
  friend void DragDone(bool);
  POINT FDragPos{0, 0};
  TControl* FDragTarget = nullptr;
  bool FCancelling = false;
  bool FDropped = false;
};

// Drags a control: the Source the targets see is the control itself.
class TDragControlObject : public TDragObject {
  SONVELT_CLASS(TDragControlObject, TDragObject)
public:
  explicit TDragControlObject(TControl* AControl) : FControl(AControl) {}
  TControl* GetControl() const { return FControl; }
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
  void Finished(TObject* Target, int X, int Y, bool Accepted) override;

private:
  TControl* FControl;
};

struct TDragRec {
  POINT Pos;  // screen coordinates
  TDragObject* Source;
  TControl* Target;
};

void DragInitControl(TControl* Control, bool Immediate, int Threshold);
void DragDone(bool Drop);
bool IsDragSource(const TControl* Control);
TDragObject* CurrentDragObject();
// The CM_DRAG handling of a control: WParam a TDragMessage, LParam a TDragRec*.
void DragMessage(TControl* Control, TMessage& Message);
// The control that would receive a drop at the screen point.
TControl* FindDragTarget(POINT Pos, bool AllowDisabled);
