#include "suite/bars/BarItemLinks.h"

#include <algorithm>
#include <cctype>

#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/IniFiles.h"
#include "framework/MemoryStreams.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarMDI.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "suite/common/SuiteException.h"

namespace {
const std::vector<std::string> ButtonGroupNames{"bgpNone", "bgpStart", "bgpMember"};
const std::vector<std::string> PositionNames{"ipBeginsNewRow", "ipBeginsNewColumn", "ipContinuesRow"};
const std::vector<std::string> PaintStyleNames{"psStandard", "psCaption", "psCaptionInMenu", "psCaptionGlyph"};
const std::vector<std::string> UserDefineNames{"udCaption", "udGlyph", "udPaintStyle", "udWidth"};
const std::vector<std::string> ViewLevelNames{"ivlLargeIconWithText", "ivlSmallIconWithText", "ivlSmallIcon",
                                              "ivlControlOnly"};

// One byte stored as a binary value (hexadecimal text in an INI store).
bool ReadByteValue(TCustomIniFile* Store, const std::string& Section, const std::string& Name, std::uint8_t& Value) {
  TOwned<TMemoryStream> S(TMemoryStream::Create());
  if (Store->ReadBinaryStream(Section, Name, S.get()) < 1) return false;
  S->SetPosition(0);
  S->ReadBuffer(&Value, 1);
  return true;
}

void WriteByteValue(TCustomIniFile* Store, const std::string& Section, const std::string& Name, std::uint8_t Value) {
  TOwned<TMemoryStream> S(TMemoryStream::Create());
  S->WriteBuffer(&Value, 1);
  Store->WriteBinaryStream(Section, Name, S.get());
}

bool IsSeparatorLink(const TdxBarItemLink* Link) { return dynamic_cast<TdxBarSeparator*>(Link->GetItem()) != nullptr; }

bool OwnerIsBar(const TdxBarItemLinks* Links) { return dynamic_cast<TdxBar*>(Links->GetOwnerComponent()) != nullptr; }
}  // namespace

// ---- TdxBarItemLink

SONVELT_PUBLISHED(TdxBarItemLink, P) {
  P.Boolean("BeginGroup", &TdxBarItemLink::GetBeginGroup, &TdxBarItemLink::SetBeginGroup).Default(false);
  P.Enum("ButtonGroup", &TdxBarItemLink::GetButtonGroup, &TdxBarItemLink::SetButtonGroup, ButtonGroupNames)
      .Default(bgpNone);
  P.Boolean("Distributed", &TdxBarItemLink::GetDistributed, &TdxBarItemLink::SetDistributed).Default(true);
  P.Component("Item", &TdxBarItemLink::GetItem, &TdxBarItemLink::SetItem).Stored(false);
  P.Boolean("MostRecentlyUsed", &TdxBarItemLink::GetMostRecentlyUsed, &TdxBarItemLink::SetMostRecentlyUsed)
      .Default(true);
  P.Enum("Position", &TdxBarItemLink::GetPosition, &TdxBarItemLink::SetPosition, PositionNames)
      .Default(ipBeginsNewRow);
  P.String("UserCaption", &TdxBarItemLink::GetUserCaption, &TdxBarItemLink::SetUserCaption);
  P.Set("UserDefine", &TdxBarItemLink::GetUserDefine, &TdxBarItemLink::SetUserDefine, UserDefineNames)
      .Default(TdxBarUserDefines{});
  P.Object("UserGlyph", &TdxBarItemLink::GetUserGlyph);
  P.Enum("UserPaintStyle", &TdxBarItemLink::GetUserPaintStyle, &TdxBarItemLink::SetUserPaintStyle, PaintStyleNames)
      .Default(psStandard);
  P.Integer("UserWidth", &TdxBarItemLink::GetUserWidth, &TdxBarItemLink::SetUserWidth).Default(0);
  P.Set("ViewLevels", &TdxBarItemLink::GetViewLevels, &TdxBarItemLink::SetViewLevels, ViewLevelNames)
      .Default(ivlAllRealLevels);
  P.Boolean("Visible", &TdxBarItemLink::GetVisible, &TdxBarItemLink::SetVisible).NoDefault();
}

TdxBarItemLink::TdxBarItemLink(TCollection* Collection)
    : TcxInterfacedCollectionItem(Collection), FUserGlyph(TBitmap::Create()) {
  FUserGlyph->OnChange = Bind(this, &TdxBarItemLink::UserGlyphChanged);
}

TdxBarItemLink::~TdxBarItemLink() = default;

void TdxBarItemLink::AfterConstruction() {
  TcxInterfacedCollectionItem::AfterConstruction();
  TdxBarManager* M = GetBarManager();
  if (!M) return;
  FUseCount = M->RecentUseThreshold();
  if (!M->IsLoading()) M->OnItemLinkAdd(M, this);
}

void TdxBarItemLink::BeforeDestruction() {
  TdxBarManager* M = GetBarManager();
  if (M && !M->IsDestroying()) M->OnItemLinkDelete(M, this);
  TCustomdxBarControl* Window = GetBarControl();
  if (Window && !Window->IsBeingDestroyed() && Window->GetSelectedLink() == this) {
    if (M && FControl && M->GetSelectedItemControl() == FControl) M->StoreSelectedItemControl(nullptr);
    Window->SetSelectedLink(nullptr);
  }
  if (auto* Toolbar = dynamic_cast<TdxBarControl*>(Window)) Toolbar->ForgetHotLink(this);
  DestroyControl();
  if (TdxBarItemLinks* Links = GetOwnerLinks()) Links->ForgetDistributedChange(this);
  if (TdxBarDesignController* D = BarDesignControllerInstance()) D->ForgetSelectable(this);
  if (FItem) FItem->RemoveLink(this);
  FItem = nullptr;
  TcxInterfacedCollectionItem::BeforeDestruction();
}

TdxBarItemLinks* TdxBarItemLink::GetOwnerLinks() const { return static_cast<TdxBarItemLinks*>(GetCollection()); }

TdxBarManager* TdxBarItemLink::GetBarManager() const {
  TdxBarItemLinks* Links = GetOwnerLinks();
  return Links ? Links->GetBarManager() : nullptr;
}

TCustomdxBarControl* TdxBarItemLink::GetBarControl() const {
  TdxBarItemLinks* Links = GetOwnerLinks();
  return Links ? Links->GetBarControl() : nullptr;
}

TdxBarItem* TdxBarItemLink::GetItem() const {
  TComponent* Owner = GetOwnerLinks() ? GetOwnerLinks()->GetOwnerComponent() : nullptr;
  if (Owner && IsLoadingAsAncestor(Owner) && !FLoadedItemName.empty() && GetBarManager())
    return GetBarManager()->ItemByName(FLoadedItemName);
  return FItem;
}

void TdxBarItemLink::SetItem(TdxBarItem* Value) {
  if (Value == FItem) return;
  TdxBarItemLinks* Links = GetOwnerLinks();
  Links->BeginUpdate();
  try {
    DestroyControl();
    if (FItem) FItem->RemoveLink(this);
    FItem = nullptr;
    if (Value) {
      std::string Text;
      if (!Links->CanContainItem(Value, Text)) throw EdxException(Text);
      FItem = Value;
      Value->AddLink(this);
      Links->RefreshLinkLists();
      TComponent* Owner = Links->GetOwnerComponent();
      if (!(Owner && Owner->GetComponentState().Contains(csLoading))) ResetUsage();
      TdxBarManager* M = GetBarManager();
      if (M && Links->GetUpdateCount() == 1) M->DoItemLinkChange(this);
    }
  } catch (...) {
    Links->EndUpdate();
    throw;
  }
  Links->EndUpdate();
  if (!Value) Free(this);
}

