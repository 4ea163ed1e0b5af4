#include "suite/bars/BarSubItems.h"

#include <algorithm>

#include "framework/IniFiles.h"
#include "framework/Lists.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/Bars.h"
#include "suite/common/ObjectLinks.h"

namespace {
// Set while a window expands containers: their item changes are its own doing.
int ExpansionLock = 0;

class TExpansionScope {
public:
  TExpansionScope() { ++ExpansionLock; }
  ~TExpansionScope() { --ExpansionLock; }
  TExpansionScope(const TExpansionScope&) = delete;
  TExpansionScope& operator=(const TExpansionScope&) = delete;
};

bool IsDash(const std::string& S) { return S == "-"; }
}  // namespace

// ---- TCustomdxBarSubItem

TCustomdxBarSubItem::TCustomdxBarSubItem(TComponent* AOwner)
    : TdxBarItem(AOwner), FItemLinks(TdxBarSubMenuControlItemLinks::Create(GetBarManager(), this)) {
  SetShowCaption(true);
}

TCustomdxBarSubItem::~TCustomdxBarSubItem() = default;

void TCustomdxBarSubItem::BeforeDestruction() {
  SetDetachingBar(-1);
  // The menu window goes while the item is whole: a container's window reads it.
  FItemLinks->DestroyBarControl();
  TdxBarItem::BeforeDestruction();
}

std::string TCustomdxBarSubItem::GetDefaultCaption() const { return BarString(dxSBAR_NEWSUBITEMCAPTION); }

std::uint16_t TCustomdxBarSubItem::GetCustomizeActions() {
  TdxBarManager* M = GetBarManager();
  return TdxBarItem::GetCustomizeActions() | (M && M->InDesignMode() ? 0x100 : 0);
}

void TCustomdxBarSubItem::BarManagerChanged() { FItemLinks->SetBarManager(GetBarManager()); }

int TCustomdxBarSubItem::GetDetachingBar() const { return FDetachingBar ? FDetachingBar->PositionInCollection() : -1; }

void TCustomdxBarSubItem::SetDetachingBar(int Value) {
  TdxBarManager* M = GetBarManager();
  TdxBars* Bars = M ? M->GetBars() : nullptr;
  if (!Bars || Value < -1 || Value >= Bars->NumberOfItems()) Value = -1;
  TdxBar* Bar = Value < 0 ? nullptr : Bars->GetBar(Value);
  if (Bar == FDetachingBar) return;
  if (FDetachingBar) FDetachingBar->RemoveFreeNotificationItem(this);
  FDetachingBar = Bar;
  if (Bar) Bar->AddFreeNotificationItem(this);
}

void TCustomdxBarSubItem::BarRemoved(TdxBar* Bar) {
  if (Bar == FDetachingBar) FDetachingBar = nullptr;
}

void TCustomdxBarSubItem::SetServiceItem(bool Value) {
  if (FServiceItem == Value) return;
  FServiceItem = Value;
  FItemLinks->SetInternal(Value);
}

void TCustomdxBarSubItem::DoPaintBar(TcxCanvas* Canvas, const RECT& R) {
  if (OnPaintBar) OnPaintBar(GetActiveLink(), Canvas, R);
}

bool TCustomdxBarSubItem::CanContainItem(TdxBarItem* Item, std::string& Text) {
  if (!Item->CanBePlacedOn(hkMenu, Text)) return false;
  TdxBarItemLinks* Own = Item->GetItemLinks();
  if (Item == this || (Own && Own->LeadsToOwner(this))) {
    Text = BarString(dxSBAR_RECURSIVEMENUS);
    return false;
  }
  return true;
}

TCustomdxBarControl* TCustomdxBarSubItem::CreateSubMenuControl() {
  TdxBarItemLink* Active = GetActiveLink();
  TdxBarManager* M = Active ? Active->GetBarManager() : GetBarManager();
  auto* Window = TdxBarSubMenuControl::Create(M);
  Window->SetBarManager(M);
  if (TCustomdxBarControl* Opener = Active ? Active->GetBarControl() : nullptr) Window->SetParentBar(Opener);
  return Window;
}

TCustomdxBarControl* TCustomdxBarSubItem::CreateBarControl() {
  auto* Window = TdxBarSubMenuControl::Create(nullptr);
  Window->SetBarManager(GetBarManager());
  return Window;
}

void TCustomdxBarSubItem::LoadLayout(TCustomIniFile* Store, const std::string& Base) {
  LoadLinks(Store, Base, false);
  LoadUsage(Store, Base);
  FItemLinks->LoadItemLayouts(Store, Base);
}

