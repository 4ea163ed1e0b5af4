#include "suite/navbar/NavBarStyles.h"

#include <algorithm>

#include "framework/ClassRegistry.h"
#include "framework/Graphic.h"
#include "framework/Published.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/navbar/NavBar.h"

// ---- TdxNavBarBaseStyle

TdxNavBarBaseStyle::TdxNavBarBaseStyle(TPersistent* AOwner)
    : TcxOwnedPersistent(AOwner), FFont(TFont::Create()), FImage(TPicture::Create()) {
  FFont->OnChange = Bind(this, &TdxNavBarBaseStyle::FontChanged);
  FImage->OnChange = Bind(this, &TdxNavBarBaseStyle::ImageChanged);
}

TdxNavBarBaseStyle::~TdxNavBarBaseStyle() {
  FFont->OnChange = nullptr;
  FImage->OnChange = nullptr;
}

void TdxNavBarBaseStyle::FontChanged(TObject*) {
  if (FResetting) return;
  Track(savFont);
  Changed(1);
}

void TdxNavBarBaseStyle::ImageChanged(TObject*) {
  if (FResetting) return;
  Track(savImage);
  Changed(1);
}

#define DX_STYLE_SETTER(Name, Type, Field, Flag) \
  void TdxNavBarBaseStyle::Set##Name(Type Value) { \
    if (Field == Value) return;                     \
    Field = Value;                                  \
    Track(Flag);                                    \
    Changed(2);                                     \
  }
DX_STYLE_SETTER(AlphaBlending, std::uint8_t, FAlphaBlending, savAlphaBlending)
DX_STYLE_SETTER(AlphaBlending2, std::uint8_t, FAlphaBlending2, savAlphaBlending2)
DX_STYLE_SETTER(BackColor, TColor, FBackColor, savBackColor)
DX_STYLE_SETTER(BackColor2, TColor, FBackColor2, savBackColor2)
DX_STYLE_SETTER(GradientMode, TdxBarStyleGradientMode, FGradientMode, savGradientMode)
DX_STYLE_SETTER(HAlignment, TdxBarStyleHAlignment, FHAlignment, savHAlignment)
DX_STYLE_SETTER(VAlignment, TdxBarStyleVAlignment, FVAlignment, savVAlignment)
#undef DX_STYLE_SETTER

void TdxNavBarBaseStyle::SetFont(TFont* Value) {
  FResetting = true;
  FFont->Assign(Value);
  FResetting = false;
  Track(savFont);
  Changed(1);
}

void TdxNavBarBaseStyle::SetImage(TPicture* Value) {
  // The picture's own change notice records the flag.
  FImage->Assign(Value);
  Changed(1);
}

void TdxNavBarBaseStyle::SetAssignedValues(TdxBarStyleAssignedValues Value) { FAssignedValues = Value; }

void TdxNavBarBaseStyle::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxNavBarBaseStyle*>(Source);
  if (!S) {
    TcxOwnedPersistent::Assign(Source);
    return;
  }
  FResetting = true;
  FAlphaBlending = S->FAlphaBlending;
  FAlphaBlending2 = S->FAlphaBlending2;
  FBackColor = S->FBackColor;
  FBackColor2 = S->FBackColor2;
  FGradientMode = S->FGradientMode;
  FFont->Assign(S->FFont.get());
  FImage->Assign(S->FImage.get());
  FHAlignment = S->FHAlignment;
  FVAlignment = S->FVAlignment;
  FAssignedValues = S->FAssignedValues;
  FResetting = false;
  Changed(1);
}

void TdxNavBarBaseStyle::Reset() {
  FResetting = true;
  FAlphaBlending = FAlphaBlending2 = 255;
  FBackColor = FBackColor2 = clWhite;
  FGradientMode = gmHorizontal;
  ResetFontToDefault(FFont.get());
  FFont->SetColor(clWindowText);
  FImage->SetGraphic(nullptr);
  FHAlignment = haLeft;
  FVAlignment = svaCenter;
  FAssignedValues = {};
  FResetting = false;
}