bool TdxBarItemLink::GetBeginGroup() const {
  const TdxBarItemLinks* Links = GetOwnerLinks();
  if (!Links) return FBeginGroup;
  int S = Links->IndexOfShown(this);
  if (FBeginGroup && S != 0) {
    if (S == -1) return true;
    if (!IsSeparatorLink(Links->GetShownLink(S - 1))) return true;
  }
  if (S > 0) {
    // An aligned control that the window stretches keeps to itself.
    if (FControl) {
      TdxBarItemAlign A = FControl->ActualAlign();
      TCustomdxBarControl* W = FControl->GetParent();
      if ((A == iaCenter || A == iaRight) && W && (W->BehaviorFlags() & 0x10)) return false;
    }
    // A hidden link between the previous shown one and this one hands its group start on.
    int From = Links->IndexOfLink(Links->GetShownLink(S - 1)) + 1, To = Links->IndexOfLink(this);
    for (int I = From; I < To; ++I)
      if (Links->GetLink(I)->GetBeginGroup()) return true;
  }
  return false;
}

void TdxBarItemLink::SetBeginGroup(bool Value) {
  if (FBeginGroup == Value) return;
  FBeginGroup = Value;
  if (FControl) FControl->BeginGroupChanged();
  ReportChange();
}

void TdxBarItemLink::SetVisible(bool Value) {
  TdxBarManager* M = GetBarManager();
  if ((M && M->IsLoading()) || (GetOwnerLinks() && GetOwnerLinks()->IsAssigning())) {
    FLoadedVisible = Value;
    return;
  }
  if (FVisible == Value) return;
  FVisible = Value;
  if (!(M && M->InDesignMode())) VisibilityChanged();
  ReportChange();
}

void TdxBarItemLink::VisibilityChanged() {
  TdxBarItemLinks* Links = GetOwnerLinks();
  if (!Links) return;
  Links->RefreshLinkLists();
  if (IsUsable()) {
    RegisterUse(false);
    if (Links->GetBarControl()) {
      CreateControl();
      if (FControl) FControl->VisibleChanged();
    }
  } else {
    MakeLeastRecent();
    if (FControl) {
      FControl->VisibleChanged();
      DestroyControl();
    }
  }
}

void TdxBarItemLink::SetButtonGroup(TdxBarButtonGroupPosition Value) {
  if (FButtonGroup == Value) return;
  FButtonGroup = Value;
  Changed(true);
}

void TdxBarItemLink::SetPosition(TdxBarItemPosition Value) {
  if (FPosition == Value) return;
  FPosition = Value;
  Changed(true);
}

void TdxBarItemLink::SetDistributed(bool Value) {
  if (FDistributed == Value) return;
  FDistributed = Value;
  if (TdxBarItemLinks* Links = GetOwnerLinks()) Links->NoteDistributedChange(this);
  Changed(true);
}

void TdxBarItemLink::ApplyDistributed(bool Value) {
  TdxBarItemLinks* Links = GetOwnerLinks();
  if (Links) Links->ForgetDistributedChange(this);
  if (FDistributed == Value) return;
  FDistributed = Value;
  if (TdxBarManager* M = GetBarManager()) M->NotifyModified();
}

bool TdxBarItemLink::DistributedChangePending() const {
  return GetOwnerLinks() && GetOwnerLinks()->IsDistributedChangePending(this);
}

bool TdxBarItemLink::ItemHasPaintStyles() const { return GetItem() && GetItem()->HasPaintStyles(); }

TdxBarItemLink* TdxBarItemLink::NextShownLink() const {
  TdxBarItemLinks* Links = GetOwnerLinks();
  if (!Links) return nullptr;
  int Count = Links->FittingShownCount();
  int S = ShownIndex();
  if (Count == 0 || S < 0) return nullptr;
  TdxBarItemLink* Next = Links->GetShownLink((S + 1) % Count);
  return Next == this ? nullptr : Next;
}

void TdxBarItemLink::PassBeginGroupToNext() {
  TdxBarItemLinks* Links = GetOwnerLinks();
  int E = EligibleIndex();
  if (!Links || !GetItem() || E < 0 || E + 1 >= Links->EligibleLinkCount()) return;
  TdxBarItemLink* Next = Links->GetEligibleLink(E + 1);
  if (GetBeginGroup() && !Next->GetBeginGroup())
    Next->SetBeginGroup(true);
  else if (E == 0 && Next->GetBeginGroup())
    Next->SetBeginGroup(false);
}

void TdxBarItemLink::SetDisplayRect(const RECT& R) {
  FItemRect = R;
  if (FControl) FControl->Recalculate();
}

POINT TdxBarItemLink::ScreenToLinkPoint(POINT ScreenPoint) const {
  TCustomdxBarControl* W = GetBarControl();
  if (W && W->HandleAllocated()) ScreenToClient(W->GetHandle(), &ScreenPoint);
  return POINT{ScreenPoint.x - FItemRect.left, ScreenPoint.y - FItemRect.top};
}

void TdxBarItemLink::RefreshControl() {
  if (FControl) FControl->GlyphChanged();
}

void TdxBarItemLink::CopyUsageFrom(TdxBarItemLink* Link) {
  if (!Link) return;
  FUseCount = Link->FUseCount;
  SetRecentIndex(Link->GetRecentIndex());
}

void TdxBarItemLink::SetViewLevels(TdxBarItemViewLevels Value) {
  if (FViewLevels == Value) return;
  FViewLevels = Value;
  Changed(true);
}

void TdxBarItemLink::SetMostRecentlyUsed(bool Value) {
  if (FMostRecentlyUsed == Value) return;
  FMostRecentlyUsed = Value;
  ResetUsage();
  if (TCustomdxBarControl* W = GetBarControl()) W->Rebuild();
  ReportChange();
}

void TdxBarItemLink::SetUserDefine(TdxBarUserDefines Value) {
  TdxBarUserDefines Old = FUserDefine;
  for (TdxBarUserDefine D : {udCaption, udGlyph, udPaintStyle, udWidth}) {
    if (Old.Contains(D) == Value.Contains(D)) continue;
    if (Old.Contains(D)) {
      FUserDefine.Exclude(D);
      if (D == udCaption) FUserCaption.clear();
      if (D == udGlyph) {
        TOwned<TBitmap> Empty(TBitmap::Create());
        FUserGlyph->Assign(Empty.get());
      }
      if (D == udPaintStyle) FUserPaintStyle = psStandard;
      if (D == udWidth) FUserWidth = 0;
    } else {
      FUserDefine.Include(D);
    }
    if (!FControl) continue;
    switch (D) {
      case udCaption: FControl->CaptionChanged(); break;
      case udGlyph: FControl->GlyphChanged(); break;
      case udPaintStyle: FControl->PaintStyleChanged(); break;
      case udWidth: FControl->WidthChanged(); break;
    }
  }
  ReportChange();
}

