#include "framework/DragObject.h"

#include <cstdlib>

#include "framework/AllocateHWnd.h"
#include "framework/Application.h"
#include "framework/ImageList.h"
#include "framework/Screen.h"
#include "framework/WinControl.h"

TCursor TDragObject::GetDragCursor(bool Accepted, int, int) { return Accepted ? crDrag : crNoDrop; }

void TDragObject::Finished(TObject*, int, int, bool) {}

TCursor TDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
  if (Accepted) return FControl->GetDragCursor();
  return TDragObject::GetDragCursor(Accepted, X, Y);
}

void TDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
  if (!Accepted) Target = nullptr;
  FControl->DoEndDrag(Target, X, Y);
}

struct TDragSession {
  TControl* Control = nullptr;
  TDragObject* Object = nullptr;
  bool OwnsObject = false;
  POINT Start{0, 0};
  int Threshold = 5;
  bool Active = false;
  bool Accepted = false;
  HWND Window = nullptr;
  TDragImageList* Images = nullptr;
  bool ImageShown = false;

  void Leave() {
    if (Object->FDragTarget) SendDrag(Object->FDragTarget, dmDragLeave);
    Object->FDragTarget = nullptr;
  }
  LRESULT SendDrag(TControl* Target, TDragMessage Kind) {
    TDragRec Rec{Object->FDragPos, Object, Target};
    return Target->Perform(CM_DRAG, Kind, reinterpret_cast<LPARAM>(&Rec));
  }
  void MoveTo(POINT P) {
    Object->FDragPos = P;
    if (Images && !ImageShown) ImageShown = Images->BeginDrag(GetDesktopWindow(), P.x, P.y);
    else if (ImageShown) Images->DragMove(P.x, P.y);
    TControl* Target = FindDragTarget(P, false);
    if (Target != Object->FDragTarget) {
      Leave();
      Object->FDragTarget = Target;
      Accepted = Target && SendDrag(Target, dmDragEnter) != 0;
    }
    if (Target) Accepted = SendDrag(Target, dmDragMove) != 0;
    else Accepted = false;
    POINT C = Target ? Target->ScreenToClient(P) : P;
    if (Screen) ::SetCursor(Screen->GetCursors(Object->GetDragCursor(Accepted, C.x, C.y)));
  }
  void WndProc(TMessage& Message);
};

namespace {
TDragSession Session;
}

void TDragSession::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      POINT P;
      GetCursorPos(&P);
      if (!Active && (std::abs(P.x - Start.x) > Threshold || std::abs(P.y - Start.y) > Threshold)) Active = true;
      if (Active) MoveTo(P);
      return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: DragDone(Active); return;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(Message.LParam) != Window && Control) DragDone(false);
      return;
    case WM_KEYDOWN:
      if (Message.WParam == VK_ESCAPE) DragDone(false);
      return;
    default: Message.Result = DefWindowProcW(Window, Message.Msg, Message.WParam, Message.LParam); return;
  }
}

void DragInitControl(TControl* Control, bool Immediate, int Threshold) {
  if (Session.Control) return;
  TDragObject* Obj = nullptr;
  Control->DoStartDrag(Obj);
  Session.Control = Control;
  Session.OwnsObject = Obj == nullptr;
  Session.Object = Obj ? Obj : Construct<TDragControlObject>(Control);
  Session.Object->FDragTarget = nullptr;
  Session.Object->FCancelling = false;
  Session.Object->FDropped = false;
  GetCursorPos(&Session.Start);
  Session.Object->FDragPos = Session.Start;
  Session.Threshold = Threshold < 0 ? Mouse->GetDragThreshold() : Threshold;
  Session.Active = Immediate;
  Session.Accepted = false;
  Session.Images = Control->GetDragImages();
  if (Session.Images && Session.Images->GetCount() == 0) Session.Images = nullptr;
  Session.Window = AllocateHWnd(TWndMethod(&Session, &TDragSession::WndProc));
  SetCapture(Session.Window);
  if (Immediate) Session.MoveTo(Session.Start);
}

void DragDone(bool Drop) {
  if (!Session.Control) return;
  TDragSession S = Session;
  Session = TDragSession{};
  HWND Wnd = S.Window;
  if (S.ImageShown) S.Images->EndDrag();
  if (GetCapture() == Wnd) ReleaseCapture();
  DeallocateHWnd(Wnd);
  TDragObject* Obj = S.Object;
  TControl* Target = Obj->FDragTarget;
  bool Accepted = Drop && S.Active && S.Accepted && Target;
  Obj->FCancelling = !Drop;
  POINT C = Target ? Target->ScreenToClient(Obj->FDragPos) : Obj->FDragPos;
  try {
    if (Target) {
      S.SendDrag(Target, Accepted ? dmDragDrop : dmDragLeave);
      Obj->FDropped = Accepted;
    }
    Obj->Finished(Accepted ? Target : nullptr, C.x, C.y, Accepted);
  } catch (...) {
    if (S.OwnsObject) Free(Obj);
    throw;
  }
  if (S.OwnsObject) Free(Obj);
  if (Screen) ::SetCursor(Screen->GetCursors(crDefault));
}

bool IsDragSource(const TControl* Control) { return Control && Session.Control == Control; }

TDragObject* CurrentDragObject() { return Session.Object; }

TControl* FindDragTarget(POINT Pos, bool AllowDisabled) {
  HWND Wnd = WindowFromPoint(Pos);
  TWinControl* W = nullptr;
  while (Wnd && !(W = TWinControl::FindControl(Wnd))) Wnd = GetParent(Wnd);
  if (!W) return nullptr;
  TControl* C = W->ControlAtPos(W->ScreenToClient(Pos), AllowDisabled);
  return C ? C : W;
}

void DragMessage(TControl* Control, TMessage& Message) {
  auto* Rec = reinterpret_cast<TDragRec*>(Message.LParam);
  if (!Rec) return;
  TObject* Source = Rec->Source;
  if (auto* DC = dynamic_cast<TDragControlObject*>(Rec->Source)) Source = DC->GetControl();
  POINT P = Control->ScreenToClient(Rec->Pos);
  bool Accept = false;
  switch (static_cast<TDragMessage>(Message.WParam)) {
    case dmDragEnter: Control->DragOver(Source, P.x, P.y, dsDragEnter, Accept); break;
    case dmDragLeave: Control->DragOver(Source, P.x, P.y, dsDragLeave, Accept); break;
    case dmDragMove: Control->DragOver(Source, P.x, P.y, dsDragMove, Accept); break;
    case dmDragDrop: Control->DragDrop(Source, P.x, P.y); break;
    default: break;
  }
  Message.Result = Accept ? 1 : 0;
}
