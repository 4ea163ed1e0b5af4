#include "framework/Menus.h"

#include <algorithm>
#include <cctype>

#include "framework/Action.h"
#include "framework/AllocateHWnd.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/ImageList.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"

namespace {
UINT NextCommand() {
  static UINT Next = 100;
  if (++Next >= 0xF000) Next = 100;
  return Next;
}

struct TKeyName {
  WORD Key;
  const char* Name;
};
const TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},   {VK_ESCAPE, "Esc"},  {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"},    {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},     {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string KeyName(WORD Key) {
  if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9')) return std::string(1, static_cast<char>(Key));
  if (Key >= VK_F1 && Key <= VK_F24) return "F" + std::to_string(Key - VK_F1 + 1);
  for (const auto& K : kKeyNames)
    if (K.Key == Key) return K.Name;
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return "Num " + std::to_string(Key - VK_NUMPAD0);
  UINT Ch = MapVirtualKeyW(Key, MAPVK_VK_TO_CHAR) & 0xFFFF;
  if (Ch >= 0x21 && Ch < 0x7F) return std::string(1, static_cast<char>(Ch));
  return "";
}
}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
  if (Key & 0xFF00) return 0;
  TShortCut R = Key;
  if (Shift.Contains(ssShift)) R |= scShift;
  if (Shift.Contains(ssCtrl)) R |= scCtrl;
  if (Shift.Contains(ssAlt)) R |= scAlt;
  return R;
}

void ShortCutToKey(TShortCut SC, WORD& Key, TShiftState& Shift) {
  Key = SC & 0xFF;
  Shift = {};
  if (SC & scShift) Shift.Include(ssShift);
  if (SC & scCtrl) Shift.Include(ssCtrl);
  if (SC & scAlt) Shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut SC) {
  std::string Name = KeyName(SC & 0xFF);
  if (Name.empty()) return "";
  std::string R;
  if (SC & scShift) R += "Shift+";
  if (SC & scCtrl) R += "Ctrl+";
  if (SC & scAlt) R += "Alt+";
  return R + Name;
}

TShortCut TextToShortCut(const std::string& Text) {
  TShortCut Shift = 0;
  std::string S = Text;
  for (;;) {
    if (S.size() > 6 && SameText(S.substr(0, 6), "Shift+")) { Shift |= scShift; S = S.substr(6); continue; }
    if (S.size() > 5 && SameText(S.substr(0, 5), "Ctrl+")) { Shift |= scCtrl; S = S.substr(5); continue; }
    if (S.size() > 4 && SameText(S.substr(0, 4), "Alt+")) { Shift |= scAlt; S = S.substr(4); continue; }
    break;
  }
  if (S.empty()) return 0;
  for (WORD K = 1; K < 0xFF; ++K)
    if (SameText(KeyName(K), S)) return static_cast<TShortCut>(K | Shift);
  return 0;
}

TShortCut ShortCutFromKey(WORD Key) {
  TShiftState Shift;
  if (GetKeyState(VK_SHIFT) < 0) Shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) Shift.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) Shift.Include(ssAlt);
  return ShortCut(Key, Shift);
}

std::string StripHotkey(const std::string& Caption) {
  std::string R;
  for (size_t I = 0; I < Caption.size(); ++I) {
    if (Caption[I] == '&') {
      if (I + 1 < Caption.size() && Caption[I + 1] == '&') { R += '&'; ++I; }
      continue;
    }
    R += Caption[I];
  }
  return R;
}

// --- action link ---

class TMenuActionLink::TLink : public TBasicActionLink {
public:
  explicit TLink(TMenuItem* Client) : FClient(Client) {}
  void Change() override {
    if (GetAction()) FClient->ActionChange(GetAction());
  }

private:
  TMenuItem* FClient;
};

TMenuActionLink::TMenuActionLink(TMenuItem* Client) : FLink(std::make_unique<TLink>(Client)) {}
TMenuActionLink::~TMenuActionLink() = default;
TBasicAction* TMenuActionLink::GetAction() const { return FLink->GetAction(); }
void TMenuActionLink::SetAction(TBasicAction* Value) { FLink->SetAction(Value); }
bool TMenuActionLink::Execute() { return FLink->Execute(nullptr); }

// --- TMenuItem ---

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(NextCommand()) {}

