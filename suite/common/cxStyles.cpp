#include "suite/common/cxStyles.h"

#include <algorithm>

#include "framework/ClassRegistry.h"
#include "framework/Control.h"
#include "framework/Reader.h"
#include "framework/StringUtils.h"
#include "framework/Writer.h"

namespace {
const bool StylesRegistered =
    (RegisterClass(TcxStyle::StaticClass()), StartClassGroup(TControl::StaticClass()),
     GroupDescendentsWith(TcxCustomStyle::StaticClass(), TControl::StaticClass()),
     GroupDescendentsWith(TcxCustomStyleSheet::StaticClass(), TControl::StaticClass()),
     GroupDescendentsWith(TcxStyleRepository::StaticClass(), TControl::StaticClass()), true);
}  // namespace

// ---------------------------------------------------------------- styles

TcxCustomStyle::~TcxCustomStyle() { SetStyleRepository(nullptr); }

void TcxCustomStyle::BeforeDestruction() {
  TComponent::BeforeDestruction();
  // Each listener is unlisted before it is told, so one that does not detach
  // itself cannot keep the loop going.
  while (!FListeners.empty()) {
    IcxStyleObserver* Listener = FListeners.back();
    FListeners.pop_back();
    Listener->StyleDetached(this);
  }
}

void TcxCustomStyle::BroadcastChange() {
  for (size_t I = FListeners.size(); I-- > 0;)
    if (I < FListeners.size()) FListeners[I]->StyleModified(this);
}

void TcxCustomStyle::AttachListener(IcxStyleObserver* Listener) {
  if (Listener && std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end())
    FListeners.push_back(Listener);
}

void TcxCustomStyle::DetachListener(IcxStyleObserver* Listener) { std::erase(FListeners, Listener); }

TComponent* TcxCustomStyle::GetParentComponent() const { return FStyleRepository; }

void TcxCustomStyle::SetParentComponent(TComponent* Value) {
  if (!GetComponentState().Contains(csLoading)) SetStyleRepository(dynamic_cast<TcxStyleRepository*>(Value));
}

void TcxCustomStyle::ReadState(TReader* Reader) {
  TComponent::ReadState(Reader);
  SetStyleRepository(dynamic_cast<TcxStyleRepository*>(Reader->GetParent()));
}

void TcxCustomStyle::SetStyleRepository(TcxStyleRepository* Value) {
  if (FStyleRepository == Value) return;
  if (FStyleRepository) std::erase(FStyleRepository->FStyles, this);
  FStyleRepository = Value;
  if (Value && std::find(Value->FStyles.begin(), Value->FStyles.end(), this) == Value->FStyles.end())
    Value->FStyles.push_back(this);
}

SONVELT_PUBLISHED(TcxStyle, P) {
  auto Stored = [](TcxStyleValue V) { return [V](TcxStyle* S) { return S->GetAssignedValues().Contains(V); }; };
  P.Set("AssignedValues", &TcxStyle::GetAssignedValues, &TcxStyle::SetAssignedValues,
        {"svBitmap", "svColor", "svFont", "svTextColor"})
      .Default(TcxStyleValues{});
  P.Integer("Color", &TcxStyle::GetColor, &TcxStyle::SetColor).Idents(ColorToIdent, IdentToColor).Stored(Stored(svColor));
  P.Object("Bitmap", &TcxStyle::GetBitmap).Stored(Stored(svBitmap));
  P.Object("Font", &TcxStyle::GetFont).Stored(Stored(svFont));
  P.Integer("TextColor", &TcxStyle::GetTextColor, &TcxStyle::SetTextColor)
      .Idents(ColorToIdent, IdentToColor)
      .Stored(Stored(svTextColor));
}

TcxStyle::TcxStyle(TComponent* AOwner)
    : TcxCustomStyle(AOwner), FBitmap(TBitmap::Create()), FFont(TFont::Create()) {
  FBitmap->OnChange = TNotifyEvent(this, &TcxStyle::BitmapChanged);
  FFont->OnChange = TNotifyEvent(this, &TcxStyle::FontChanged);
}

TcxStyle::~TcxStyle() {
  Free(FFont);
  Free(FBitmap);
}

