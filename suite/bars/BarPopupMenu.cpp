#include "suite/bars/BarPopupMenu.h"

#include <vector>

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/Messages.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/SuiteException.h"
#include "suite/common/WindowUtils.h"

namespace {
TdxBarManager* ManagerFor(TComponent* Owner) {
  TdxBarManagerList* List = BarManagerList();
  if (!List || List->GetCount() == 0) throw EdxException(BarString(dxSBAR_NOBARMANAGERS));
  TdxBarManager* M = FindBarManagerByOwner(Owner);
  return M ? M : List->GetManager(0);
}

// The focused window belongs to one of the windows of the active chain.
bool FocusInActiveBars() {
  HWND Focus = GetFocus();
  if (!Focus) return false;
  for (TCustomdxBarControl* W = TopActiveBarControl(); W; W = W->GetPreviousActive())
    if (W->HandleAllocated() && (W->GetHandle() == Focus || IsChild(W->GetHandle(), Focus))) return true;
  return false;
}
}  // namespace

TdxBarCustomPopupMenu::TdxBarCustomPopupMenu(TComponent* AOwner) : TdxBarComponent(AOwner) {
  TdxBarManager* M = ManagerFor(AOwner);
  SetBarManager(M);
  FItemLinks.reset(TdxBarSubMenuControlItemLinks::Create(M, this));
  FBackgroundBitmap.reset(TBitmap::Create());
  FFont.reset(TFont::Create());
  SetUseOwnFont(false);
  FFont->OnChange = TNotifyEvent(this, &TdxBarCustomPopupMenu::FontChanged);
  M->AddPopupMenu(this);
}

void TdxBarCustomPopupMenu::SetBackgroundBitmap(TBitmap* Value) { FBackgroundBitmap->Assign(Value); }

void TdxBarCustomPopupMenu::SetFont(TFont* Value) { FFont->Assign(Value); }

void TdxBarCustomPopupMenu::FontChanged(TObject*) {
  if (!FInternalFontChange) FUseOwnFont = true;
}

void TdxBarCustomPopupMenu::SetUseOwnFont(bool Value) {
  FUseOwnFont = Value;
  if (Value) return;
  TdxBarManager* M = GetBarManager();
  if (!M || !M->GetFont()) return;
  FInternalFontChange = true;
  try {
    FFont->Assign(M->GetFont());
  } catch (...) {
    FInternalFontChange = false;
    throw;
  }
  FInternalFontChange = false;
}

TdxBarCustomPopupMenu::~TdxBarCustomPopupMenu() {
  // The popup loop watches the menu through a weak link.
  ClearLinksToObject(this);
  if (TdxBarManager* M = GetBarManager()) M->RemovePopupMenu(this);
}

TCustomdxBarControl* TdxBarCustomPopupMenu::BarWindow() const {
  TCustomdxBarControl* W = FItemLinks ? FItemLinks->GetBarControl() : nullptr;
  return W && W->HandleAllocated() && IsWindowVisible(W->GetHandle()) ? W : nullptr;
}