void TCustomdxBarSubItem::LoadLinks(TCustomIniFile* Store, const std::string& Base, bool Registry) {
  std::string Section = SubItemSectionName(Base);
  if (Store->ReadInteger(Section, "ItemLinkCount", -1) >= 0) FItemLinks->LoadLayout(Store, Section, Registry);
}

void TCustomdxBarSubItem::LoadUsage(TCustomIniFile* Store, const std::string& Base) {
  FItemLinks->LoadUsage(Store, SubItemSectionName(Base));
}

void TCustomdxBarSubItem::SaveLinks(TCustomIniFile* Store, const std::string& Base, bool Registry) {
  if (!GetName().empty()) FItemLinks->SaveLayout(Store, SubItemSectionName(Base), Registry);
}

// ---- TdxBarSubItem

SONVELT_PUBLISHED(TdxBarSubItem, P) {
  P.Boolean("AllowCustomizing", &TdxBarSubItem::GetAllowCustomizing, &TdxBarSubItem::SetAllowCustomizing)
      .Default(true);
  P.Integer("BarSize", &TdxBarSubItem::GetBarSize, &TdxBarSubItem::SetBarSize).Default(0);
  P.Boolean("Detachable", &TdxBarSubItem::GetDetachable, &TdxBarSubItem::SetDetachable).Default(false);
  P.Integer("DetachingBar", &TdxBarSubItem::GetDetachingBar, &TdxBarSubItem::SetDetachingBar).Default(-1);
  P.Object("Glyph", &TdxBarSubItem::GetGlyph);
  P.Integer("ImageIndex", &TdxBarSubItem::GetImageIndex, &TdxBarSubItem::SetImageIndex).Default(-1);
  P.Collection("ItemLinks", [](TdxBarSubItem* S) { return S->GetItemLinks(); });
  P.Boolean("ShowCaption", &TdxBarSubItem::GetShowCaption, &TdxBarSubItem::SetShowCaption).Default(true);
  P.Event("OnClick", &TdxBarSubItem::OnClick);
  P.Event("OnCloseUp", &TdxBarSubItem::OnCloseUp);
  P.Event("OnDetaching", &TdxBarSubItem::OnDetaching);
  P.Event("OnPopup", &TdxBarSubItem::OnPopup);
}

bool TdxBarSubItem::AcceptsSubItem(TdxBarItem* Item) const { return dynamic_cast<TdxBarSubItem*>(Item) != nullptr; }

// ---- TCustomdxBarContainerItem

void TCustomdxBarContainerItem::AddListItems(TdxBarItemLinks* Links, int Position, TdxBarItemLink* OwnLink,
                                             bool CallGetData) {
  (void)Links, (void)Position, (void)OwnLink;
  if (FClearRequested) ClearItemList();
  if (!CallGetData || !OnGetData) return;
  FInGetData = true;
  try {
    OnGetData(this);
  } catch (...) {
    FInGetData = false;
    throw;
  }
  FInGetData = false;
}

void TCustomdxBarContainerItem::ItemsChanged(TObject* Sender) {
  (void)Sender;
  if (FInGetData || ExpansionLock > 0 || IsLoading() || IsDestroying()) return;
  VisibleChanged();
}

// ---- TdxBarListItem

SONVELT_PUBLISHED(TdxBarListItem, P) {
  P.Integer("ItemIndex", &TdxBarListItem::GetItemIndex, &TdxBarListItem::SetItemIndex).Default(-1);
  P.Object("Items", [](TdxBarListItem* L) { return static_cast<TPersistent*>(L->GetItems()); });
  P.Boolean("ShowCheck", &TdxBarListItem::GetShowCheck, &TdxBarListItem::SetShowCheck).Default(false);
  P.Boolean("ShowNumbers", &TdxBarListItem::GetShowNumbers, &TdxBarListItem::SetShowNumbers).Default(true);
  P.Event("OnClick", &TdxBarListItem::OnClick);
  P.Event("OnGetData", &TdxBarListItem::OnGetData);
}

TdxBarListItem::TdxBarListItem(TComponent* AOwner)
    : TCustomdxBarContainerItem(AOwner), FItems(TStringList::Create()), FGenerated(TComponentList::Create(true)) {
  FItems->SetOnChange(Bind(this, &TCustomdxBarContainerItem::ItemsChanged));
}

TdxBarListItem::~TdxBarListItem() = default;

