// Dragging inside a suite control (a descendant decides what starts where and
// what a drop means) and the suite's objects for the framework's drag and drop.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/DragObject.h"
#include "framework/ImageList.h"

class TcxControl;
class TcxCanvas;

// 0 none, 1 starting (pressed where a drag may start), 2 in process.
enum TcxDragAndDropState : std::uint8_t { ddsNone, ddsStarting, ddsInProcess };

class TcxDragAndDropObject : public TObject {
  SONVELT_CLASS(TcxDragAndDropObject, TObject)
public:
  using TCreateArg = TcxControl*;
  explicit TcxDragAndDropObject(TcxControl* Control);
  static TcxDragAndDropObject* CreateForControl(TcxControl* Control) { return Create(Control); }

  TcxControl* GetControl() const { return FControl; }
  bool GetDirty() const { return FDirty; }
  void SetDirty(bool Value);
  POINT GetCurMousePos() const { return FCurMousePos; }
  POINT GetPrevMousePos() const { return FPrevMousePos; }

  virtual bool StartsImmediately() { return false; }
  virtual void BeginDragging();
  virtual void DragMoved(POINT P, bool& Accepted);
  virtual void StopDragging(bool Accepted) { (void)Accepted; SetDirty(true); }
  virtual void DropCompleted(bool Accepted) { (void)Accepted; }

protected:
  virtual void DirtyChanged() {}
  // crNoDrop when not accepted, crDrag when accepted.
  virtual TCursor CursorForAccepted(bool Accepted);

private:
  friend class TcxControl;
  TcxControl* FControl;
  TcxCanvas* FCanvas;
  bool FDirty = false;
  POINT FCurMousePos{-1, -1};
  POINT FPrevMousePos{-1, -1};
};

using TcxDragAndDropObjectClass = TClassOf<TcxDragAndDropObject>;

// The drag object of a suite control: the copy cursor while Ctrl is held over a
// target that accepts; frees itself when the drag has finished.
class TcxDragControlObject : public TDragControlObject {
  SONVELT_CLASS(TcxDragControlObject, TDragControlObject)
public:
  using TCreateArg = TControl*;
  explicit TcxDragControlObject(TControl* AControl) : TDragControlObject(AControl) {}
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
  void Finished(TObject* Target, int X, int Y, bool Accepted) override;
};

class TcxDragImageList : public TDragImageList {
  SONVELT_CLASS(TcxDragImageList, TDragImageList)
public:
  explicit TcxDragImageList(TComponent* AOwner) : TDragImageList(AOwner) {}
};