TMenuItem::~TMenuItem() = default;

void TMenuItem::BeforeDestruction() {
  TComponent::BeforeDestruction();
  FActionLink.reset();
  if (FParent) FParent->Remove(this);
  while (!FItems.empty()) {
    TMenuItem* I = FItems.back();
    Remove(I);
    Free(I);
  }
  DestroySubHandle();
  if (FBitmap) DeleteObject(FBitmap);
  FBitmap = nullptr;
}

namespace {
void RemoveAllItems(HMENU Menu) {
  while (GetMenuItemCount(Menu) > 0) RemoveMenu(Menu, 0, MF_BYPOSITION);
}
}  // namespace

void TMenuItem::DestroySubHandle() {
  if (!FHandle || !FParent) return;
  // Detach first: DestroyMenu would take the sub-menus of the children with it.
  RemoveAllItems(FHandle);
  for (TMenuItem* I : FItems) I->DestroySubHandle();
  DestroyMenu(FHandle);
  FHandle = nullptr;
}

void TMenuItem::RebuildSub() {
  if (!FHandle) FHandle = CreatePopupMenu();
  else RemoveAllItems(FHandle);
  for (TMenuItem* I : FItems) I->AppendTo(FHandle);
}

void TMenuItem::Changed() {
  const TMenuItem* Root = this;
  while (Root->FParent) Root = Root->FParent;
  if (Root->FMenu) Root->FMenu->MenuChanged();
}

void TMenuItem::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed();
}

void TMenuItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  if (Value && FRadioItem && FParent) {
    for (TMenuItem* I : FParent->FItems)
      if (I != this && I->FRadioItem && I->FGroupIndex == FGroupIndex) I->FChecked = false;
  }
  Changed();
}

void TMenuItem::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Changed();
}

void TMenuItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed();
}

void TMenuItem::SetRadioItem(bool Value) {
  if (FRadioItem == Value) return;
  FRadioItem = Value;
  Changed();
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  Changed();
}

void TMenuItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed();
}

void TMenuItem::SetDefault(bool Value) {
  if (FDefault == Value) return;
  if (Value && FParent)
    for (TMenuItem* I : FParent->FItems) I->FDefault = false;
  FDefault = Value;
  Changed();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(GetCount(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item->FParent) throw EInvalidOperation("Menu inserted twice");
  if (Index < 0 || Index > GetCount()) throw EListError("Menu index out of range");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  Changed();
}

void TMenuItem::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) throw EListError("Menu index out of range");
  TMenuItem* I = FItems[static_cast<size_t>(Index)];
  FItems.erase(FItems.begin() + Index);
  Changed();
  I->DestroySubHandle();
  I->FParent = nullptr;
}

void TMenuItem::Remove(TMenuItem* Item) {
  int I = IndexOf(Item);
  if (I >= 0) Delete(I);
}