void TdxBarCustomPopupMenu::PopupAtPoint(int X, int Y) {
  TdxBarManager* M = GetBarManager();
  if (!M || FShowing || BarWindow()) return;
  CancelModeOfActiveForm();
  if (!M->IsCustomizingOrDesigning())
    if (HWND Capture = GetCapture()) {
      SendMessageW(Capture, CM_CANCELMODE, 0, 0);
      ReleaseCapture();
    }
  if (!FOwnerControl)
    if (TCustomdxBarControl* Active = TopActiveBarControl(); Active && !FocusInActiveBars()) Active->CloseBar();
  auto* Menu = dynamic_cast<TdxBarSubMenuControl*>(FItemLinks->CreateBarControl());
  if (!Menu) return;
  Menu->SetBounds(X, Y, Menu->GetWidth(), Menu->GetHeight());
  Menu->SetOwnerControl(FOwnerItemControl);
  if (FOwnerItemControl && FOwnerItemControl->GetParent()) FOwnerItemControl->GetParent()->SetChildBar(Menu);
  Menu->SetOwnerBounds(FOwnerBounds ? *FOwnerBounds : RECT{0, 0, 0, 0});
  Menu->SetOwnerWindow(FOwnerControl);
  Menu->SetOwnerWidth(FOwnerWidth);
  Menu->SetOwnerHeight(FOwnerHeight);
  auto* OwnerWindow = dynamic_cast<TWinControl*>(GetOwner());
  Menu->SetOwnerHandle(OwnerWindow && OwnerWindow->HandleAllocated() ? OwnerWindow->GetHandle() : nullptr);
  Menu->OnCloseUp = TNotifyEvent(this, &TdxBarCustomPopupMenu::MenuClosedUp);
  Menu->OnPopup = TNotifyEvent(this, &TdxBarCustomPopupMenu::MenuPoppedUp);
  Menu->SetShowAnimation(FShowAnimation);
  // An item's click may free the menu: the loop watches it through a weak link.
  TcxObjectLinkGuard Alive(this);
  {
    TcxObjectLinkGuard WindowAlive(Menu);
    try {
      Menu->ShowAnimated();
    } catch (...) {
      if (WindowAlive.Alive()) Menu->CloseBar();
      throw;
    }
  }
  if (!FOwnMessageLoop) return;
  std::vector<MSG> Commands;
  MSG Last{};
  bool HaveLast = false, Quit = false;
  int ExitCode = 0;
  while (Alive.Alive() && FShowing) {
    MSG Msg;
    BOOL Got = GetMessageW(&Msg, nullptr, 0, 0);
    if (Got == -1) break;
    if (Got == 0) {
      Quit = true;
      ExitCode = static_cast<int>(Msg.wParam);
      break;
    }
    // Closed while the message was fetched (a click elsewhere): the message is the application's.
    if (!Alive.Alive() || !FShowing) {
      Last = Msg;
      HaveLast = true;
      break;
    }
    if (Msg.message == WM_COMMAND) {
      Commands.push_back(Msg);
      continue;
    }
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
  for (const MSG& C : Commands) PostMessageW(C.hwnd, C.message, C.wParam, C.lParam);
  if (HaveLast) PostMessageW(Last.hwnd, Last.message, Last.wParam, Last.lParam);
  if (Quit) PostQuitMessage(ExitCode);
}

void TdxBarCustomPopupMenu::PopupAtCursor() {
  POINT P;
  ReadCursorPosition(P);
  PopupAtPoint(P.x, P.y);
}

void TdxBarCustomPopupMenu::PopupForOwner(int X, int Y, int OwnerWidth, int OwnerHeight, bool ShowAnimation,
                                          const RECT* OwnerBounds, bool OwnMessageLoop,
                                          TCustomdxBarControl* OwnerControl) {
  FOwnerWidth = OwnerWidth;
  FOwnerHeight = OwnerHeight;
  FShowAnimation = ShowAnimation;
  FOwnerBounds = OwnerBounds;
  FOwnMessageLoop = OwnMessageLoop;
  FOwnerControl = OwnerControl;
  TcxObjectLinkGuard Alive(this);
  auto Restore = [&] {
    if (!Alive.Alive()) return;
    FOwnMessageLoop = true;
    FOwnerControl = nullptr;
    FOwnerBounds = nullptr;
    FOwnerWidth = FOwnerHeight = 0;
    FShowAnimation = true;
  };
  try {
    PopupAtPoint(X, Y);
  } catch (...) {
    Restore();
    throw;
  }
  Restore();
}

void TdxBarCustomPopupMenu::MenuClosedUp(TObject* Sender) {
  (void)Sender;
  FShowing = false;
  FOwnerItemControl = nullptr;
  OnCloseUp(this);
}

void TdxBarCustomPopupMenu::MenuPoppedUp(TObject* Sender) {
  (void)Sender;
  FShowing = true;
  OnPopup(this);
}

bool TdxBarCustomPopupMenu::CanContainItem(TdxBarItem* Item, std::string& Text) {
  if (!Item->CanBePlacedOn(hkMenu, Text)) return false;
  TdxBarItemLinks* Own = Item->GetItemLinks();
  if (Own && Own->LeadsToOwner(this)) {
    Text = BarString(dxSBAR_RECURSIVEMENUS);
    return false;
  }
  return true;
}

TCustomdxBarControl* TdxBarCustomPopupMenu::CreateBarControl() {
  auto* Window = TdxBarSubMenuControl::Create(nullptr);
  Window->SetBarManager(GetBarManager());
  return Window;
}