void TdxBarListItem::BeforeDestruction() {
  TCustomdxBarContainerItem::BeforeDestruction();
  FGenerated.reset();
}

bool TdxBarListItem::HasListData() const { return OnGetData || FItems->GetCount() > 0; }

void TdxBarListItem::SetItems(TStrings* Value) { FItems->Assign(Value); }

int TdxBarListItem::GeneratedCount() const { return FGenerated ? FGenerated->GetCount() : 0; }

TComponent* TdxBarListItem::GeneratedComponent(int Index) const {
  return Index >= 0 && Index < GeneratedCount() ? static_cast<TComponent*>(FGenerated->GetItem(Index)) : nullptr;
}

TdxBarButton* TdxBarListItem::GeneratedButton(int Index) const {
  return dynamic_cast<TdxBarButton*>(GeneratedComponent(Index));
}

void TdxBarListItem::AddGenerated(TComponent* Component) { FGenerated->Add(Component); }

int TdxBarListItem::GetDataIndex() const {
  if (FItemIndex < 0 || FItemIndex >= FItems->GetCount()) return -1;
  int Count = 0;
  for (int I = 0; I <= FItemIndex; ++I)
    if (!IsDash(FItems->GetStrings(I))) ++Count;
  return Count - 1;
}

void TdxBarListItem::SetDataIndex(int Value) {
  if (FItems->GetCount() == 0) {
    FItemIndex = -1;
    return;
  }
  // Counted from 0 as GetDataIndex answers, so a value read back selects the same entry.
  int Count = -1;
  for (int I = 0; I < FItems->GetCount(); ++I) {
    if (IsDash(FItems->GetStrings(I))) continue;
    if (++Count == Value) {
      FItemIndex = I;
      return;
    }
  }
  FItemIndex = FItems->GetCount();
}

std::string TdxBarListItem::GetDisplayText(int Index) const { return FItems->GetStrings(Index); }

std::string TdxBarListItem::NumberPrefix(int Number) {
  if (Number < 9) return std::string("&") + static_cast<char>('1' + Number);
  if (Number < 9 + 26) return std::string("&") + static_cast<char>('A' + Number - 9);
  return std::string();
}

void TdxBarListItem::AddListItems(TdxBarItemLinks* Links, int Position, TdxBarItemLink* OwnLink, bool CallGetData) {
  TCustomdxBarContainerItem::AddListItems(Links, Position, OwnLink, CallGetData);
  TExpansionScope Scope;
  if (FGenerated->GetCount() == 0) {
    TdxBarManager* M = GetBarManager();
    TComponent* Owner = M ? M->GetOwner() : nullptr;
    int K = 0;
    for (int N = 0; N < FItems->GetCount(); ++N) {
      if (IsDash(FItems->GetStrings(N))) continue;
      TdxBarButton* B = TdxBarButton::Create(Owner);
      // The entries are the list's own: they never join the manager's items.
      if (B->GetBarManager()) B->GetBarManager()->RemoveItem(B);
      B->SetBarManager(M);
      FGenerated->Add(B);
      B->SetAction(GetAction());
      if (FShowCheck && N == FItemIndex) {
        B->SetButtonStyle(bsChecked);
        B->SetDown(true);
      }
      std::string Text = GetEntryText(N);
      std::string Prefix = FShowNumbers ? NumberPrefix(K) : std::string();
      B->SetCaption(FShowNumbers && !Prefix.empty() ? Prefix + " " + Text : Text);
      B->SetHint(GetEntryHint(N));
      B->SetTag(N);
      B->OnClick = Bind(this, &TdxBarListItem::EntryClick);
      B->SetEnabled(GetEnabled());
      ++K;
    }
  }
  int K = 0;
  bool AfterDash = false;
  for (int N = 0; N < FItems->GetCount(); ++N) {
    if (IsDash(FItems->GetStrings(N))) {
      AfterDash = true;
      continue;
    }
    if (!GeneratedButton(K)) break;
    TdxBarItemLink* L = Links->Add();
    L->SetSourceLink(OwnLink);
    L->SetIndex(Position + K);
    L->SetItem(GeneratedButton(K));
    L->SetBeginGroup(K == 0 || AfterDash);
    if (OwnLink) L->CopyUsageFrom(OwnLink);
    AfterDash = false;
    ++K;
  }
}

void TdxBarListItem::DeleteListItems(TdxBarItemLinks* Links, int Position) {
  TExpansionScope Scope;
  for (int N = 0; N < FItems->GetCount(); ++N)
    if (!IsDash(FItems->GetStrings(N)) && Position < Links->GetCount()) Free(Links->GetLink(Position));
}