void TdxBarItemLink::SetUserCaption(const std::string& Value) {
  if (FUserCaption == Value) return;
  FUserCaption = Value;
  // Off and on again, so the control hears of the caption in any case.
  SetUserDefine(FUserDefine - udCaption);
  FUserCaption = Value;
  SetUserDefine(FUserDefine + udCaption);
}

void TdxBarItemLink::SetUserGlyph(TBitmap* Value) {
  if (Value == FUserGlyph.get()) return;
  FUserGlyph->Assign(Value);
}

void TdxBarItemLink::UserGlyphChanged(TObject* Sender) { RefreshControl(); }

void TdxBarItemLink::SetUserPaintStyle(TdxBarPaintStyle Value) {
  if (Value == GetEffectivePaintStyle()) return;
  SetUserDefine(FUserDefine - udPaintStyle);
  FUserPaintStyle = Value;
  SetUserDefine(FUserDefine + udPaintStyle);
}

void TdxBarItemLink::SetUserWidth(int Value) {
  if (Value == GetEffectiveWidth()) return;
  SetUserDefine(FUserDefine - udWidth);
  FUserWidth = Value;
  SetUserDefine(FUserDefine + udWidth);
}

std::string TdxBarItemLink::GetEffectiveCaption() const {
  TdxBarItem* Item = GetItem();
  return FUserDefine.Contains(udCaption) || !Item ? FUserCaption : Item->GetCaption();
}

TBitmap* TdxBarItemLink::GetEffectiveGlyph() const {
  TdxBarItem* Item = GetItem();
  return FUserDefine.Contains(udGlyph) || !Item ? FUserGlyph.get() : Item->GetGlyph();
}

TdxBarPaintStyle TdxBarItemLink::GetEffectivePaintStyle() const {
  TdxBarItem* Item = GetItem();
  return FUserDefine.Contains(udPaintStyle) || !Item ? FUserPaintStyle : Item->GetPaintStyle();
}

int TdxBarItemLink::GetEffectiveWidth() const {
  if (FUserDefine.Contains(udWidth)) return FUserWidth;
  if (auto* Edit = dynamic_cast<TdxCustomBarEdit*>(GetItem())) return Edit->GetWidth();
  return 0;
}

int TdxBarItemLink::ShownIndex() const { return GetOwnerLinks() ? GetOwnerLinks()->IndexOfShown(this) : -1; }
int TdxBarItemLink::EligibleIndex() const { return GetOwnerLinks() ? GetOwnerLinks()->IndexOfEligible(this) : -1; }

bool TdxBarItemLink::IsUsable() const { return GetItem() && GetItem()->IsVisibleNow() && FVisible; }

void TdxBarItemLink::CreateControl() {
  TCustomdxBarControl* Window = GetBarControl();
  if (FControl || !GetItem() || !Window || Window->IsBeingDestroyed()) return;
  TdxBarItemControlClass ControlClass = GetItem()->ItemControlClass(Window->IsRotated());
  // An item whose class no control is registered for stays without one.
  if (ControlClass) FControl = ControlClass.Create(this);
}

void TdxBarItemLink::DestroyControl() {
  TdxBarItemControl* C = FControl;
  FControl = nullptr;
  if (!C) return;
  if (TdxBarManager* M = GetBarManager())
    if (M->GetSelectedItemControl() == C) M->StoreSelectedItemControl(nullptr);
  Free(C);
}

void TdxBarItemLink::RecreateControl() {
  TdxBarManager* M = GetBarManager();
  if (M && M->IsBarsUpdateLocked()) return;
  DestroyControl();
  CreateControl();
}

void TdxBarItemLink::MoveToRecentFront(bool CountIt) {
  TdxBarItemLinks* Links = GetOwnerLinks();
  if (Links && !Links->GetRecentModeAllowed()) return;
  if (Links) {
    Links->MoveInRecentList(this, 0);
    Links->RefreshLinkLists();
  }
  if (CountIt) ++FUseCount;
}

void TdxBarItemLink::RegisterUse(bool CountIt) {
  if (!IsUsable()) return;
  int WasShown = ShownIndex();
  MoveToRecentFront(CountIt);
  if (EligibleIndex() < 0) return;
  if (WasShown < 0 && GetBarControl()) GetBarControl()->LinksChanged();
  // The link that opened this menu was used as well, up the menu chain.
  TComponent* Owner = GetOwnerLinks()->GetOwnerComponent();
  TdxBarItemLink* Opener = nullptr;
  if (auto* Sub = dynamic_cast<TCustomdxBarSubItem*>(Owner))
    Opener = Sub->GetActiveLink();
  else if (auto* Menu = dynamic_cast<TdxBarCustomPopupMenu*>(Owner))
    if (TdxBarItemControl* C = Menu->GetOwnerItemControl()) Opener = C->GetItemLink();
  if (Opener && Opener != this) Opener->GetSourceLink()->RegisterUse(CountIt);
}

void TdxBarItemLink::MakeLeastRecent() {
  TdxBarItemLinks* Links = GetOwnerLinks();
  if (!Links) return;
  bool WasShown = ShownIndex() >= 0;
  Links->MoveInRecentList(this, Links->GetCount() - 1);
  if (WasShown && GetBarControl()) GetBarControl()->LinksChanged();
}

void TdxBarItemLink::ResetUsage() {
  TdxBarManager* M = GetBarManager();
  if (FMostRecentlyUsed) {
    FUseCount = M ? M->RecentUseThreshold() : 0;
    RegisterUse(false);
  } else {
    FUseCount = 0;
    MakeLeastRecent();
  }
}

int TdxBarItemLink::GetRecentIndex() const { return GetOwnerLinks() ? GetOwnerLinks()->RecentIndexOf(this) : -1; }

void TdxBarItemLink::SetRecentIndex(int Index) {
  TdxBarItemLinks* Links = GetOwnerLinks();
  if (!Links) {
    FSavedRecentIndex = Index;
    return;
  }
  Links->MoveInRecentList(this, std::min(Index, Links->GetCount() - 1));
  Links->RefreshLinkLists();
}

std::string TdxBarItemLink::LayoutSectionName(const std::string& Base, bool Registry, int Number) {
  return Base + LayoutDelimiter(Registry) + "ItemLink" + std::to_string(Number);
}

