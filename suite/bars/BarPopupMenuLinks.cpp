#include "suite/bars/BarPopupMenuLinks.h"

#include "framework/Form.h"
#include "framework/Messages.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarRoutines.h"

// ---- TdxBarPopupMenuLink

SONVELT_PUBLISHED(TdxBarPopupMenuLink, P) {
  P.Component("Control", &TdxBarPopupMenuLink::GetControl, &TdxBarPopupMenuLink::SetControl);
  P.Component("PopupMenu", &TdxBarPopupMenuLink::GetPopupMenu, &TdxBarPopupMenuLink::SetPopupMenu);
  P.Boolean("ProcessChildren", &TdxBarPopupMenuLink::GetProcessChildren, &TdxBarPopupMenuLink::SetProcessChildren)
      .Default(true);
  P.Event("OnAction", &TdxBarPopupMenuLink::OnAction);
}

TdxBarPopupMenuLink::~TdxBarPopupMenuLink() = default;

void TdxBarPopupMenuLink::BeforeDestruction() {
  // The control gets its own window procedure back before the link goes.
  SetControl(nullptr);
  TCollectionItem::BeforeDestruction();
}

TdxBarManager* TdxBarPopupMenuLink::OwningManager() const {
  auto* Links = dynamic_cast<TdxBarPopupMenuLinks*>(GetCollection());
  return Links ? Links->GetBarManager() : nullptr;
}

TWinControl* TdxBarPopupMenuLink::WindowedControl() const { return dynamic_cast<TWinControl*>(FControl); }

void TdxBarPopupMenuLink::SetControl(TControl* Value) {
  TdxBarManager* M = OwningManager();
  if (Value && !IsControlOfManagerForm(M, Value)) Value = nullptr;
  if (Value == FControl) return;
  if (FControl) {
    FControl->WindowProc = FPrevWndProc;
    FPrevWndProc = nullptr;
  }
  FControl = Value;
  if (!Value) return;
  if (M) Value->FreeNotification(M);
  FPrevWndProc = Value->WindowProc;
  Value->WindowProc = Bind(this, &TdxBarPopupMenuLink::LinkWndProc);
}

void TdxBarPopupMenuLink::SetPopupMenu(TdxBarPopupMenu* Value) {
  FPopupMenu = Value;
  if (Value)
    if (TdxBarManager* M = OwningManager()) Value->FreeNotification(M);
}

void TdxBarPopupMenuLink::Assign(TPersistent* Source) {
  auto* L = dynamic_cast<TdxBarPopupMenuLink*>(Source);
  if (!L) {
    TCollectionItem::Assign(Source);
    return;
  }
  TdxBarManager* M = OwningManager();
  TComponent* Form = M ? M->GetOwner() : nullptr;
  // Any control of the form will do: a graphic control has a context menu too.
  TComponent* C = Form && L->GetControl() ? Form->FindComponent(L->GetControl()->GetName()) : nullptr;
  SetControl(As<TControl>(C));
  TComponent* Menu = Form && L->GetPopupMenu() ? Form->FindComponent(L->GetPopupMenu()->GetName()) : nullptr;
  SetPopupMenu(As<TdxBarPopupMenu>(Menu));
  FProcessChildren = L->FProcessChildren;
}

void TdxBarPopupMenuLink::LinkWndProc(TMessage& Message) {
  if (Message.Msg != WM_CONTEXTMENU || !FControl || FControl->GetComponentState().Contains(csDesigning)) {
    FPrevWndProc(Message);
    return;
  }
  TContextPopupEvent Own = Bind(this, &TdxBarPopupMenuLink::LinkContextPopup);
  if (FControl->OnContextPopup == Own) return;
  FPrevContextPopup = FControl->OnContextPopup;
  FControl->OnContextPopup = Own;
  TControl* Control = FControl;
  try {
    FPrevWndProc(Message);
  } catch (...) {
    Control->OnContextPopup = FPrevContextPopup;
    FPrevContextPopup = nullptr;
    throw;
  }
  Control->OnContextPopup = FPrevContextPopup;
  FPrevContextPopup = nullptr;
}

void TdxBarPopupMenuLink::LinkContextPopup(TObject* Sender, POINT MousePos, bool& Handled) {
  FPrevContextPopup(Sender, MousePos, Handled);
  TControl* Child = nullptr;
  if (TWinControl* Win = WindowedControl(); Win && !(MousePos.x == -1 && MousePos.y == -1))
    Child = Win->ControlAtPos(MousePos, true, true);
  if (!Handled && (FProcessChildren || !Child)) Handled = ShowPopup(MousePos);
}

bool TdxBarPopupMenuLink::ShowPopup(POINT Point) {
  bool ClickedByMouse = !(Point.x == -1 && Point.y == -1);
  bool AllowPopup = FPopupMenu != nullptr;
  int X = Point.x, Y = Point.y;
  OnAction(this, X, Y, ClickedByMouse, AllowPopup);
  if (AllowPopup && FPopupMenu && FControl) {
    POINT Screen = FControl->ClientToScreen(POINT{X, Y});
    FPopupMenu->PopupAtPoint(Screen.x, Screen.y);
  }
  return AllowPopup;
}

bool TdxBarPopupMenuLink::HandleShortCut(TShortCut ShortCut) {
  bool AllowPopup = FPopupMenu != nullptr;
  int X = -1, Y = -1;
  OnAction(this, X, Y, false, AllowPopup);
  return AllowPopup && FPopupMenu && FPopupMenu->GetItemLinks()->HandleShortCut(ShortCut);
}

// ---- TdxBarPopupMenuLinks

TdxBarPopupMenuLinks::TdxBarPopupMenuLinks(TdxBarManager* ABarManager)
    : TCollection(TdxBarPopupMenuLink::StaticClass()), FBarManager(ABarManager) {}

TPersistent* TdxBarPopupMenuLinks::GetOwner() const { return FBarManager; }

bool TdxBarPopupMenuLinks::HandleShortCutHere(TControl* Control, TShortCut ShortCut) {
  for (int I = 0; I < GetCount(); ++I)
    if (GetLink(I)->GetControl() == Control && GetLink(I)->HandleShortCut(ShortCut)) return true;
  for (int I = 0; I < GetCount(); ++I) {
    TdxBarPopupMenuLink* L = GetLink(I);
    if (L->GetProcessChildren() && L->WindowedControl() && IsControlInside(L->WindowedControl(), Control) &&
        L->HandleShortCut(ShortCut))
      return true;
  }
  return false;
}

bool TdxBarPopupMenuLinks::HandleShortCut(TControl* Control, TShortCut ShortCut) {
  if (HandleShortCutHere(Control, ShortCut)) return true;
  TdxBarManager* Parent = FBarManager ? FBarManager->ParentFormManager() : nullptr;
  return Parent && Parent != FBarManager && Parent->GetPopupMenuLinks()->HandleShortCutHere(Control, ShortCut);
}
