#include "suite/bars/BarCustomizingPopups.h"

#include <vector>

#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/common/ObjectLinks.h"

namespace {
constexpr UINT kRefuseBlankCaption = WM_APP + 0x35;
constexpr UINT kReleaseWindows = WM_APP + 0x36;

// Windows to free once the message being handled is done; a closed menu has no
// window of its own left to post to, so a message-only window takes the notice.
std::vector<TcxObjectLink*>& PendingReleases() {
  static std::vector<TcxObjectLink*> Pending;
  return Pending;
}

LRESULT CALLBACK ReleaseProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg != kReleaseWindows) return DefWindowProcW(Wnd, Msg, WParam, LParam);
  std::vector<TcxObjectLink*> Pending;
  Pending.swap(PendingReleases());
  for (TcxObjectLink* Link : Pending) {
    TObject* Window = Link->Ref;
    DropObjectLink(Link);
    Free(Window);
  }
  return 0;
}

}  // namespace

void ReleaseBarWindowLater(TObject* Window) {
  static HWND Notices = nullptr;
  if (!Notices || !IsWindow(Notices)) {
    WNDCLASSW WC{};
    WC.lpfnWndProc = ReleaseProc;
    WC.hInstance = GetModuleHandleW(nullptr);
    WC.lpszClassName = L"SonveltBarReleases";
    RegisterClassW(&WC);
    Notices = CreateWindowExW(0, WC.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, WC.hInstance, nullptr);
  }
  for (TcxObjectLink* Link : PendingReleases())
    if (Link->Ref == Window) return;
  PendingReleases().push_back(CreateObjectLink(Window));
  PostMessageW(Notices, kReleaseWindows, 0, 0);
}

// ---- TdxBarInternalSubMenuControl

TdxBarInternalSubMenuControl::TdxBarInternalSubMenuControl(TdxBarManager* Manager)
    : TdxBarSubMenuControl(Manager ? Manager->OwnerComponent() : nullptr) {
  SetBarManager(Manager);
  FLinks.reset(new TdxBarItemLinks(Manager, this));
  FLinks->SetInternal(true);
}

void TdxBarInternalSubMenuControl::ShowAnimated() {
  // The links get their controls only now, measured by the window about to show.
  FLinks->CreateBarControl();
  TdxBarSubMenuControl::ShowAnimated();
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
  TcxObjectLinkGuard Alive(this);
  TdxBarSubMenuControl::DoClose();
  if (Alive.Alive() && FFreeOnClose) ReleaseBarWindowLater(this);
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