void TcxStyle::BitmapChanged(TObject*) {
  if (FBitmap->GetEmpty()) FAssignedValues.Exclude(svBitmap);
  else FAssignedValues.Include(svBitmap);
  BroadcastChange();
}

void TcxStyle::FontChanged(TObject*) {
  FAssignedValues.Include(svFont);
  BroadcastChange();
}

void TcxStyle::SetAssignedValues(TcxStyleValues Value) {
  if (FAssignedValues == Value) return;
  FAssignedValues = Value;
  BroadcastChange();
}

void TcxStyle::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  if (Value == clDefault) FAssignedValues.Exclude(svColor);
  else FAssignedValues.Include(svColor);
  BroadcastChange();
}

void TcxStyle::SetTextColor(TColor Value) {
  if (FTextColor == Value) return;
  FTextColor = Value;
  if (Value == clDefault) FAssignedValues.Exclude(svTextColor);
  else FAssignedValues.Include(svTextColor);
  BroadcastChange();
}

void TcxStyle::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TcxStyle*>(Source)) {
    SetBitmap(S->GetBitmap());
    SetColor(S->GetColor());
    SetFont(S->GetFont());
    SetTextColor(S->GetTextColor());
    SetAssignedValues(S->GetAssignedValues());
    return;
  }
  TcxCustomStyle::Assign(Source);
}

void TcxStyle::ResetValues() {
  // One broadcast for the whole reset.
  TNotifyEvent BitmapHandler = FBitmap->OnChange;
  FBitmap->OnChange = TNotifyEvent();
  FBitmap->Assign(nullptr);
  FBitmap->OnChange = BitmapHandler;
  FAssignedValues = {};
  FColor = clDefault;
  FTextColor = clDefault;
  BroadcastChange();
}

void TcxStyle::ReadState(TReader* Reader) {
  TcxCustomStyle::ReadState(Reader);
  if (GetStyleRepository()) {
    TcxStyleValues Assigned = FAssignedValues;
    FFont->SetHeight(GetStyleRepository()->ScaleToScreen(FFont->GetHeight()));
    FAssignedValues = Assigned;  // scaling is no assignment of the font
  }
}

// ---------------------------------------------------------------- style sets

TcxCustomStyles::~TcxCustomStyles() {
  FDestroying = true;
  while (!FItems.empty()) DeleteItem(GetCount() - 1);
  FollowStyleSheet(nullptr);
}

HRESULT TcxCustomStyles::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == IID_IcxStyleObserver) {
    *ppv = static_cast<IcxStyleObserver*>(this);
    return S_OK;
  }
  return TcxInterfacedPersistent::QueryInterface(riid, ppv);
}

void TcxCustomStyles::DeleteItem(int Position) {
  TItem Item = FItems.at(static_cast<size_t>(Position));
  FItems.erase(FItems.begin() + Position);
  // The style keeps telling this set while another element still uses it.
  bool StillHeld = std::any_of(FItems.begin(), FItems.end(), [&](const TItem& I) { return I.Style == Item.Style; });
  if (!StillHeld && Item.Style) Item.Style->DetachListener(this);
  SignalChanged(Item.Index);
}

void TcxCustomStyles::Clear() {
  while (!FItems.empty()) DeleteItem(GetCount() - 1);
}

TcxCustomStyle* TcxCustomStyles::GetValue(int Index) const {
  for (const TItem& I : FItems)
    if (I.Index == Index) return I.Style;
  return nullptr;
}

void TcxCustomStyles::SetValue(int Index, TcxCustomStyle* Style) {
  for (size_t P = 0; P < FItems.size(); ++P) {
    if (FItems[P].Index != Index) continue;
    if (FItems[P].Style == Style) return;
    DeleteItem(static_cast<int>(P));
    break;
  }
  if (!Style) return;
  FItems.push_back({Index, Style});
  Style->AttachListener(this);
  SignalChanged(Index);
}

void TcxCustomStyles::StyleModified(TcxCustomStyle* Style) {
  std::vector<int> Indexes;
  for (const TItem& I : FItems)
    if (I.Style == Style) Indexes.push_back(I.Index);
  for (int Index : Indexes) SignalChanged(Index);
}

void TcxCustomStyles::StyleDetached(TcxCustomStyle* Style) {
  for (int P = GetCount() - 1; P >= 0; --P)
    if (P < GetCount() && FItems[static_cast<size_t>(P)].Style == Style) DeleteItem(P);
}