void TMenuItem::Clear() {
  while (!FItems.empty()) {
    TMenuItem* I = FItems.back();
    Remove(I);
    Free(I);
  }
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const {
  std::string Want = StripHotkey(ACaption);
  for (TMenuItem* I : FItems)
    if (SameText(StripHotkey(I->FCaption), Want)) return I;
  return nullptr;
}

HMENU TMenuItem::GetHandle() {
  if (!FHandle) RebuildSub();
  return FHandle;
}

void TMenuItem::AppendTo(HMENU Menu) {
  if (!FVisible) return;
  MENUITEMINFOW MII{};
  MII.cbSize = sizeof MII;
  MII.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
  MII.wID = FCommand;
  MII.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  std::wstring Text;
  if (IsLine()) {
    // An owner-drawn line is a disabled owner-drawn entry (a separator is never drawn by its owner).
    MII.fType = OnDrawItem ? MFT_OWNERDRAW : MFT_SEPARATOR;
    if (OnDrawItem) MII.fState = MFS_DISABLED;
  } else {
    MII.fMask |= MIIM_STRING;
    std::string T = FCaption;
    if (FShortCut) T += "\t" + ShortCutToText(FShortCut);
    Text = Utf8ToWide(T);
    MII.dwTypeData = Text.data();
    MII.fType = FRadioItem ? MFT_RADIOCHECK : MFT_STRING;
    if (OnDrawItem) MII.fType |= MFT_OWNERDRAW;
    MII.fState = (FChecked ? MFS_CHECKED : 0) | (FEnabled ? 0 : MFS_GRAYED) | (FDefault ? MFS_DEFAULT : 0);
    const TMenuItem* Root = this;
    while (Root->FParent) Root = Root->FParent;
    TCustomImageList* Images = Root->FMenu ? Root->FMenu->GetImages() : nullptr;
    if (FBitmap) {
      DeleteObject(FBitmap);
      FBitmap = nullptr;
    }
    if (!OnDrawItem && Images && FImageIndex >= 0 && FImageIndex < Images->GetCount()) {
      // The image on the menu's colour, drawn grey when the item is disabled.
      TBitmap* Bmp = TBitmap::Create();
      Bmp->SetSize(Images->GetWidth(), Images->GetHeight());
      RECT R{0, 0, Images->GetWidth(), Images->GetHeight()};
      Bmp->GetCanvas()->GetBrush()->SetColor(clMenu);
      Bmp->GetCanvas()->FillRect(R);
      Images->Draw(Bmp->GetCanvas(), 0, 0, FImageIndex, FEnabled);
      FBitmap = Bmp->ReleaseHandle();
      Free(Bmp);
      MII.fMask |= MIIM_BITMAP;
      MII.hbmpItem = FBitmap;
    }
  }
  if (!FItems.empty()) {
    RebuildSub();
    MII.fMask |= MIIM_SUBMENU;
    MII.hSubMenu = FHandle;
  }
  InsertMenuItemW(Menu, GetMenuItemCount(Menu), TRUE, &MII);
}

TMenuItem* TMenuItem::FindCommand(UINT Command) {
  if (FCommand == Command && FParent) return this;
  for (TMenuItem* I : FItems)
    if (TMenuItem* R = I->FindCommand(Command)) return R;
  return nullptr;
}

TMenuItem* TMenuItem::FindHandle(HMENU Handle) {
  if (FHandle == Handle) return this;
  for (TMenuItem* I : FItems)
    if (TMenuItem* R = I->FindHandle(Handle)) return R;
  return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut SC) {
  for (TMenuItem* I : FItems) {
    if (I->FShortCut == SC && I->FVisible) return I;
    if (TMenuItem* R = I->FindShortCut(SC)) return R;
  }
  return nullptr;
}

TBasicAction* TMenuItem::GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }

void TMenuItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = std::make_unique<TMenuActionLink>(this);
  FActionLink->SetAction(Value);
  Value->FreeNotification(this);
  ActionChange(Value);
}

void TMenuItem::ActionChange(TObject* Sender) {
  auto* A = dynamic_cast<TCustomAction*>(Sender);
  if (!A) return;
  FCaption = A->GetCaption();
  FChecked = A->GetChecked();
  FEnabled = A->GetEnabled();
  FVisible = A->GetVisible();
  FShortCut = A->GetShortCut();
  FImageIndex = A->GetImageIndex();
  FHint = A->GetHint();
  FGroupIndex = A->GetGroupIndex();
  if (A->GetGroupIndex() > 0) FRadioItem = true;
  OnClick = A->OnExecute;
  Changed();
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && FActionLink && AComponent == FActionLink->GetAction()) FActionLink.reset();
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck) SetChecked(!FChecked);
  TBasicAction* A = GetAction();
  if (OnClick && A && !(OnClick == A->OnExecute)) OnClick(this);
  else if (A) FActionLink->Execute();
  else OnClick(this);
}

void TMenuItem::InitiateActions() {
  for (TMenuItem* I : FItems)
    if (I->FActionLink && I->GetAction()) I->GetAction()->Update();
}