void TdxBarItemLink::SaveLayout(TCustomIniFile* Store, const std::string& Base, bool Registry, int Number) {
  std::string S = LayoutSectionName(Base, Registry, Number);
  TdxBarManager* M = GetBarManager();
  Store->WriteString(S, "ItemName", GetItem()->GetName());
  Store->WriteBool(S, "BeginGroup", FBeginGroup);
  WriteByteValue(Store, S, "UserDefine", static_cast<std::uint8_t>(FUserDefine.Bits()));
  if (FUserDefine.Contains(udCaption)) Store->WriteString(S, "UserCaption", FUserCaption);
  if (FUserDefine.Contains(udPaintStyle)) Store->WriteInteger(S, "UserPaintStyle", FUserPaintStyle);
  if (FUserDefine.Contains(udWidth)) Store->WriteInteger(S, "UserWidth", FUserWidth);
  if (Registry && FUserDefine.Contains(udGlyph)) {
    TOwned<TMemoryStream> Glyph(TMemoryStream::Create());
    FUserGlyph->SaveToStream(Glyph.get());
    Store->WriteBinaryStream(S, "UserGlyph", Glyph.get());
  }
  if (OwnerIsBar(GetOwnerLinks())) {
    Store->WriteInteger(S, "ButtonGroup", FButtonGroup);
    Store->WriteInteger(S, "Position", FPosition);
    WriteByteValue(Store, S, "ViewLevels", static_cast<std::uint8_t>(FViewLevels.Bits()));
    Store->WriteBool(S, "Visible", FVisible);
  }
  if (M && M->GetEffectiveStyle() != bmsStandard && GetOwnerLinks()->GetRecentModeAllowed()) {
    Store->WriteInteger(S, "UseCount", FUseCount);
    Store->WriteInteger(S, "RecentIndex", GetRecentIndex());
  }
  if (M && (M->GetInternalState() & bmsfSavingInitialState)) Store->WriteBool(S, "MostRecentlyUsed", FMostRecentlyUsed);
}

bool TdxBarItemLink::LoadLayout(TCustomIniFile* Store, const std::string& Base, bool Registry, int Number) {
  std::string S = LayoutSectionName(Base, Registry, Number);
  TdxBarManager* M = GetBarManager();
  if (Store->ValueExists(S, "ItemName")) {
    TdxBarItem* Item = M ? M->ItemByName(Store->ReadString(S, "ItemName", "")) : nullptr;
    if (!Item) return false;
    SetItem(Item);
  }
  FBeginGroup = Store->ReadBool(S, "BeginGroup", false);
  std::uint8_t Define = 0;
  std::string Text = Registry ? std::string() : Store->ReadString(S, "UserDefine", "");
  if (Text.size() == 1)
    // An older form kept the set as one decimal digit.
    Define = Text[0] >= '0' && Text[0] <= '9' ? static_cast<std::uint8_t>(Text[0] - '0') : 0;
  else
    ReadByteValue(Store, S, "UserDefine", Define);
  FUserDefine = TdxBarUserDefines::FromBits(Define & 0x0F);
  if (FUserDefine.Contains(udCaption)) FUserCaption = Store->ReadString(S, "UserCaption", "");
  if (FUserDefine.Contains(udPaintStyle))
    FUserPaintStyle = static_cast<TdxBarPaintStyle>(std::clamp(Store->ReadInteger(S, "UserPaintStyle", 0), 0, 3));
  if (FUserDefine.Contains(udWidth)) FUserWidth = Store->ReadInteger(S, "UserWidth", 100);
  if (FUserDefine.Contains(udGlyph)) {
    // Only the registry keeps the glyph; without one the link shows its item's.
    TOwned<TMemoryStream> Glyph(TMemoryStream::Create());
    if (Registry && Store->ReadBinaryStream(S, "UserGlyph", Glyph.get()) > 0) {
      Glyph->SetPosition(0);
      FUserGlyph->LoadFromStream(Glyph.get());
    } else {
      FUserDefine.Exclude(udGlyph);
    }
  }
  if (OwnerIsBar(GetOwnerLinks())) {
    FButtonGroup = static_cast<TdxBarButtonGroupPosition>(std::clamp(Store->ReadInteger(S, "ButtonGroup", 0), 0, 2));
    FPosition = static_cast<TdxBarItemPosition>(std::clamp(Store->ReadInteger(S, "Position", 0), 0, 2));
    std::uint8_t Levels;
    if (ReadByteValue(Store, S, "ViewLevels", Levels)) FViewLevels = TdxBarItemViewLevels::FromBits(Levels & 0x0F);
    FLoadedVisible = Store->ReadBool(S, "Visible", true);
  }
  if (M && M->GetEffectiveStyle() != bmsStandard && GetOwnerLinks()->GetRecentModeAllowed()) {
    FLoadedUseCount = Store->ReadInteger(S, "UseCount", 0);
    FLoadedRecentIndex = Store->ReadInteger(S, "RecentIndex", -1);
  }
  if (FControl) FControl->Recalc();
  return true;
}

void TdxBarItemLink::LoadUsage(TCustomIniFile* Store, const std::string& Base, int Number) {
  FMostRecentlyUsed = Store->ReadBool(LayoutSectionName(Base, false, Number), "MostRecentlyUsed", true);
}

void TdxBarItemLink::ResolveLoadedItem() {
  if (FLoadedItemName.empty()) return;
  std::string Name = std::move(FLoadedItemName);
  FLoadedItemName.clear();
  if (TdxBarManager* M = GetBarManager())
    if (TdxBarItem* Item = M->ItemByName(Name)) SetItem(Item);
}

bool TdxBarItemLink::MatchesAccelerator(WORD Key, TShiftState Shift) const {
  std::string Caption = GetEffectiveCaption();
  int Index = AcceleratorCharIndex(Caption, false);
  if (Index == 0) return false;
  char C = Caption[static_cast<size_t>(Index - 1)];
  char Lower = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
  if (Lower != C) Shift.Exclude(ssShift);
  if (Lower >= '0' && Lower <= '9') return Key == static_cast<WORD>(Lower) && Shift.Empty();
  SHORT Scan = VkKeyScanW(static_cast<wchar_t>(static_cast<unsigned char>(Lower)));
  if (Scan == -1) return false;
  TShiftState Expected;
  if (Scan & 0x100) Expected.Include(ssShift);
  if (Scan & 0x200) Expected.Include(ssCtrl);
  return Key == (Scan & 0xFF) && Shift == Expected;
}

void TdxBarItemLink::Assign(TPersistent* Source) {
  auto* L = dynamic_cast<TdxBarItemLink*>(Source);
  if (!L) {
    TcxInterfacedCollectionItem::Assign(Source);
    return;
  }
  FData = L->FData;
  FUserCaption = L->FUserCaption;
  FUserGlyph->Assign(L->FUserGlyph.get());
  FUserPaintStyle = L->FUserPaintStyle;
  FUserWidth = L->FUserWidth;
  TdxBarItem* Item = L->GetItem();
  TdxBarManager* M = GetBarManager();
  TComponent* Owner = GetOwnerLinks()->GetOwnerComponent();
  bool Updating = (M && M->GetComponentState().Contains(csUpdating)) ||
                  (Owner && Owner->GetComponentState().Contains(csUpdating));
  if (Item && M && Updating) Item = M->ItemByName(Item->GetName());
  // Without an item the link stays empty (giving it none would free it).
  if (!Item) return;
  SetItem(Item);
  SetUserDefine(L->FUserDefine);
  SetBeginGroup(L->GetBeginGroup());
  SetButtonGroup(L->FButtonGroup);
  SetPosition(L->FPosition);
  SetViewLevels(L->FViewLevels);
  SetVisible(L->FVisible);
  FCreatedFromMergingWith = CurrentlyMergingBar();
}

void TdxBarItemLink::DefineProperties(TFiler* Filer) {
  TcxInterfacedCollectionItem::DefineProperties(Filer);
  auto* Ancestor = dynamic_cast<TdxBarItemLink*>(Filer->GetAncestor());
  bool HasData = Ancestor ? (!GetItem() != !Ancestor->GetItem()) ||
                                (GetItem() && Ancestor->GetItem() && GetItem()->GetName() != Ancestor->GetItem()->GetName())
                          : GetItem() != nullptr;
  Filer->DefineProperty("ItemName", Bind(this, &TdxBarItemLink::ReadItemName),
                        Bind(this, &TdxBarItemLink::WriteItemName), HasData);
}