SONVELT_PUBLISHED(TdxNavBarBaseStyle, P) {
  P.Integer("AlphaBlending", &TdxNavBarBaseStyle::GetAlphaBlending, &TdxNavBarBaseStyle::SetAlphaBlending)
      .Default(255);
  P.Integer("AlphaBlending2", &TdxNavBarBaseStyle::GetAlphaBlending2, &TdxNavBarBaseStyle::SetAlphaBlending2)
      .Default(255);
  P.Integer("BackColor", &TdxNavBarBaseStyle::GetBackColor, &TdxNavBarBaseStyle::SetBackColor)
      .Idents(ColorToIdent, IdentToColor);
  P.Integer("BackColor2", &TdxNavBarBaseStyle::GetBackColor2, &TdxNavBarBaseStyle::SetBackColor2)
      .Idents(ColorToIdent, IdentToColor);
  P.Enum("GradientMode", &TdxNavBarBaseStyle::GetGradientMode, &TdxNavBarBaseStyle::SetGradientMode,
         {"gmHorizontal", "gmVertical", "gmForwardDiagonal", "gmBackwardDiagonal"})
      .Default(gmHorizontal);
  P.Object("Font", &TdxNavBarBaseStyle::GetFont);
  P.Object("Image", &TdxNavBarBaseStyle::GetImage);
  P.Enum("HAlignment", &TdxNavBarBaseStyle::GetHAlignment, &TdxNavBarBaseStyle::SetHAlignment,
         {"haLeft", "haCenter", "haRight"})
      .Default(haLeft);
  P.Enum("VAlignment", &TdxNavBarBaseStyle::GetVAlignment, &TdxNavBarBaseStyle::SetVAlignment,
         {"vaTop", "vaCenter", "vaBottom"})
      .Default(svaCenter);
}

// ---- TdxNavBarStyle

void TdxNavBarStyle::SetAssignedValues(TdxBarStyleAssignedValues Value) {
  TdxNavBarBaseStyle::SetAssignedValues(Value);
  Changed(1);
}

SONVELT_PUBLISHED(TdxNavBarStyle, P) {
  P.Set("AssignedValues", &TdxNavBarStyle::GetAssignedValues, &TdxNavBarStyle::SetAssignedValues,
        {"savAlphaBlending", "savAlphaBlending2", "savBackColor", "savBackColor2", "savFont", "savGradientMode",
         "savHAlignment", "savVAlignment", "savImage"})
      .Default(TdxBarStyleAssignedValues{});
}

// ---- default styles

TdxNavBarDefaultStyle::TdxNavBarDefaultStyle(TdxNavBarDefaultStyles* AOwner, int AIndex)
    : TdxNavBarBaseStyle(AOwner), FStyles(AOwner), FIndex(AIndex) {}

void TdxNavBarDefaultStyle::Changed(int ChangeKind) {
  TdxNavBarBaseStyle::Changed(ChangeKind);
  FStyles->StyleChanged(this, ChangeKind);
  FHoldsViewDefaults = false;
}

TdxNavBarDefaultStyles::TdxNavBarDefaultStyles(TPersistent* AOwner) : TcxOwnedPersistent(AOwner) {
  for (int I = 0; I < dxNavBarDefaultStyleCount; ++I)
    FStyles.push_back(TOwned<TdxNavBarDefaultStyle>(TdxNavBarDefaultStyle::Create(this, I)));
}

TdxNavBarDefaultStyles::~TdxNavBarDefaultStyles() = default;

TdxNavBarDefaultStyle* TdxNavBarDefaultStyles::GetIndexedStyle(int Index) const {
  return FStyles.at(static_cast<size_t>(Index)).get();
}

void TdxNavBarDefaultStyles::SetIndexedStyle(int Index, TdxNavBarBaseStyle* Value) {
  GetIndexedStyle(Index)->Assign(Value);
}

void TdxNavBarDefaultStyles::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxNavBarDefaultStyles*>(Source);
  if (!S) {
    TcxOwnedPersistent::Assign(Source);
    return;
  }
  for (int I = 0; I < std::min(Count(), S->Count()); ++I) GetIndexedStyle(I)->Assign(S->GetIndexedStyle(I));
}

void TdxNavBarDefaultStyles::StyleChanged(TdxNavBarDefaultStyle* Style, int ChangeKind) {
  if (FUpdateCount == 0) OnChange(this, ChangeKind);
}

