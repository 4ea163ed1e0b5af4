#include "suite/common/DragAndDrop.h"

#include "framework/Bitmap.h"
#include "framework/Screen.h"
#include "suite/common/ControlsUnit.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/SuiteControl.h"
#include "suite/common/WindowUtils.h"
#include "suite/common/cxCanvas.h"

TcxDragAndDropObject::TcxDragAndDropObject(TcxControl* Control)
    : FControl(Control), FCanvas(Control ? Control->GetCxCanvas() : nullptr) {}

void TcxDragAndDropObject::SetDirty(bool Value) {
  if (FDirty == Value) return;
  FDirty = Value;
  DirtyChanged();
}

void TcxDragAndDropObject::BeginDragging() { DirtyChanged(); }

void TcxDragAndDropObject::DragMoved(POINT, bool& Accepted) {
  SetDirty(false);
  if (Screen) Screen->SetCursor(CursorForAccepted(Accepted));
}

TCursor TcxDragAndDropObject::CursorForAccepted(bool Accepted) { return Accepted ? crDrag : crNoDrop; }

TCursor TcxDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
  auto* Control = dynamic_cast<TcxControl*>(GetControl());
  if (Accepted && Control && Control->IsCopyDragging()) return crcxDragCopy;
  return TDragControlObject::GetDragCursor(Accepted, X, Y);
}

void TcxDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
  TDragControlObject::Finished(Target, X, Y, Accepted);
  // Given to the drag by its control, so nobody else frees it.
  FreeDeferred(this);
}

// ---- the control's side

TcxDragAndDropObjectClass TcxControl::DragAndDropObjectClassOf() {
  return FDragAndDropObjectClass ? FDragAndDropObjectClass : TcxDragAndDropObjectClass(TcxDragAndDropObject::StaticClass());
}

TcxDragAndDropObject* TcxControl::DragAndDropObject() {
  if (!FDragAndDropObject) FDragAndDropObject = DragAndDropObjectClassOf().Create(this);
  return FDragAndDropObject;
}

void TcxControl::SetDragAndDropState(TcxDragAndDropState Value) {
  if (FDragAndDropState == Value) return;
  FDragAndDropState = Value;
  if (Value == ddsNone && !FFinishingDragAndDrop) CancelMouseState();
}

void TcxControl::BeginDragAndDrop() {
  TcxDragAndDropObject* Object = DragAndDropObject();
  POINT P;
  ReadCursorPosition(P);
  P = ScreenToClient(P);
  Object->FCurMousePos = Object->FPrevMousePos = P;
  Object->BeginDragging();
  SetCaptureControl(this);
  FDragAndDropPrevCursor = Screen ? Screen->GetCursor() : crDefault;
  SetDragAndDropState(ddsInProcess);
}

void TcxControl::DragAndDropMove(POINT P, bool& Accepted) {
  TcxDragAndDropObject* Object = DragAndDropObject();
  Object->FPrevMousePos = Object->FCurMousePos;
  Object->FCurMousePos = P;
  Object->DragMoved(P, Accepted);
}

void TcxControl::EndDragAndDrop(bool Accepted) {
  SetDragAndDropState(ddsNone);
  if (Screen) Screen->SetCursor(FDragAndDropPrevCursor);
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  TcxDragAndDropObject* Object = DragAndDropObject();
  Object->StopDragging(Accepted);
  Object->DropCompleted(Accepted);
}

void TcxControl::FinishDragAndDrop(bool Accepted) {
  if (FFinishingDragAndDrop) return;
  FFinishingDragAndDrop = true;
  TcxObjectLinkGuard Link(this);
  try {
    if (FDragAndDropState == ddsInProcess) EndDragAndDrop(Accepted);
    else SetDragAndDropState(ddsNone);
  } catch (...) {
    if (Link.Alive()) {
      FreeAndNil(FDragAndDropObject);
      FFinishingDragAndDrop = false;
    }
    throw;
  }
  if (!Link.Alive()) return;
  FreeAndNil(FDragAndDropObject);
  FFinishingDragAndDrop = false;
}

bool TcxControl::PastDragThreshold(int X, int Y) {
  return GetDragMode() == dmManual || !InDragDetectArea(FMouseDownPos, X, Y);
}

// The thread's key state: it is the one that goes with the drag's mouse messages.
bool TcxControl::IsCopyDragging() { return GetKeyState(VK_CONTROL) < 0; }

void TcxControl::DoStartDrag(TDragObject*& DragObject) {
  Update();
  TcxObjectLinkGuard Link(this);
  TCustomControl::DoStartDrag(DragObject);
  if (!Link.Alive()) return;
  if (!DragObject && DragControlObjectClass()) DragObject = DragControlObjectClass().Create(this);
  if (DragObject && !AcceptsDragObject(DragObject)) {
    Free(DragObject);
    DragObject = nullptr;
    // The framework starts its drag once this returns; it is ended at the next message.
    FCancelDragPending = true;
  }
}

void TcxControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  FCurrentDragObject = State == dsDragLeave ? nullptr : Source;
  TCustomControl::DragOver(Source, X, Y, State, Accept);
}

void TcxControl::DoEndDrag(TObject* Target, int X, int Y) {
  FCurrentDragObject = nullptr;
  TcxObjectLinkGuard Link(this);
  TCustomControl::DoEndDrag(Target, X, Y);
  if (Link.Alive()) FreeAndNil(FDragImages);
}

TDragImageList* TcxControl::GetDragImages() {
  if (!HasDragImages()) return nullptr;
  if (!FDragImages) {
    FDragImages = DragImagesClass().Create(nullptr);
    FillDragImages(FDragImages);
  }
  return FDragImages->GetCount() > 0 ? FDragImages : nullptr;
}

void TcxControl::FillDragImages(TDragImageList* List) {
  const SIZE Size = DragImagesSize();
  if (Size.cx == 0 || Size.cy == 0) return;
  TOwned<TBitmap> Bitmap(TBitmap::Create());
  Bitmap->SetSize(Size.cx, Size.cy);
  TOwned<TcxCanvas> Canvas(TcxCanvas::Create(Bitmap->GetCanvas()));
  DrawDragImage(Canvas.get(), RECT{0, 0, Size.cx, Size.cy});
  List->SetWidth(Size.cx);
  List->SetHeight(Size.cy);
  List->AddMasked(Bitmap.get(), Bitmap->GetTransparentColor());
}
