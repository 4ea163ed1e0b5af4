#include "suite/bars/BarSubMenuEditor.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/common/WindowUtils.h"

namespace {
TdxBarSubMenuEditor* TheEditor = nullptr;
}  // namespace

TdxBarSubMenuEditor* ActiveSubMenuEditorForm() { return TheEditor; }

HWND ActiveSubMenuEditor() { return TheEditor && TheEditor->HandleAllocated() ? TheEditor->GetHandle() : nullptr; }

void FreeSubMenuEditor() {
  if (TheEditor) Free(TheEditor);
}

TdxBarSubMenuEditor::TdxBarSubMenuEditor(TComponent* AOwner) : TdxBarDialogForm(AOwner) {
  ReadLayout("BarSubMenuEditor");
  SetCaption(BarString(dxSBAR_SUBMENUEDITORCAPTION));
}

TdxBarSubMenuEditor::~TdxBarSubMenuEditor() {
  CloseBarControl();
  if (FLinksOwner) FLinksOwner->RemoveFreeNotification(this);
  if (TheEditor == this) TheEditor = nullptr;
}

void TdxBarSubMenuEditor::CreateParams(TCreateParams& Params) {
  TdxBarDialogForm::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
  Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  Params.WindowClass.style |= CS_SAVEBITS | CS_OWNDC;
  // It belongs with the customization form: owned by the same window.
  if (TdxBarCustomCustomizationForm* Form = ActiveCustomizationForm(); Form && Form->HandleAllocated())
    if (HWND Owner = GetWindow(Form->GetHandle(), GW_OWNER)) Params.WndParent = Owner;
}

void TdxBarSubMenuEditor::SetItemLinks(TdxBarItemLinks* Value) {
  if (FItemLinks == Value) return;
  CloseBarControl();
  if (FLinksOwner) FLinksOwner->RemoveFreeNotification(this);
  FItemLinks = Value;
  FLinksOwner = Value ? Value->GetOwnerComponent() : nullptr;
  if (FLinksOwner) FLinksOwner->FreeNotification(this);
  FBarControlWidth = 0;
  // An editor already on screen shows the new menu at once.
  if (FItemLinks && HandleAllocated() && IsWindowVisible(GetHandle())) ShowBarControl();
}

TCustomdxBarControl* TdxBarSubMenuEditor::GetBarControl() const {
  return FItemLinks ? FItemLinks->GetBarControl() : nullptr;
}

void TdxBarSubMenuEditor::Notification(TComponent* AComponent, TOperation Operation) {
  TdxBarDialogForm::Notification(AComponent, Operation);
  if (Operation != opRemove || AComponent != FLinksOwner) return;
  // The links go with their owner, and their window with them.
  FItemLinks = nullptr;
  FLinksOwner = nullptr;
  if (HandleAllocated())
    Release();
  else
    Free(this);
}

void TdxBarSubMenuEditor::Activate() {
  TdxBarDialogForm::Activate();
  if (!FItemLinks) return;
  if (TdxBarManager* M = FItemLinks->GetBarManager(); M && M->IsDragging()) {
    std::string Reason;
    if (TdxBarItem* Dragged = M->DraggedItem(); Dragged && !FItemLinks->CanContainItem(Dragged, Reason)) return;
  }
  ShowBarControl();
}

void TdxBarSubMenuEditor::ShowBarControl() {
  TCustomdxBarControl* W = FItemLinks->GetBarControl();
  // A closed menu keeps its window hidden: it opens again.
  if (W && W->HandleAllocated() && IsWindowVisible(W->GetHandle())) return;
  if (!W) W = FItemLinks->CreateBarControl();
  auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(W);
  if (!Menu || !HandleAllocated()) return;
  RECT R = QueryWindowRect(GetHandle());
  Menu->SetOwnerWidth(0);
  Menu->SetOwnerHeight(R.bottom - R.top);
  Menu->SetLeft(R.left);
  Menu->SetTop(R.bottom);
  Menu->ShowAnimated();
  if (!IsBarControlAlive(Menu) || !Menu->HandleAllocated()) return;
  FBarControlWidth = Menu->GetWidth();
  SetWidth(FBarControlWidth);
}

void TdxBarSubMenuEditor::CloseBarControl() {
  TCustomdxBarControl* W = GetBarControl();
  if (W && W->HandleAllocated() && IsWindowVisible(W->GetHandle())) W->CloseBar();
}

void TdxBarSubMenuEditor::KeepBarControlBelow() {
  TCustomdxBarControl* W = GetBarControl();
  if (!W || !W->HandleAllocated() || !IsWindowVisible(W->GetHandle()) || !HandleAllocated()) return;
  RECT R = QueryWindowRect(GetHandle());
  SetWindowPos(W->GetHandle(), nullptr, R.left, R.bottom, 0, 0,
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
}

void TdxBarSubMenuEditor::DoShow() {
  // Never left of or above the work area it opens on.
  RECT Work = MonitorWorkAreaAt(POINT{GetLeft(), GetTop()});
  SetBounds(std::max<int>(GetLeft(), Work.left), std::max<int>(GetTop(), Work.top), GetWidth(), GetHeight());
  TdxBarDialogForm::DoShow();
}

void TdxBarSubMenuEditor::DoClose(TCloseAction& Action) {
  TdxBarDialogForm::DoClose(Action);
  Action = caFree;
}

void TdxBarSubMenuEditor::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETMINMAXINFO:
      TdxBarDialogForm::Dispatch(Message);
      if (FBarControlWidth > 0) {
        // As wide as its menu, as high as its caption: it cannot be resized.
        auto* Info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
        Info->ptMinTrackSize = Info->ptMaxTrackSize = POINT{FBarControlWidth, GetHeight()};
      }
      return;
    case WM_WINDOWPOSCHANGED:
      TdxBarDialogForm::Dispatch(Message);
      if (!(reinterpret_cast<WINDOWPOS*>(Message.LParam)->flags & SWP_NOMOVE)) KeepBarControlBelow();
      return;
    case WM_NCLBUTTONDOWN:
      if (Message.WParam == HTCLOSE)
        CloseBarControl();
      else
        Activate();
      break;
    default: break;
  }
  TdxBarDialogForm::Dispatch(Message);
}

void ShowSubMenuEditor(TdxBarItemLinks* Links) {
  if (!Links) return;
  if (TdxBarManager* M = Links->GetBarManager()) {
    M->SetCustomizing(true);
    if (M->IsCustomizing())
      if (TdxBarCustomCustomizationForm* Form = ActiveCustomizationForm()) Form->ShowCommandsPage();
  }
  if (!TheEditor) TheEditor = Construct<TdxBarSubMenuEditor>(nullptr);
  // Only the caption bar shows; the menu hangs below it. The frame is the
  // window's own, so it is measured on the window.
  TheEditor->HandleNeeded();
  TheEditor->SetClientHeight(0);
  TheEditor->SetItemLinks(Links);
  Application->ProcessMessages();
  if (TheEditor) TheEditor->Show();
}
