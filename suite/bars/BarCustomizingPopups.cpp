#include "suite/bars/BarCustomizingPopups.h"

#include "framework/Messages.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"

namespace {
constexpr UINT kRefuseBlankCaption = WM_APP + 0x35;
}

// ---- TdxBarInternalSubMenuControl

TdxBarInternalSubMenuControl::TdxBarInternalSubMenuControl(TdxBarManager* Manager)
    : TdxBarSubMenuControl(Manager ? Manager->OwnerComponent() : nullptr) {
  SetBarManager(Manager);
  FLinks.reset(new TdxBarItemLinks(Manager, this));
  FLinks->SetInternal(true);
  FLinks->CreateBarControl();
}

TdxBarInternalSubMenuControl::~TdxBarInternalSubMenuControl() {
  OnDestroyed(this);
  DestroyItemControls();
  // The window goes with its links, not the links' window with them.
  FLinks->ForgetBarControl();
  AssignItemLinks(nullptr);
  FLinks.reset();
}

TdxBarPainter* TdxBarInternalSubMenuControl::GetPainter() const {
  return FOwnPainter ? FOwnPainter : TdxBarSubMenuControl::GetPainter();
}

void TdxBarInternalSubMenuControl::DoClose() {
  TdxBarSubMenuControl::DoClose();
  if (FFreeOnClose && HandleAllocated()) PostMessageW(GetHandle(), CM_RELEASE, 0, 0);
}

void TdxBarInternalSubMenuControl::WndProc(TMessage& Message) {
  if (Message.Msg == CM_RELEASE) {
    Free(this);
    return;
  }
  TdxBarSubMenuControl::WndProc(Message);
}

// ---- TdxBarCustomizingPopup

void TdxBarCustomizingPopup::FillCommands() {
  if (TdxBarManager* M = GetBarManager()) M->DoShowCustomizingPopup(GetItemLinks());
}

void TdxBarCustomizingPopup::DoClose() {
  TdxBarInternalSubMenuControl::DoClose();
  OnClosedUp(this);
}

void TdxBarCustomizingPopup::PostRefuseBlankCaption() {
  if (HandleAllocated()) PostMessageW(GetHandle(), kRefuseBlankCaption, 0, 0);
}

void TdxBarCustomizingPopup::WndProc(TMessage& Message) {
  if (Message.Msg == kRefuseBlankCaption) {
    CloseBar();
    BarMessageBox(BarString(dxSBAR_COMMANDNAMECANNOTBEBLANK), MB_ICONHAND);
    return;
  }
  TdxBarInternalSubMenuControl::WndProc(Message);
}