void TcxCustomStyles::SignalChanged(int Index) {
  if (FDestroying) return;
  ValueChanged(Index);
  if (FOwningStyleSheet) FOwningStyleSheet->StyleChanged(Index);
}

void TcxCustomStyles::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TcxCustomStyles*>(Source)) {
    FollowStyleSheet(S->GetStyleSheet());
    return;
  }
  TcxInterfacedPersistent::Assign(Source);
}

bool TcxCustomStyles::CanFollow(TcxCustomStyleSheet* Sheet) const {
  if (!Sheet) return true;
  if (Sheet == FOwningStyleSheet || Sheet->StylesClassOf().Get() != ClassType()) return false;
  if (!FOwningStyleSheet) return true;
  for (TcxCustomStyleSheet* S = Sheet; S; S = S->GetStyles()->GetStyleSheet())
    if (S == FOwningStyleSheet) return false;
  return true;
}

void TcxCustomStyles::CollectIndexes(TcxCustomStyleSheet* Sheet, std::vector<int>& Indexes) {
  std::vector<TcxCustomStyleSheet*> Seen;
  for (TcxCustomStyleSheet* S = Sheet; S && std::find(Seen.begin(), Seen.end(), S) == Seen.end();
       S = S->GetStyles()->GetStyleSheet()) {
    Seen.push_back(S);
    for (const TItem& I : S->GetStyles()->FItems)
      if (std::find(Indexes.begin(), Indexes.end(), I.Index) == Indexes.end()) Indexes.push_back(I.Index);
  }
}

void TcxCustomStyles::FollowStyleSheet(TcxCustomStyleSheet* Sheet) {
  if (Sheet == FStyleSheet || !CanFollow(Sheet)) return;
  std::vector<int> Indexes;
  if (FStyleSheet) {
    if (!FDestroying) CollectIndexes(FStyleSheet, Indexes);
    std::erase(FStyleSheet->FFollowers, this);
  }
  FStyleSheet = Sheet;
  if (Sheet) {
    Sheet->FFollowers.push_back(this);
    CollectIndexes(Sheet, Indexes);
  }
  for (int Index : Indexes) SignalChanged(Index);
}

// ---------------------------------------------------------------- style sheets

SONVELT_PUBLISHED(TcxCustomStyleSheet, P) {
  P.String("Caption", &TcxCustomStyleSheet::GetCaption, &TcxCustomStyleSheet::SetCaption)
      .Stored(&TcxCustomStyleSheet::IsCaptionStored);
}

void TcxCustomStyleSheet::AfterConstruction() {
  TcxComponent::AfterConstruction();
  FBuiltIn = GetComponentState().Contains(csDesigning);
  FStyles = StylesClassOf().Create(this);
  FStyles->FOwningStyleSheet = this;
}

TcxCustomStyleSheet::~TcxCustomStyleSheet() {
  while (!FFollowers.empty()) FFollowers.back()->FollowStyleSheet(nullptr);
  SetStyleRepository(nullptr);
  Free(FStyles);
}

void TcxCustomStyleSheet::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TcxCustomStyleSheet*>(Source)) {
    SetCaption(S->GetCaption());
    FStyles->Assign(S->GetStyles());
    return;
  }
  TcxComponent::Assign(Source);
}

void TcxCustomStyleSheet::ReadState(TReader* Reader) {
  TcxComponent::ReadState(Reader);
  SetStyleRepository(dynamic_cast<TcxStyleRepository*>(Reader->GetParent()));
}

TComponent* TcxCustomStyleSheet::GetParentComponent() const { return FStyleRepository; }

void TcxCustomStyleSheet::SetParentComponent(TComponent* Value) {
  if (!GetComponentState().Contains(csLoading)) SetStyleRepository(dynamic_cast<TcxStyleRepository*>(Value));
}

void TcxCustomStyleSheet::SetStyleRepository(TcxStyleRepository* Value) {
  if (FStyleRepository == Value) return;
  if (FStyleRepository) std::erase(FStyleRepository->FStyleSheets, this);
  FStyleRepository = Value;
  if (Value && std::find(Value->FStyleSheets.begin(), Value->FStyleSheets.end(), this) == Value->FStyleSheets.end())
    Value->FStyleSheets.push_back(this);
}