void TdxBarItemLink::ReadItemName(TReader* Reader) { FLoadedItemName = Reader->ReadString(); }

void TdxBarItemLink::WriteItemName(TWriter* Writer) { Writer->WriteString(GetItem() ? GetItem()->GetName() : ""); }

// ---- TdxBarItemLinks

// ---- TdxBarItemOptions

SONVELT_PUBLISHED(TdxBarItemOptions, P) {
  P.Boolean("ShowDescriptions", &TdxBarItemOptions::GetShowDescriptions, &TdxBarItemOptions::SetShowDescriptions)
      .Stored([](TdxBarItemOptions* O) { return O->GetAssignedValues().Contains(ioShowDescriptions); });
  P.Boolean("ShowShortCuts", &TdxBarItemOptions::GetShowShortCuts, &TdxBarItemOptions::SetShowShortCuts)
      .Stored([](TdxBarItemOptions* O) { return O->GetAssignedValues().Contains(ioShowShortCuts); });
  P.Enum("Size", &TdxBarItemOptions::GetSize, &TdxBarItemOptions::SetSize, {"misNormal", "misLarge"})
      .Stored([](TdxBarItemOptions* O) { return O->GetAssignedValues().Contains(ioSize); });
}

TdxBarItemOptions::TdxBarItemOptions(TdxBarItemLinks* ALinks) : FLinks(ALinks) {
  if (!ALinks) return;
  FShowDescriptions = ALinks->GetDefaultOption(ioShowDescriptions) != 0;
  FShowShortCuts = ALinks->GetDefaultOption(ioShowShortCuts) != 0;
  FSize = static_cast<TdxBarMenuItemSize>(ALinks->GetDefaultOption(ioSize));
}

void TdxBarItemOptions::Assign(TPersistent* Source) {
  auto* O = dynamic_cast<TdxBarItemOptions*>(Source);
  if (!O) {
    TPersistent::Assign(Source);
    return;
  }
  FAssignedValues = O->FAssignedValues;
  FShowDescriptions = O->FShowDescriptions;
  FShowShortCuts = O->FShowShortCuts;
  FSize = O->FSize;
}

int TdxBarItemOptions::OwnValue(TdxBarItemOptionValue Option) const {
  switch (Option) {
    case ioShowDescriptions: return FShowDescriptions;
    case ioShowShortCuts: return FShowShortCuts;
    default: return FSize;
  }
}

bool TdxBarItemOptions::GetShowDescriptions() const {
  return FAssignedValues.Contains(ioShowDescriptions) || !FLinks ? FShowDescriptions
                                                                 : FLinks->GetOption(ioShowDescriptions) != 0;
}
void TdxBarItemOptions::SetShowDescriptions(bool Value) {
  FShowDescriptions = Value;
  FAssignedValues.Include(ioShowDescriptions);
}
bool TdxBarItemOptions::GetShowShortCuts() const {
  return FAssignedValues.Contains(ioShowShortCuts) || !FLinks ? FShowShortCuts : FLinks->GetOption(ioShowShortCuts) != 0;
}
void TdxBarItemOptions::SetShowShortCuts(bool Value) {
  FShowShortCuts = Value;
  FAssignedValues.Include(ioShowShortCuts);
}
TdxBarMenuItemSize TdxBarItemOptions::GetSize() const {
  return FAssignedValues.Contains(ioSize) || !FLinks ? FSize : static_cast<TdxBarMenuItemSize>(FLinks->GetOption(ioSize));
}
void TdxBarItemOptions::SetSize(TdxBarMenuItemSize Value) {
  FSize = Value;
  FAssignedValues.Include(ioSize);
}

// ---- TdxBarItemLinks

TdxBarItemLinks::TdxBarItemLinks(TdxBarManager* ABarManager, IdxBarLinksOwner* AOwner)
    : TCollection(TdxBarItemLink::StaticClass()), FBarManager(ABarManager), FOwner(AOwner) {
  FItemOptions.reset(TdxBarItemOptions::Create(this));
}

int TdxBarItemLinks::GetDefaultOption(TdxBarItemOptionValue Option) const {
  return Option == ioShowShortCuts ? 1 : 0;
}

int TdxBarItemLinks::GetOption(TdxBarItemOptionValue Option) const {
  TdxBarItemLinks* Parent = ParentLinks();
  if (FItemOptions->GetAssignedValues().Contains(Option) || !Parent) return FItemOptions->OwnValue(Option);
  return Parent->GetOption(Option);
}

void TdxBarItemLinks::NoteDistributedChange(TdxBarItemLink* Link) {
  if (!IsDistributedChangePending(Link)) FDistributedChanges.push_back(Link);
}

void TdxBarItemLinks::ForgetDistributedChange(TdxBarItemLink* Link) { std::erase(FDistributedChanges, Link); }

bool TdxBarItemLinks::IsDistributedChangePending(const TdxBarItemLink* Link) const {
  return std::find(FDistributedChanges.begin(), FDistributedChanges.end(), Link) != FDistributedChanges.end();
}

bool TdxBarItemLinks::OwnsItemControl(TdxBarItemControl* Control) const {
  for (int I = 0; I < GetCount(); ++I)
    if (Control && GetLink(I)->GetControl() == Control) return true;
  return false;
}

TdxBarItemLink* TdxBarItemLinks::AddItemOfClass(TClassOf<TdxBarItem> ItemClass, TdxBarManager* Manager) {
  TdxBarManager* M = Manager ? Manager : FBarManager;
  TdxBarItem* Item = ItemClass.Create(M);
  BeginUpdate();
  TdxBarItemLink* Link = Add();
  try {
    Link->SetItem(Item);
  } catch (...) {
    Free(Link);
    Free(Item);
    EndUpdate();
    throw;
  }
  EndUpdate();
  return Link;
}

void TdxBarItemLinks::ClearLinkRects() {
  for (int I = 0; I < GetCount(); ++I) GetLink(I)->SetDisplayRect(RECT{0, 0, 0, 0});
}

void TdxBarItemLinks::UpdateActions() {
  std::vector<TdxBarItemLink*> Links = FPresent;
  for (TdxBarItemLink* L : Links)
    if (TdxBarItem* Item = L->GetItem())
      if (TdxBarItemActionLink* A = Item->GetActionLink()) A->Update();
}

void TdxBarItemLinks::LoadItemLayouts(TCustomIniFile* Store, const std::string& Base) {
  for (int I = 0; I < GetCount(); ++I)
    if (TdxBarItem* Item = GetLink(I)->GetItem()) Item->LoadLayout(Store, Base);
}

TdxBarItemLinks::~TdxBarItemLinks() = default;

void TdxBarItemLinks::BeforeDestruction() {
  TCustomdxBarControl* Window = FBarControl;
  FBarControl = nullptr;
  if (Window && !Window->IsBeingDestroyed()) {
    // The links' controls go with their window, before it.
    Window->DestroyItemControls();
    Window->AssignItemLinks(nullptr);
    Free(Window);
  }
  TCollection::BeforeDestruction();
}