void TdxBarListItem::ClearItemList() {
  // Freed only once the menu that showed them has closed.
  if (FGenerated->GetCount() == 0 || !GeneratedButton(0) || GeneratedButton(0)->LinkCount() == 0) FGenerated->Clear();
  TCustomdxBarContainerItem::ClearItemList();
}

void TdxBarListItem::DoClick() {
  if (!GetActiveLink()) TdxBarItem::DoClick();
}

void TdxBarListItem::EntryClick(TObject* Sender) {
  auto* B = dynamic_cast<TdxBarButton*>(Sender);
  if (!B) return;
  FItemIndex = static_cast<int>(B->GetTag());
  DoClick();
}

// ---- TdxBarContainerItem

SONVELT_PUBLISHED(TdxBarContainerItem, P) {
  P.Collection("ItemLinks", [](TdxBarContainerItem* C) { return C->GetItemLinks(); });
  P.Event("OnGetData", &TdxBarContainerItem::OnGetData);
}

TdxBarContainerItem::TdxBarContainerItem(TComponent* AOwner) : TCustomdxBarContainerItem(AOwner) {
  GetItemLinks()->OnChange = Bind(this, &TCustomdxBarContainerItem::ItemsChanged);
}

bool TdxBarContainerItem::HasListData() const { return OnGetData || HasLinkedItems(); }

bool TdxBarContainerItem::AcceptsSubItem(TdxBarItem* Item) const {
  return dynamic_cast<TdxBarContainerItem*>(Item) != nullptr;
}

bool TdxBarContainerItem::HasLinkedItems() const {
  TdxBarItemLinks* Links = GetItemLinks();
  if (!Links || Links->GetCount() == 0) return false;
  bool AnyItem = false;
  for (int I = 0; I < Links->GetCount(); ++I) {
    TdxBarItem* Item = Links->GetLink(I)->GetItem();
    if (!Item) continue;
    AnyItem = true;
    if (Item->IsVisibleNow()) return true;
  }
  return !AnyItem;
}

void TdxBarContainerItem::AddListItems(TdxBarItemLinks* Links, int Position, TdxBarItemLink* OwnLink,
                                       bool CallGetData) {
  TCustomdxBarContainerItem::AddListItems(Links, Position, OwnLink, CallGetData);
  TdxBarItemLinks* Own = GetItemLinks();
  if (Links == Own) return;
  TExpansionScope Scope;
  Links->BeginUpdate();
  try {
    for (int I = 0; I < Own->EligibleLinkCount(); ++I) {
      TdxBarItemLink* L = Links->Add();
      L->SetSourceLink(OwnLink);
      L->Assign(Own->GetEligibleLink(I));
      L->SetIndex(Position + I);
      if (I == 0 && FirstBeginsGroup()) L->SetBeginGroup(true);
      if (OwnLink) L->CopyUsageFrom(OwnLink);
    }
  } catch (...) {
    Links->EndUpdate();
    throw;
  }
  Links->EndUpdate();
}

void TdxBarContainerItem::DeleteListItems(TdxBarItemLinks* Links, int Position) {
  TdxBarItemLinks* Own = GetItemLinks();
  if (Links == Own) return;
  TExpansionScope Scope;
  for (int I = 0; I < Own->EligibleLinkCount() && Position < Links->GetCount(); ++I) Free(Links->GetLink(Position));
}

// ---- TdxBarExtraPaneListItem

bool TdxBarExtraPaneListItem::HasListData() const { return TdxBarListItem::HasListData() || !GetCaption().empty(); }

std::string TdxBarExtraPaneListItem::GetEntryHint(int Index) const { return GetItems()->GetStrings(Index); }

std::string TdxBarExtraPaneListItem::GetEntryText(int Index) const {
  auto* Entry = dynamic_cast<TdxBarExtraPaneEntry*>(GetItems()->GetObjects(Index));
  std::string Text = Entry ? Entry->DisplayText : std::string();
  OnGetDisplayText(const_cast<TdxBarExtraPaneListItem*>(this), Index, Text);
  if (Text.empty() && Entry) {
    std::string Name = Entry->FileName;
    size_t Slash = Name.find_last_of("\\/");
    if (Slash != std::string::npos) Name.erase(0, Slash + 1);
    size_t Dot = Name.find_last_of('.');
    if (Dot != std::string::npos) Name.erase(Dot);
    Text = Name;
  }
  return Text;
}