// --- TMenu ---

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(TMenuItem::Create(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() = default;

void TMenu::BeforeDestruction() {
  TComponent::BeforeDestruction();
  FItems->FMenu = nullptr;
  if (FHandle) RemoveAllItems(FHandle);
  Free(FItems);
  if (FHandle) DestroyMenu(FHandle);
  FHandle = nullptr;
}

HMENU TMenu::GetHandle() {
  if (!FHandle) {
    FHandle = CreateMenuHandle();
    FItems->FHandle = FHandle;
    for (TMenuItem* I : FItems->FItems) I->AppendTo(FHandle);
  }
  return FHandle;
}

void TMenu::SetImages(TCustomImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  MenuChanged();
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TMenu::MenuChanged() {
  if (!FHandle) return;
  RemoveAllItems(FHandle);
  for (TMenuItem* I : FItems->FItems) I->AppendTo(FHandle);
  WindowChanged();
}

bool TMenu::DispatchCommand(UINT Command) {
  TMenuItem* I = FItems->FindCommand(Command);
  if (!I) return false;
  I->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU Handle) {
  TMenuItem* I = FItems->FindHandle(Handle);
  if (!I) return false;
  I->InitiateActions();
  if (I != FItems) I->Click();
  return true;
}

bool TMenu::IsShortCut(WORD Key, LPARAM KeyData) {
  (void)KeyData;
  TShortCut SC = ShortCutFromKey(Key);
  if (!SC) return false;
  TMenuItem* I = FItems->FindShortCut(SC);
  if (!I) return false;
  if (I->GetAction()) I->GetAction()->Update();
  if (!I->GetEnabled()) return false;
  I->Click();
  return true;
}

void TMainMenu::WindowChanged() {
  if (FWindow && IsWindow(FWindow)) DrawMenuBar(FWindow);
}

// --- TPopupMenu ---

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {
  FWindow = AllocateHWnd(TWndMethod(this, &TPopupMenu::WndProc));
}

TPopupMenu::~TPopupMenu() { DeallocateHWnd(FWindow); }

void TPopupMenu::Popup(int X, int Y) {
  OnPopup(this);
  GetItems()->InitiateActions();
  UINT Flags = TPM_RIGHTBUTTON | (FAlignment == paRight ? TPM_RIGHTALIGN : FAlignment == paCenter ? TPM_CENTERALIGN : TPM_LEFTALIGN);
  // The menu needs a foreground owner to close when the user clicks elsewhere.
  SetForegroundWindow(FWindow);
  TrackPopupMenu(GetHandle(), Flags, X, Y, 0, FWindow, nullptr);
  PostMessageW(FWindow, WM_NULL, 0, 0);
}

void TPopupMenu::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_COMMAND:
      if (HIWORD(Message.WParam) == 0 && DispatchCommand(LOWORD(Message.WParam))) return;
      break;
    case WM_INITMENUPOPUP:
      DispatchPopup(reinterpret_cast<HMENU>(Message.WParam));
      return;
    case WM_MEASUREITEM: {
      auto* M = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      if (M->CtlType != ODT_MENU || !M->itemData) break;
      auto* Item = reinterpret_cast<TMenuItem*>(M->itemData);
      HDC DC = GetDC(nullptr);
      TCanvas* C = TCanvas::Create();
      C->SetHandle(DC);
      NONCLIENTMETRICSW NM{};
      NM.cbSize = sizeof NM;
      SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof NM, &NM, 0);
      HFONT Font = CreateFontIndirectW(&NM.lfMenuFont);
      HGDIOBJ Old = SelectObject(DC, Font);
      int W = Item->IsLine() ? 0 : C->TextWidth(StripHotkey(Item->GetCaption())) + 48;
      int H = Item->IsLine() ? 8 : GetSystemMetrics(SM_CYMENU);
      if (Item->OnMeasureItem) Item->OnMeasureItem(Item, C, W, H);
      SelectObject(DC, Old);
      DeleteObject(Font);
      C->SetHandle(nullptr);
      Free(C);
      ReleaseDC(nullptr, DC);
      M->itemWidth = static_cast<UINT>(W);
      M->itemHeight = static_cast<UINT>(H);
      Message.Result = TRUE;
      return;
    }
    case WM_DRAWITEM: {
      auto* D = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if (D->CtlType != ODT_MENU || !D->itemData) break;
      auto* Item = reinterpret_cast<TMenuItem*>(D->itemData);
      TCanvas* C = TCanvas::Create();
      C->SetHandle(D->hDC);
      int Saved = SaveDC(D->hDC);
      if (Item->OnDrawItem) Item->OnDrawItem(Item, C, D->rcItem, D->itemState);
      C->SetHandle(nullptr);
      RestoreDC(D->hDC, Saved);
      Free(C);
      Message.Result = TRUE;
      return;
    }
    default: break;
  }
  Message.Result = DefWindowProcW(FWindow, Message.Msg, Message.WParam, Message.LParam);
}