void TdxBarItemLinks::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  auto* Link = static_cast<TdxBarItemLink*>(Item);
  if (Action == cnAdded) {
    FRecent.push_back(Link);
  } else {
    std::erase(FPresent, Link);
    std::erase(FEligible, Link);
    std::erase(FShown, Link);
    std::erase(FRecent, Link);
  }
  TCollection::Notify(Item, Action);
}

void TdxBarItemLinks::Assign(TPersistent* Source) {
  auto* Links = dynamic_cast<TdxBarItemLinks*>(Source);
  if (!Links) {
    TCollection::Assign(Source);
    return;
  }
  // The MDI child's system-menu item stays first.
  TdxBarItem* SystemMenu =
      GetCount() && dynamic_cast<TSystemMenuSubItem*>(GetLink(0)->GetItem()) ? GetLink(0)->GetItem() : nullptr;
  FAssigning = true;
  auto Finish = [&] {
    FAssigning = false;
    for (int I = 0; I < GetCount(); ++I) GetLink(I)->SetVisible(GetLink(I)->GetLoadedVisible());
    if (SystemMenu) {
      TdxBarItemLink* L = AddItem(SystemMenu);
      L->SetIndex(0);
    }
  };
  try {
    TCollection::Assign(Source);
  } catch (...) {
    Finish();
    throw;
  }
  Finish();
}

int TdxBarItemLinks::IndexOfLink(const TdxBarItemLink* Link) const {
  if (!Link || Link->GetCollection() != this) return -1;
  return Link->GetIndex();
}

int TdxBarItemLinks::IndexOfItemName(const std::string& Name) const {
  for (int I = 0; I < GetCount(); ++I)
    if (GetLink(I)->GetItem() && GetLink(I)->GetItem()->GetName() == Name) return I;
  return -1;
}

TdxBarItemLink* TdxBarItemLinks::AddItem(TdxBarItem* Item) {
  BeginUpdate();
  TdxBarItemLink* Link = Add();
  try {
    Link->SetItem(Item);
  } catch (...) {
    Free(Link);
    EndUpdate();
    throw;
  }
  EndUpdate();
  return Link;
}

void TdxBarItemLinks::MoveLink(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= GetCount() || ToIndex >= GetCount()) return;
  BeginUpdate();
  GetLink(FromIndex)->SetIndex(ToIndex);
  EndUpdate();
  if (FBarControl) FBarControl->Rebuild();
}

int TdxBarItemLinks::IndexOfShown(const TdxBarItemLink* Link) const {
  auto It = std::find(FShown.begin(), FShown.end(), Link);
  return It == FShown.end() ? -1 : static_cast<int>(It - FShown.begin());
}

int TdxBarItemLinks::IndexOfEligible(const TdxBarItemLink* Link) const {
  auto It = std::find(FEligible.begin(), FEligible.end(), Link);
  return It == FEligible.end() ? -1 : static_cast<int>(It - FEligible.begin());
}

void TdxBarItemLinks::FillLinkLists() {
  FPresent.clear();
  FEligible.clear();
  FShown.clear();
  bool Design = FBarManager && FBarManager->InDesignMode();
  for (int I = 0; I < GetCount(); ++I) {
    TdxBarItemLink* L = GetLink(I);
    if (!L->GetItem()) continue;
    if (Design) {
      FPresent.push_back(L);
      FEligible.push_back(L);
      FShown.push_back(L);
      continue;
    }
    if (!L->GetItem()->IsVisibleNow()) continue;
    FPresent.push_back(L);
    if (!L->GetVisible()) continue;
    FEligible.push_back(L);
    if (FRecentLinkLimit == -1) FShown.push_back(L);
  }
  if (Design || FRecentLinkLimit <= 0) return;
  for (TdxBarItemLink* L : FRecent) {
    if (static_cast<int>(FShown.size()) >= FRecentLinkLimit) break;
    if (IndexOfEligible(L) >= 0) FShown.push_back(L);
  }
  std::sort(FShown.begin(), FShown.end(),
            [](TdxBarItemLink* A, TdxBarItemLink* B) { return A->GetIndex() < B->GetIndex(); });
}

void TdxBarItemLinks::DropRedundantSeparators() {
  for (int I = static_cast<int>(FShown.size()) - 1; I >= 0; --I) {
    TdxBarItemLink* L = FShown[static_cast<size_t>(I)];
    if (!IsSeparatorLink(L)) continue;
    bool Last = I == static_cast<int>(FShown.size()) - 1;
    if (Last || IsSeparatorLink(FShown[static_cast<size_t>(I + 1)])) {
      std::erase(FEligible, L);
      FShown.erase(FShown.begin() + I);
    }
  }
}

void TdxBarItemLinks::RefreshLinkLists() {
  FillLinkLists();
  if (FBarManager && FBarManager->IsCustomizingOrDesigning()) return;
  if (GetUpdateCount() > 0) return;
  DropRedundantSeparators();
}

bool TdxBarItemLinks::ShowsAllLinks() const { return !OwnerIsBar(this); }

int TdxBarItemLinks::FittingShownCount() const {
  if (ShowsAllLinks()) return ShownLinkCount();
  if (!FBarControl || !FBarControl->HandleAllocated()) return 0;
  RECT Client;
  GetClientRect(FBarControl->GetHandle(), &Client);
  int Count = 0;
  for (TdxBarItemLink* L : FShown) {
    RECT R = L->GetItemRect(), Both;
    if (IsRectEmpty(&R) || !IntersectRect(&Both, &R, &Client) || !EqualRect(&Both, &R)) break;
    ++Count;
  }
  return Count;
}

namespace {
bool Selectable(TdxBarItemLink* L) { return L->GetControl() && L->GetControl()->CanSelect(); }
}  // namespace