void TdxNavBarDefaultStyles::ResetToDefaults(bool OnlyUnchanged) {
  BeginUpdate();
  try {
    for (auto& S : FStyles)
      if (ViewDefaultsProc && (S->GetHoldsViewDefaults() || !OnlyUnchanged)) {
        ViewDefaultsProc(S->GetIndex(), S.get());
        S->SetHoldsViewDefaults(true);
      }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

namespace {
const char* const DefaultStyleNames[dxNavBarDefaultStyleCount] = {
    "Background", "Button", "ButtonPressed", "ButtonHotTracked", "GroupBackground", "GroupControl", "GroupHeader",
    "GroupHeaderActive", "GroupHeaderActiveHotTracked", "GroupHeaderActivePressed", "GroupHeaderHotTracked",
    "GroupHeaderPressed", "Hint", "Item", "ItemDisabled", "ItemHotTracked", "ItemPressed", "DropTargetGroup",
    "DropTargetLink", "NavigationPaneHeader"};
}

SONVELT_PUBLISHED(TdxNavBarDefaultStyles, P) {
  for (int I = 0; I < dxNavBarDefaultStyleCount; ++I)
    P.Object(DefaultStyleNames[I], [I](TdxNavBarDefaultStyles* S) { return S->GetIndexedStyle(I); })
        .Stored([I](TdxNavBarDefaultStyles* S) { return S->StyleStoredAt(I); });
}

// ---- style items

TdxNavBarStyleItem::TdxNavBarStyleItem(TComponent* AOwner)
    : TdxNavBarComponentCollectionItem(AOwner),
      FHandlers(TcxEventHandlerCollection::Create()),
      FStyle(TdxNavBarStyle::Create(this)) {
  FStyle->OnChange = Bind(this, &TdxNavBarStyleItem::StyleChanged);
}

TdxNavBarStyleItem::~TdxNavBarStyleItem() {
  FStyle.reset();
  FHandlers.reset();
}

void TdxNavBarStyleItem::StyleChanged(TObject*, int ChangeKind) {
  if (FHandlers) FHandlers->FireAll(this, &ChangeKind);
}

TcxComponentCollection* TdxNavBarStyleItem::CollectionOfParent(TComponent* ParentComponent) {
  auto* Bar = dynamic_cast<TdxCustomNavBar*>(ParentComponent);
  return Bar ? Bar->GetOptionsStyle()->GetCustomStyleRepository() : nullptr;
}

SONVELT_PUBLISHED(TdxNavBarStyleItem, P) { P.Object("Style", &TdxNavBarStyleItem::GetStyle); }

int TdxNavBarStyleRepository::IndexOf(const TdxNavBarStyleItem* Item) const {
  for (int I = 0; I < NumberOfItems(); ++I)
    if (ItemAt(I) == Item) return I;
  return -1;
}

// ---- custom style slots

void TdxNavBarBaseCustomStyles::AfterConstruction() {
  TdxNavBarNexusPersistent::AfterConstruction();
  FSlots.assign(static_cast<size_t>(GetCount()), nullptr);
}

TdxNavBarBaseCustomStyles::~TdxNavBarBaseCustomStyles() {
  for (int I = 0; I < static_cast<int>(FSlots.size()); ++I)
    if (FSlots[I]) {
      UnlinkStyle(I);
      Notificator()->UnwatchComponent(FSlots[I]);
      FSlots[I] = nullptr;
    }
}

TdxNavBarStyleItem* TdxNavBarBaseCustomStyles::StyleSlotAt(int Index) const {
  return Index >= 0 && Index < static_cast<int>(FSlots.size()) ? FSlots[Index] : nullptr;
}

void TdxNavBarBaseCustomStyles::AssignStyleSlot(int Index, TdxNavBarStyleItem* Item) {
  if (Index < 0 || Index >= static_cast<int>(FSlots.size()) || FSlots[Index] == Item) return;
  UnlinkStyle(Index);
  TdxNavBarStyleItem* Old = FSlots[Index];
  FSlots[Index] = Item;
  // Another slot may still point at the old item.
  if (Old && std::find(FSlots.begin(), FSlots.end(), Old) == FSlots.end()) Notificator()->UnwatchComponent(Old);
  Notificator()->WatchComponent(Item);
  LinkStyle(Index);
  OnChange(this, 0);
}

void TdxNavBarBaseCustomStyles::LinkStyle(int Index) {
  if (FSlots[Index]) FSlots[Index]->AddChangeHandler(Bind(this, &TdxNavBarBaseCustomStyles::ItemStyleChanged));
}

void TdxNavBarBaseCustomStyles::UnlinkStyle(int Index) {
  if (FSlots[Index] && std::count(FSlots.begin(), FSlots.end(), FSlots[Index]) == 1)
    FSlots[Index]->RemoveChangeHandler(Bind(this, &TdxNavBarBaseCustomStyles::ItemStyleChanged));
}

void TdxNavBarBaseCustomStyles::FreeNotification(TComponent* Component) {
  bool Any = false;
  for (auto& S : FSlots)
    if (S == Component) {
      S = nullptr;
      Any = true;
    }
  if (Any) OnChange(this, 0);
}

void TdxNavBarBaseCustomStyles::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxNavBarBaseCustomStyles*>(Source);
  if (!S) {
    TdxNavBarNexusPersistent::Assign(Source);
    return;
  }
  for (int I = 0; I < GetCount(); ++I) AssignStyleSlot(I, I < S->GetCount() ? S->StyleSlotAt(I) : nullptr);
}

namespace {
template <class C>
void PublishSlots(TPublisher<C>& P, std::initializer_list<const char*> Names) {
  int I = 0;
  for (const char* N : Names) {
    P.Component(
        N, [I](C* S) { return S->StyleSlotAt(I); },
        [I](C* S, TdxNavBarStyleItem* V) { S->AssignStyleSlot(I, V); });
    ++I;
  }
}
}  // namespace

SONVELT_PUBLISHED(TdxNavBarCustomStyles, P) {
  PublishSlots(P, {"Background", "Hint", "DropTargetGroup", "DropTargetLink", "Button", "ButtonHotTracked",
                   "ButtonPressed", "NavigationPaneHeader"});
}
SONVELT_PUBLISHED(TdxNavBarGroupCustomStyles, P) {
  PublishSlots(P, {"Background", "Control", "Header", "HeaderActive", "HeaderActiveHotTracked",
                   "HeaderActivePressed", "HeaderHotTracked", "HeaderPressed"});
}
SONVELT_PUBLISHED(TdxNavBarItemCustomStyles, P) {
  PublishSlots(P, {"Item", "ItemDisabled", "ItemHotTracked", "ItemPressed"});
}

// ---- style options

TdxNavBarStyleOptions::TdxNavBarStyleOptions(TPersistent* AOwner, TComponent* Bar)
    : TcxOwnedPersistent(AOwner),
      FRepository(TdxNavBarStyleRepository::Create(Bar)),
      FDefaultStyles(TdxNavBarDefaultStyles::Create(this)),
      FCustomStyles(TdxNavBarCustomStyles::Create(this)) {
  FRepository->OnChange = Bind(this, &TdxNavBarStyleOptions::RepositoryChanged);
  FDefaultStyles->OnChange = Bind(this, &TdxNavBarStyleOptions::PartChanged);
  FCustomStyles->OnChange = Bind(this, &TdxNavBarStyleOptions::PartChanged);
}

TdxNavBarStyleOptions::~TdxNavBarStyleOptions() {
  FCustomStyles.reset();
  FDefaultStyles.reset();
  FRepository.reset();
}

void TdxNavBarStyleOptions::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxNavBarStyleOptions*>(Source);
  if (!S) {
    TcxOwnedPersistent::Assign(Source);
    return;
  }
  FRepository->Assign(S->FRepository.get());
  FDefaultStyles->Assign(S->FDefaultStyles.get());
  FCustomStyles->Assign(S->FCustomStyles.get());
  OnChange = S->OnChange;
}

SONVELT_PUBLISHED(TdxNavBarStyleOptions, P) {
  P.Object("CustomStyles", &TdxNavBarStyleOptions::GetCustomStyles);
  P.Object("DefaultStyles", &TdxNavBarStyleOptions::GetDefaultStyles);
}

namespace {
const bool Registered = (RegisterClass(TdxNavBarStyleItem::StaticClass()), true);
}