std::string TcxCustomStyleSheet::GetCaption() const { return FCaption.empty() ? GetName() : FCaption; }

void TcxCustomStyleSheet::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  if (CompareText(Value, GetName()) == 0) FCaption.clear();
  else FCaption = Value;
}

void TcxCustomStyleSheet::StyleChanged(int Index) {
  std::vector<TcxCustomStyles*> Followers = FFollowers;
  for (TcxCustomStyles* F : Followers) F->SignalChanged(Index);
  UpdateFakeLinks();
}

void TcxCustomStyleSheet::CollectFakeLinks(std::vector<TComponent*>& List) {
  if (!GetOwner()) return;
  for (int I = 0; I < FStyles->GetCount(); ++I) {
    TComponent* StyleOwner = FStyles->GetItemStyle(I)->GetOwner();
    if (StyleOwner && StyleOwner != GetOwner() && std::find(List.begin(), List.end(), StyleOwner) == List.end())
      List.push_back(StyleOwner);
  }
}

void TcxCustomStyleSheet::DefineProperties(TFiler* Filer) {
  TcxComponent::DefineProperties(Filer);
  Filer->DefineProperty("BuiltIn", Bind(this, &TcxCustomStyleSheet::ReadBuiltIn),
                        Bind(this, &TcxCustomStyleSheet::WriteBuiltIn), true);
}

void TcxCustomStyleSheet::ReadBuiltIn(TReader* Reader) { FBuiltIn = Reader->ReadBoolean(); }
void TcxCustomStyleSheet::WriteBuiltIn(TWriter* Writer) { Writer->WriteBoolean(FBuiltIn); }

// ---------------------------------------------------------------- repository

SONVELT_PUBLISHED(TcxStyleRepository, P) {
  P.Boolean("Scalable", &TcxStyleRepository::GetScalable, &TcxStyleRepository::SetScalable).Default(false);
}

TcxStyleRepository::~TcxStyleRepository() {
  while (!FStyles.empty()) Free(FStyles.back());
  while (!FStyleSheets.empty()) Free(FStyleSheets.back());
}

TcxCustomStyle* TcxStyleRepository::NewStyle(TcxCustomStyleClass StyleClass) { return NewStyleOwnedBy(StyleClass, this); }

TcxCustomStyle* TcxStyleRepository::NewStyleOwnedBy(TcxCustomStyleClass StyleClass, TComponent* Owner) {
  TcxCustomStyle* Style = StyleClass.Create(Owner);
  Style->SetStyleRepository(this);
  return Style;
}

TcxCustomStyleSheet* TcxStyleRepository::NewStyleSheet(TcxCustomStyleSheetClass SheetClass) {
  return NewStyleSheetOwnedBy(SheetClass, this);
}

TcxCustomStyleSheet* TcxStyleRepository::NewStyleSheetOwnedBy(TcxCustomStyleSheetClass SheetClass, TComponent* Owner) {
  TcxCustomStyleSheet* Sheet = SheetClass.Create(Owner);
  Sheet->SetStyleRepository(this);
  return Sheet;
}

void TcxStyleRepository::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TcxCustomStyle* S : std::vector<TcxCustomStyle*>(FStyles))
    if (S->GetOwner() == Root) Proc(S);
  for (TcxCustomStyleSheet* S : std::vector<TcxCustomStyleSheet*>(FStyleSheets))
    if (S->GetOwner() == Root) Proc(S);
}

int TcxStyleRepository::ScaleToScreen(int Value) const {
  int Screen = ScreenPixelsPerInch();
  if (!FScalable || FPixelsPerInch == 0 || FPixelsPerInch == Screen) return Value;
  return MulDiv(Value, Screen, FPixelsPerInch);
}

void TcxStyleRepository::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineProperty("PixelsPerInch", Bind(this, &TcxStyleRepository::ReadPixelsPerInch),
                        Bind(this, &TcxStyleRepository::WritePixelsPerInch), Filer->GetAncestor() == nullptr);
}

void TcxStyleRepository::ReadPixelsPerInch(TReader* Reader) { FPixelsPerInch = Reader->ReadInteger(); }
void TcxStyleRepository::WritePixelsPerInch(TWriter* Writer) { Writer->WriteInteger(ScreenPixelsPerInch()); }
