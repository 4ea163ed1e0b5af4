#include "framework/PageControl.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/Unicode.h"

// --- TTabSheet ---

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(GetControlStyle() + csAcceptsControls + csParentBackground);
  SetAlign(alClient);
  SetVisible(false);
  SetParentColor(true);
}

void TTabSheet::BeforeDestruction() {
  SetPageControl(nullptr);
  TWinControl::BeforeDestruction();
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (FPageControl == Value) return;
  if (FPageControl) FPageControl->RemovePage(this);
  SetParent(Value);
  if (Value) Value->InsertPage(this);
}

int TTabSheet::GetPageIndex() const {
  if (!FPageControl) return -1;
  auto& L = FPageControl->FPages;
  return static_cast<int>(std::find(L.begin(), L.end(), this) - L.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (!FPageControl) return;
  auto& L = FPageControl->FPages;
  L.erase(std::remove(L.begin(), L.end(), this), L.end());
  Value = std::clamp(Value, 0, static_cast<int>(L.size()));
  L.insert(L.begin() + Value, this);
  FPageControl->UpdateTabs();
}

int TTabSheet::GetTabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int N = 0;
  for (TTabSheet* P : FPageControl->FPages) {
    if (P == this) return N;
    if (P->FTabVisible) ++N;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (FTabVisible == Value) return;
  FTabVisible = Value;
  if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::Dispatch(TMessage& Message) {
  TWinControl::Dispatch(Message);
  if (Message.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->UpdateTabs();
}

// --- TPageControl ---

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(TControlStyle{csDoubleClicks});
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  SetParentColor(true);
}

void TPageControl::BeforeDestruction() {
  for (TTabSheet* P : FPages) P->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
  TWinControl::BeforeDestruction();
}

void TPageControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_TABCONTROLW);
  Params.Style |= WS_CLIPCHILDREN;
}

void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateTabs();
}

void TPageControl::AdjustClientRect(RECT& Rect) {
  if (HandleAllocated()) {
    SendMessageW(GetHandle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&Rect));
  } else {
    Rect.top += 24;
    InflateRect(&Rect, -4, -4);
  }
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  UpdateTabs();
  if (!FActivePage) SetActivePage(Page);
}

void TPageControl::RemovePage(TTabSheet* Page) {
  TTabSheet* Next = FActivePage == Page ? FindNextPage(Page, true, true) : FActivePage;
  if (Next == Page) Next = nullptr;
  FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
  Page->FPageControl = nullptr;
  if (FActivePage == Page) FActivePage = nullptr;
  UpdateTabs();
  SetActivePage(Next);
}

TTabSheet* TPageControl::PageForTab(int TabIndex) const {
  for (TTabSheet* P : FPages)
    if (P->GetTabIndex() == TabIndex && TabIndex >= 0) return P;
  return nullptr;
}

void TPageControl::UpdateTabs() {
  if (!HandleAllocated()) return;
  HWND H = GetHandle();
  SendMessageW(H, TCM_DELETEALLITEMS, 0, 0);
  int N = 0;
  for (TTabSheet* P : FPages) {
    if (!P->FTabVisible) continue;
    std::wstring W = Utf8ToWide(P->GetText());
    TCITEMW Item{};
    Item.mask = TCIF_TEXT;
    Item.pszText = W.data();
    SendMessageW(H, TCM_INSERTITEMW, N++, reinterpret_cast<LPARAM>(&Item));
  }
  if (FActivePage) SendMessageW(H, TCM_SETCURSEL, FActivePage->GetTabIndex(), 0);
  Realign();
}

void TPageControl::ShowActivePage() {
  for (TTabSheet* P : FPages) P->SetVisible(P == FActivePage);
  if (FActivePage) FActivePage->BringToFront();
}

void TPageControl::SetActivePage(TTabSheet* Value) {
  if (Value && Value->FPageControl != this) return;
  FActivePage = Value;
  ShowActivePage();
  if (HandleAllocated()) SendMessageW(GetHandle(), TCM_SETCURSEL, Value ? Value->GetTabIndex() : -1, 0);
  Realign();
}

int TPageControl::GetActivePageIndex() const { return FActivePage ? FActivePage->GetPageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < GetPageCount() ? FPages[static_cast<size_t>(Value)] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurrentPage, bool GoForward, bool CheckTabVisible) {
  int N = GetPageCount();
  if (N == 0) return nullptr;
  auto It = std::find(FPages.begin(), FPages.end(), CurrentPage);
  int Start = It == FPages.end() ? (GoForward ? N - 1 : 0) : static_cast<int>(It - FPages.begin());
  int I = Start;
  for (int Step = 0; Step < N; ++Step) {
    I = GoForward ? (I + 1) % N : (I - 1 + N) % N;
    if (!CheckTabVisible || FPages[static_cast<size_t>(I)]->FTabVisible) return FPages[static_cast<size_t>(I)];
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward) {
  TTabSheet* P = FindNextPage(FActivePage, GoForward, true);
  if (!P || P == FActivePage) return;
  bool Allow = true;
  OnChanging(this, Allow);
  if (!Allow) return;
  SetActivePage(P);
  OnChange(this);
}

void TPageControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    Message.Result = 0;
    if (Hdr->code == static_cast<UINT>(TCN_SELCHANGING)) {
      bool Allow = true;
      OnChanging(this, Allow);
      Message.Result = Allow ? 0 : 1;
    } else if (Hdr->code == static_cast<UINT>(TCN_SELCHANGE)) {
      int Tab = static_cast<int>(SendMessageW(GetHandle(), TCM_GETCURSEL, 0, 0));
      FActivePage = PageForTab(Tab);
      ShowActivePage();
      OnChange(this);
    }
    return;
  }
  TWinControl::Dispatch(Message);
}