void TdxBarExtraPaneListItem::AddListItems(TdxBarItemLinks* Links, int Position, TdxBarItemLink* OwnLink,
                                           bool CallGetData) {
  TdxBarListItem::AddListItems(Links, Position, OwnLink, CallGetData);
  TExpansionScope Scope;
  bool AnyImage = false;
  for (int N = 0, K = 0; N < GetItems()->GetCount() && GeneratedButton(K); ++N) {
    if (IsDash(GetItems()->GetStrings(N))) continue;
    auto* Entry = dynamic_cast<TdxBarExtraPaneEntry*>(GetItems()->GetObjects(N));
    if (Entry && Entry->ImageIndex != -1) {
      GeneratedButton(K)->SetImageIndex(Entry->ImageIndex);
      AnyImage = true;
    }
    ++K;
  }
  for (int K = 0; GeneratedButton(K); ++K) GeneratedButton(K)->SetPaintStyle(AnyImage ? psCaptionGlyph : psStandard);
  // A header with the item's caption above the entries, kept with the entries.
  TdxBarLabel* Header = HeaderLabel();
  if (!Header) {
    TdxBarManager* M = GetBarManager();
    Header = TdxBarLabel::Create(M ? M->GetOwner() : nullptr);
    if (Header->GetBarManager()) Header->GetBarManager()->RemoveItem(Header);
    Header->SetBarManager(M);
    AddGenerated(Header);
  }
  Header->SetCaption(GetCaption());
  TdxBarItemLink* L = Links->Add();
  L->SetSourceLink(OwnLink);
  L->SetIndex(Position);
  L->SetItem(Header);
  if (OwnLink) L->CopyUsageFrom(OwnLink);
}

void TdxBarExtraPaneListItem::DeleteListItems(TdxBarItemLinks* Links, int Position) {
  TExpansionScope Scope;
  if (Position < Links->GetCount()) Free(Links->GetLink(Position));
  TdxBarListItem::DeleteListItems(Links, Position);
}

TdxBarLabel* TdxBarExtraPaneListItem::HeaderLabel() const {
  for (int I = 0; I < GeneratedCount(); ++I)
    if (auto* L = dynamic_cast<TdxBarLabel*>(GeneratedComponent(I))) return L;
  return nullptr;
}

// ---- TdxBarContainerExpansion

TdxBarContainerExpansion::~TdxBarContainerExpansion() {
  for (TEntry& E : FEntries) DropObjectLink(E.Alive);
}

void TdxBarContainerExpansion::Expand(TdxBarItemLinks* Links) {
  if (!Links) return;
  std::vector<TdxBarItemLink*> Containers;
  for (int I = 0; I < Links->EligibleLinkCount(); ++I) {
    TdxBarItemLink* Link = Links->GetEligibleLink(I);
    if (dynamic_cast<TCustomdxBarContainerItem*>(Link->GetItem()) && Link->GetSourceLink() == Link)
      Containers.push_back(Link);
  }
  for (TdxBarItemLink* Link : Containers) {
    auto* Item = static_cast<TCustomdxBarContainerItem*>(Link->GetItem());
    bool First = std::find(FExpandedBefore.begin(), FExpandedBefore.end(), Item) == FExpandedBefore.end();
    if (First) FExpandedBefore.push_back(Item);
    int LinkIndex = Link->GetIndex();
    TEntry E{CreateObjectLink(Item), Item, Link, LinkIndex + 1, LinkIndex, false};
    Item->AddListItems(Links, E.Position, Link, First);
    if (Item->FirstBeginsGroup()) {
      Link->SaveRecentIndex();
      Link->SetCollection(nullptr);
      E.TakenOut = true;
      E.Position = LinkIndex;
    }
    FEntries.push_back(E);
  }
  if (!Containers.empty()) Links->RefreshLinkLists();
}

void TdxBarContainerExpansion::Collapse(TdxBarItemLinks* Links) {
  while (!FEntries.empty()) {
    TEntry E = FEntries.back();
    FEntries.pop_back();
    bool Alive = E.Alive->Ref != nullptr;
    DropObjectLink(E.Alive);
    if (!Links || !Alive) continue;
    E.Item->InvalidateItemList();
    E.Item->DeleteListItems(Links, E.Position);
    if (E.TakenOut) {
      E.Link->SetCollection(Links);
      E.Link->SetIndex(std::min(E.LinkIndex, Links->GetCount() - 1));
      E.Link->RestoreRecentIndex();
    }
  }
  if (Links) Links->RefreshLinkLists();
}