TdxBarItemLink* TdxBarItemLinks::NextSelectableLink(TdxBarItemLink* Link, bool AnyLink) const {
  int Count = FittingShownCount();
  if (Count == 0) return nullptr;
  if (!Link) return FirstSelectableLink();
  int Start = IndexOfShown(Link);
  for (int Step = 1; Step <= Count; ++Step) {
    TdxBarItemLink* L = FShown[static_cast<size_t>((Start + Step + Count) % Count)];
    if (AnyLink || Selectable(L)) return L;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::PrevSelectableLink(TdxBarItemLink* Link, bool AnyLink) const {
  int Count = FittingShownCount();
  if (Count == 0) return nullptr;
  if (!Link) return LastSelectableLink();
  int Start = IndexOfShown(Link);
  if (Start < 0) Start = 0;
  for (int Step = 1; Step <= Count; ++Step) {
    TdxBarItemLink* L = FShown[static_cast<size_t>(((Start - Step) % Count + Count) % Count)];
    if (AnyLink || Selectable(L)) return L;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::FirstSelectableLink() const {
  int Count = FittingShownCount();
  for (int I = 0; I < Count; ++I)
    if (Selectable(FShown[static_cast<size_t>(I)])) return FShown[static_cast<size_t>(I)];
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::LastSelectableLink() const {
  for (int I = FittingShownCount() - 1; I >= 0; --I)
    if (Selectable(FShown[static_cast<size_t>(I)])) return FShown[static_cast<size_t>(I)];
  return nullptr;
}

bool TdxBarItemLinks::UsesRecentItems() const {
  if (!FBarManager || FBarManager->GetEffectiveStyle() == bmsStandard || !FRecentModeAllowed) return false;
  TdxBarItemLinks* Parent = ParentLinks();
  return !Parent || Parent->UsesRecentItems();
}

void TdxBarItemLinks::SetRecentLinkLimit(int Limit) {
  FSavedRecentLinkLimit = FRecentLinkLimit;
  FRecentLinkLimit = UsesRecentItems() ? Limit : -1;
  RefreshLinkLists();
}

void TdxBarItemLinks::RestoreRecentLinkLimit() {
  FRecentLinkLimit = FSavedRecentLinkLimit;
  RefreshLinkLists();
}

int TdxBarItemLinks::CalcRecentLinkCount() const {
  if (!UsesRecentItems()) return -1;
  int E = EligibleLinkCount();
  if (E == 0) return -1;
  int Min = FEligible.front()->GetUseCount(), Max = Min;
  for (TdxBarItemLink* L : FEligible) {
    Min = std::min(Min, L->GetUseCount());
    Max = std::max(Max, L->GetUseCount());
  }
  int Percents = FBarManager ? FBarManager->GetMostRecentItemsPercents() : 95;
  int Threshold = Min + MulDiv(Max - Min, 100 - Percents, 100);
  // Positions E-1 down to 0 of the recent order of the eligible links: the recent
  // list also holds hidden links, which must not shorten the menu.
  std::vector<TdxBarItemLink*> Recent;
  for (TdxBarItemLink* L : FRecent)
    if (IndexOfEligible(L) >= 0) Recent.push_back(L);
  for (int P = static_cast<int>(Recent.size()) - 1; P >= 0; --P) {
    TdxBarItemLink* L = Recent[static_cast<size_t>(P)];
    if (L->GetUseCount() >= Threshold && L->GetOwnerLinks() == this) return P + 1 == E ? -1 : P + 1;
  }
  return 0;
}

int TdxBarItemLinks::RecentIndexOf(const TdxBarItemLink* Link) const {
  auto It = std::find(FRecent.begin(), FRecent.end(), Link);
  return It == FRecent.end() ? -1 : static_cast<int>(It - FRecent.begin());
}

void TdxBarItemLinks::MoveInRecentList(TdxBarItemLink* Link, int Index) {
  int Current = RecentIndexOf(Link);
  if (Current < 0) return;
  FRecent.erase(FRecent.begin() + Current);
  Index = std::clamp(Index, 0, static_cast<int>(FRecent.size()));
  FRecent.insert(FRecent.begin() + Index, Link);
}

void TdxBarItemLinks::ApplyLoadedUsage(bool RestoreVisible) {
  for (int I = GetCount() - 1; I >= 0; --I)
    if (GetLink(I)->GetItem()) GetLink(I)->ResetUsage();
  if (RestoreVisible)
    for (int I = 0; I < GetCount(); ++I) GetLink(I)->SetVisible(GetLink(I)->GetLoadedVisible());
  for (int Position = 0; Position < GetCount(); ++Position)
    for (int I = 0; I < GetCount(); ++I) {
      TdxBarItemLink* L = GetLink(I);
      if (L->GetLoadedRecentIndex() != Position) continue;
      L->SetUseCount(L->GetLoadedUseCount());
      MoveInRecentList(L, Position);
      L->SetLoadedRecentIndex(-1);
    }
  RefreshLinkLists();
  if (FBarControl) FBarControl->CreateItemControls();
}

void TdxBarItemLinks::PackRecentList() {
  size_t Free = 0;
  while (Free < FRecent.size() && IndexOfEligible(FRecent[Free]) >= 0) ++Free;
  for (size_t I = Free + 1; I < FRecent.size(); ++I) {
    if (IndexOfEligible(FRecent[I]) < 0) continue;
    TdxBarItemLink* L = FRecent[I];
    FRecent.erase(FRecent.begin() + static_cast<std::ptrdiff_t>(I));
    FRecent.insert(FRecent.begin() + static_cast<std::ptrdiff_t>(Free), L);
    ++Free;
  }
}

void TdxBarItemLinks::ResolveLoadedLinks() {
  for (int I = GetCount() - 1; I >= 0; --I) GetLink(I)->ResolveLoadedItem();
  ApplyLoadedUsage(true);
}

TCustomdxBarControl* TdxBarItemLinks::CreateBarControl() {
  if (FBarControl || !FOwner) return FBarControl;
  FBarControl = FOwner->CreateBarControl();
  if (FBarControl) FBarControl->AssignItemLinks(this);
  return FBarControl;
}

void TdxBarItemLinks::DestroyBarControl() {
  TCustomdxBarControl* Window = FBarControl;
  FBarControl = nullptr;
  if (Window) {
    Window->DestroyItemControls();
    Window->AssignItemLinks(nullptr);
    Free(Window);
  }
}

TdxBarItemLinks* TdxBarItemLinks::ParentLinks() const {
  TCustomdxBarControl* Parent = FBarControl ? FBarControl->GetParentBar() : nullptr;
  return Parent ? Parent->GetItemLinks() : nullptr;
}

bool TdxBarItemLinks::CanContainItem(TdxBarItem* Item, std::string& Text) {
  Text.clear();
  return !FOwner || FOwner->CanContainItem(Item, Text);
}

bool TdxBarItemLinks::LeadsToOwner(IdxBarLinksOwner* Owner) const {
  if (Owner && Owner->GetItemLinks() == this) return true;

  for (int I = 0; I < GetCount(); ++I) {
    auto* LinkOwner = dynamic_cast<IdxBarLinksOwner*>(GetLink(I)->GetItem());
    if (!LinkOwner) continue;
    if (LinkOwner == Owner) return true;
    if (TdxBarItemLinks* Inner = LinkOwner->GetItemLinks(); Inner && Inner != this && Inner->LeadsToOwner(Owner))
      return true;
  }
  return false;
}

bool TdxBarItemLinks::HandleShortCut(TShortCut ShortCut) {
  if (ShortCut == 0) return false;
  UpdateActions();
  std::vector<TdxBarItemLink*> Present = FPresent;
  for (TdxBarItemLink* L : Present)
    if (L->GetItem() && L->GetItem()->HandleShortCut(ShortCut)) return true;
  return false;
}

TdxBarItemLink* TdxBarItemLinks::FindLinkByAccelerator(WORD Key, TShiftState Shift, TdxBarItemLink* StartLink) {
  Shift.Exclude(ssAlt);
  return FindAccelLink(Key, Shift, StartLink);
}

TdxBarItemLink* TdxBarItemLinks::FindAccelLink(WORD Key, TShiftState Shift, TdxBarItemLink* StartLink) {
  (void)Key, (void)Shift, (void)StartLink;
  return nullptr;
}

TdxBarItemLink* TdxBarControlItemLinks::FindAccelLink(WORD Key, TShiftState Shift, TdxBarItemLink* StartLink) {
  TCustomdxBarControl* Window = GetBarControl();
  if (!Window || !Window->HandleAllocated() || !IsWindowVisible(Window->GetHandle())) return nullptr;
  TdxBarItemLink* L = StartLink;
  for (int Step = 0; Step < ShownLinkCount(); ++Step) {
    L = NextSelectableLink(L, false);
    if (!L) return nullptr;
    if (L->GetItem()->IsEnterable(L) && L->MatchesAccelerator(Key, Shift)) return L;
    if (L == StartLink) break;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarSubMenuControlItemLinks::FindAccelLink(WORD Key, TShiftState Shift, TdxBarItemLink* StartLink) {
  int Count = EligibleLinkCount();
  if (Count == 0) return nullptr;
  int Start = StartLink ? IndexOfEligible(StartLink) : -1;
  for (int Step = 1; Step <= Count; ++Step) {
    TdxBarItemLink* L = GetEligibleLink((Start + Step + Count) % Count);
    if (L->GetItem()->IsEnterable(L) && L->MatchesAccelerator(Key, Shift)) return L;
  }
  return nullptr;
}

void TdxBarItemLinks::SaveLayout(TCustomIniFile* Store, const std::string& Base, bool Registry) {
  int Number = 0;
  for (int I = 0; I < GetCount(); ++I) {
    TdxBarItemLink* L = GetLink(I);
    if (!L->GetItem() || L->GetItem()->GetName().empty() || L->GetCreatedFromMergingWith()) continue;
    L->SaveLayout(Store, Base, Registry, Number++);
  }
  Store->WriteInteger(Base, "ItemLinkCount", Number);
}

void TdxBarItemLinks::LoadLayout(TCustomIniFile* Store, const std::string& Base, bool Registry) {
  BeginUpdate();
  std::vector<TdxBarItemLink*> Kept;
  try {
    TStringList* NewItems = FBarManager ? FBarManager->GetNewItems() : nullptr;
    if (NewItems && NewItems->GetCount()) {
      std::string Previous;
      std::vector<TdxBarItemLink*> Dropped;
      for (int I = 0; I < GetCount(); ++I) {
        TdxBarItemLink* L = GetLink(I);
        std::string Name = L->GetItem() ? L->GetItem()->GetName() : std::string();
        if (L->GetItem() && NewItems->IndexOf(Name) >= 0) {
          L->SetCreatedFromMergingWith(nullptr);
          L->SetPrevItemName(Previous);
          Kept.push_back(L);
        } else {
          Dropped.push_back(L);
        }
        Previous = Name;
      }
      for (TdxBarItemLink* L : Dropped) Free(L);
    } else {
      Clear();
    }
    for (int N = Store->ReadInteger(Base, "ItemLinkCount", 0) - 1; N >= 0; --N) {
      TdxBarItemLink* L = Insert(0);
      if (!L->LoadLayout(Store, Base, Registry, N)) Free(L);
    }
    for (TdxBarItemLink* L : Kept) {
      if (L->GetPrevItemName().empty()) {
        L->SetIndex(0);
        continue;
      }
      int After = IndexOfItemName(L->GetPrevItemName());
      if (After < 0) continue;
      L->SetIndex(After < L->GetIndex() ? After + 1 : After);
    }
  } catch (...) {
    EndUpdate();
    ApplyLoadedUsage(true);
    throw;
  }
  EndUpdate();
  ApplyLoadedUsage(true);
}

void TdxBarItemLinks::LoadUsage(TCustomIniFile* Store, const std::string& Base) {
  int Count = std::min(Store->ReadInteger(Base, "ItemLinkCount", 0), GetCount());
  for (int I = 0; I < Count; ++I) GetLink(I)->LoadUsage(Store, Base, I);
  ApplyLoadedUsage(false);
  PackRecentList();
}

void TdxBarItemLinks::MergeLinks(TdxBarItemLinks* Source) {
  for (int S = 0; S < Source->GetCount(); ++S) {
    TdxBarItemLink* SrcLink = Source->GetLink(S);
    TdxBarItem* SrcItem = SrcLink->GetItem();
    if (!SrcItem || SrcItem->GetMergeKind() == mkNone) continue;
    int Target = -1;
    if (SrcItem->GetMergeKind() == mkMergeByCaption)
      for (int I = 0; I < GetCount(); ++I) {
        TdxBarItem* Item = GetLink(I)->GetItem();
        if (Item && Item->GetMergeKind() == mkMergeByCaption &&
            GetLink(I)->GetEffectiveCaption() == SrcLink->GetEffectiveCaption() && Item->CanMergeWith(SrcItem))
          Target = I;
      }
    TdxBarItemMergeKind Kind = mkMergeByCaption;
    int Position = Target;
    if (Target < 0) {
      Kind = mkAdd;
      Position = 0;
      int BestOrder = -1;
      for (int I = 0; I < GetCount(); ++I) {
        TdxBarItem* Item = GetLink(I)->GetItem();
        if (Item && Item->GetMergeOrder() <= SrcItem->GetMergeOrder() && Item->GetMergeOrder() >= BestOrder) {
          BestOrder = Item->GetMergeOrder();
          Position = I + 1;
        }
      }
    }
    if (FBarManager) FBarManager->DoMergeItemLink(this, Source, SrcLink, Kind, Position);
    if (Position < 0) continue;
    if (Kind == mkMergeByCaption) {
      if (Position >= GetCount() || !GetLink(Position)->GetItem() ||
          !GetLink(Position)->GetItem()->CanMergeWith(SrcItem))
        continue;
      TdxBarItemLinks* Into = GetLink(Position)->GetItem()->GetItemLinks();
      if (Into && SrcItem->GetItemLinks()) Into->MergeLinks(SrcItem->GetItemLinks());
    } else if (Kind == mkAdd) {
      if (Position > GetCount()) continue;
      TdxBarItemLink* L = Insert(Position);
      L->Assign(SrcLink);
    }
  }
}

void TdxBarItemLinks::RemoveMergedLinks(TdxBar* Bar) {
  for (int I = GetCount() - 1; I >= 0; --I) {
    TdxBarItemLink* L = GetLink(I);
    if (L->GetCreatedFromMergingWith() && (!Bar || L->GetCreatedFromMergingWith() == Bar))
      Free(L);
    else if (L->GetItem() && L->GetItem()->GetItemLinks())
      L->GetItem()->GetItemLinks()->RemoveMergedLinks(Bar);
  }
}

void TdxBarItemLinks::NotifyChanged() {
  if (!FBarManager) return;
  if (auto* Menu = dynamic_cast<TdxBarCustomPopupMenu*>(GetOwnerComponent())) {
    if (TdxBarDesignController* D = BarDesignControllerInstance())
      D->NotifyDesignerModified(dynamic_cast<TCustomForm*>(Menu->GetOwner()));
    return;
  }
  FBarManager->NotifyModified();
}

void TdxBarItemLinks::Update(TCollectionItem* Item) {
  if (!Item) RefreshLinkLists();
  TComponent* Owner = GetOwnerComponent();
  if (Owner && Owner->GetComponentState().Contains(csDestroying)) return;
  TCollection::Update(Item);
  if (!FInternal) NotifyChanged();
  if (Item) {
    if (FBarManager && !FBarManager->IsLoading()) FBarManager->DoItemLinkChange(static_cast<TdxBarItemLink*>(Item));
    return;
  }
  if (FBarControl && FBarControl->GetEnabled()) FBarControl->Rebuild();
  OnChange(this);
}
