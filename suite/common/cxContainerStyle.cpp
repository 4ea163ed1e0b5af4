#include "suite/common/cxContainerStyle.h"

#include <algorithm>

#include "framework/ClassRegistry.h"
#include "framework/Control.h"
#include "framework/Reader.h"
#include "framework/Writer.h"

TcxStyleController* DefaultContainerStyleController = nullptr;

namespace {
const bool ControllerRegistered =
    (RegisterClass(TcxStyleController::StaticClass()), StartClassGroup(TControl::StaticClass()),
     GroupDescendentsWith(TcxStyleController::StaticClass(), TControl::StaticClass()), true);

const char* const ValueNames[] = {"BorderColor", "BorderStyle", "Color",     "Edges",     "Font",
                                  "HotTrack",    "Shadow",      "TextColor", "TextStyle", "TransparentBorder"};

bool BaseOnly(TcxContainerStyleValue V) {
  return V == csvEdges || V == csvFont || V == csvHotTrack || V == csvShadow || V == csvTransparentBorder;
}

// A hot state's border from its parent's.
TcxContainerBorderStyle HotBorderStyle(TcxContainerBorderStyle Parent) {
  switch (Parent) {
    case cbsNone: return cbsFlat;
    case cbsSingle:
    case cbsThick: return cbsThick;
    case cbsFlat:
    case cbs3D: return cbs3D;
    default: return Parent;
  }
}

// Controllers name each other through their base styles; a chain this long is a fault.
constexpr int MaxChain = 64;
}  // namespace

SONVELT_PUBLISHED(TcxContainerStyle, P) {
  auto Stored = [](TcxContainerStyleValue V) {
    return [V](TcxContainerStyle* S) { return S->GetAssignedValues().Contains(V); };
  };
  P.Set("AssignedValues", &TcxContainerStyle::GetAssignedValues, &TcxContainerStyle::SetAssignedValues,
        {"csvBorderColor", "csvBorderStyle", "csvColor", "csvEdges", "csvFont", "csvHotTrack", "csvShadow",
         "csvTextColor", "csvTextStyle", "csvTransparentBorder"});
  P.Integer("BorderColor", &TcxContainerStyle::GetBorderColor, &TcxContainerStyle::SetBorderColor)
      .Idents(ColorToIdent, IdentToColor)
      .Stored(Stored(csvBorderColor));
  P.Enum("BorderStyle", &TcxContainerStyle::GetBorderStyle, &TcxContainerStyle::SetBorderStyle,
         {"cbsNone", "cbsSingle", "cbsThick", "cbsFlat", "cbs3D", "cbsUltraFlat", "cbsOffice11"})
      .Stored(Stored(csvBorderStyle));
  P.Integer("Color", &TcxContainerStyle::GetColor, &TcxContainerStyle::SetColor)
      .Idents(ColorToIdent, IdentToColor)
      .Stored(Stored(csvColor));
  P.Set("Edges", &TcxContainerStyle::GetEdges, &TcxContainerStyle::SetEdges, {"bLeft", "bTop", "bRight", "bBottom"})
      .Stored(Stored(csvEdges));
  P.Object("Font", &TcxContainerStyle::GetFont).Stored(Stored(csvFont));
  P.Boolean("HotTrack", &TcxContainerStyle::GetHotTrack, &TcxContainerStyle::SetHotTrack).Stored(Stored(csvHotTrack));
  P.Object("LookAndFeel", &TcxContainerStyle::GetLookAndFeel);
  P.Boolean("Shadow", &TcxContainerStyle::GetShadow, &TcxContainerStyle::SetShadow).Stored(Stored(csvShadow));
  P.Component("StyleController", &TcxContainerStyle::GetStyleController, &TcxContainerStyle::SetStyleController)
      .Stored([](TcxContainerStyle* S) { return S->GetState() == 0; });
  P.Integer("TextColor", &TcxContainerStyle::GetTextColor, &TcxContainerStyle::SetTextColor)
      .Idents(ColorToIdent, IdentToColor)
      .Stored(Stored(csvTextColor));
  P.Set("TextStyle", &TcxContainerStyle::GetTextStyle, &TcxContainerStyle::SetTextStyle,
        {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
      .Stored(Stored(csvTextStyle));
  P.Boolean("TransparentBorder", &TcxContainerStyle::GetTransparentBorder, &TcxContainerStyle::SetTransparentBorder)
      .Stored(Stored(csvTransparentBorder));
}

TcxContainerStyle::TcxContainerStyle(const TcxContainerStyleArgs* Args)
    : TcxInterfacedPersistent(Args ? Args->Owner : nullptr),
      FOwnerObject(Args ? Args->Owner : nullptr),
      FState(Args ? Args->State : 0) {
  if (FState != 0 && Args) FParentStyle = Args->ParentStyle;
  if (!FParentStyle) {
    FFont.reset(TFont::Create());
    FFont->OnChange = Bind(this, &TcxContainerStyle::FontChangeHandler);
    FLookAndFeel.reset(TcxLookAndFeel::CreateWithOwner(this));
    FLookAndFeel->OnValuesChanged = Bind(this, &TcxContainerStyle::LookAndFeelChanged);
    FStyleController = DefaultStyleControllerOf();
    if (FStyleController) FStyleController->AttachStyle(this);
  }
}

TcxContainerStyle* TcxContainerStyle::CreateForState(TPersistent* Owner, int State, TcxContainerStyle* ParentStyle) {
  TcxContainerStyleArgs Args{Owner, State, ParentStyle};
  return Create(&Args);
}

TcxContainerStyle::~TcxContainerStyle() {
  FDestroying = true;
  if (!FParentStyle && FStyleController) FStyleController->DetachStyle(this);
  FStyleController = nullptr;
  if (FFont) FFont->OnChange = nullptr;
  if (FLookAndFeel) FLookAndFeel->OnValuesChanged = nullptr;
}

HRESULT TcxContainerStyle::QueryInterface(REFIID riid, void** ppv) {
  if (ppv && riid == IID_IcxLookAndFeelSkinSupport) {
    *ppv = static_cast<IcxLookAndFeelSkinSupport*>(this);
    return S_OK;
  }
  return TcxInterfacedPersistent::QueryInterface(riid, ppv);
}

void TcxContainerStyle::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0 && FModified) {
    FModified = false;
    if (!FDestroying) OnChanged(this);
  }
}

void TcxContainerStyle::MarkChanged() {
  FModified = true;
  if (FUpdateCount == 0) {
    FModified = false;
    if (!FDestroying) OnChanged(this);
  }
}

void TcxContainerStyle::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TcxContainerStyle*>(Source);
  if (!S) {
    TcxInterfacedPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    if (!FParentStyle) {
      SetStyleController(S->GetStyleController());
      FLookAndFeel->Assign(S->GetLookAndFeel());
    }
    FBorderColor = S->FBorderColor;
    FBorderStyle = S->FBorderStyle;
    FEdges = S->FEdges;
    FHotTrack = S->FHotTrack;
    FShadow = S->FShadow;
    FTransparentBorder = S->FTransparentBorder;
    FColor = S->FColor;
    if (FFont) FFont->Assign(S->GetFont());
    FTextColor = S->GetTextColor();
    FTextStyle = S->GetTextStyle();
    FAssignedValues = S->FAssignedValues;
    MarkChanged();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxContainerStyle::ResetToDefaults() {
  BeginUpdate();
  FAssignedValues = {};
  if (!FParentStyle) {
    FLookAndFeel->ResetAssigned();
    // A reset font is not an assigned one.
    LockFontTracking();
    TOwned<TFont> Fresh(TFont::Create());
    FFont->Assign(Fresh.get());
    UnlockFontTracking();
  }
  MarkChanged();
  EndUpdate();
}

const TcxContainerStyle* TcxContainerStyle::AssignedSource(TcxContainerStyleValue V) const {
  const TcxContainerStyle* S = BaseOnly(V) ? BaseStyle() : this;
  for (int Depth = 0; S && Depth < MaxChain; ++Depth) {
    if (S->FAssignedValues.Contains(V)) return S;
    TcxStyleController* C = S->ActiveStyleController();
    if (!C) return nullptr;
    S = C->GetStyles()->GetStyle(BaseOnly(V) ? 0 : S->FState);
  }
  return nullptr;
}

TcxStyleController* TcxContainerStyle::ActiveStyleController() const { return BaseStyle()->FStyleController; }

TcxStyleController* TcxContainerStyle::GetStyleController() const {
  TcxStyleController* C = ActiveStyleController();
  return C == DefaultStyleControllerOf() ? nullptr : C;
}

TcxStyleController* TcxContainerStyle::DefaultStyleControllerOf() const { return DefaultContainerStyleController; }

TColor TcxContainerStyle::GetBorderColor() const {
  const TcxContainerStyle* S = AssignedSource(csvBorderColor);
  return S ? S->FBorderColor : BorderColorDefault();
}

TcxContainerBorderStyle TcxContainerStyle::GetBorderStyle() const {
  const TcxContainerStyle* S = AssignedSource(csvBorderStyle);
  return S ? S->FBorderStyle : BorderStyleDefault();
}

TColor TcxContainerStyle::GetColor() const { return ResolvedColor(); }

TColor TcxContainerStyle::ResolvedColor() const {
  const TcxContainerStyle* S = AssignedSource(csvColor);
  return S ? S->FColor : ColorDefault();
}

TcxBorders TcxContainerStyle::GetEdges() const {
  const TcxContainerStyle* S = AssignedSource(csvEdges);
  return S ? S->FEdges : BaseStyle()->EdgesDefault();
}

TFont* TcxContainerStyle::GetFont() const { return BaseStyle()->FFont.get(); }

bool TcxContainerStyle::GetHotTrack() const {
  const TcxContainerStyle* S = AssignedSource(csvHotTrack);
  return S ? S->FHotTrack : BaseStyle()->HotTrackDefault();
}

bool TcxContainerStyle::GetShadow() const {
  const TcxContainerStyle* S = AssignedSource(csvShadow);
  return S ? S->FShadow : BaseStyle()->ShadowDefault();
}

TColor TcxContainerStyle::GetTextColor() const {
  const TcxContainerStyle* S = AssignedSource(csvTextColor);
  return S ? S->FTextColor : TextColorDefault();
}

TFontStyles TcxContainerStyle::GetTextStyle() const {
  const TcxContainerStyle* S = AssignedSource(csvTextStyle);
  return S ? S->FTextStyle : TextStyleDefault();
}

bool TcxContainerStyle::GetTransparentBorder() const {
  const TcxContainerStyle* S = AssignedSource(csvTransparentBorder);
  return S ? S->FTransparentBorder : BaseStyle()->TransparentBorderDefault();
}

TcxLookAndFeel* TcxContainerStyle::GetLookAndFeel() const { return BaseStyle()->FLookAndFeel.get(); }

TColor TcxContainerStyle::BorderColorDefault() const {
  if (FState == 2) return clBtnShadow;
  if (!FParentStyle) return clWindowFrame;
  return FParentStyle->GetBorderColor();
}

TcxContainerBorderStyle TcxContainerStyle::BorderStyleDefault() const {
  if (!FParentStyle) {
    switch (GetLookAndFeel()->GetKind()) {
      case lfFlat: return cbsFlat;
      case lfStandard: return cbs3D;
      case lfOffice11: return cbsOffice11;
      default: return cbsUltraFlat;
    }
  }
  const TcxContainerBorderStyle Parent = FParentStyle->GetBorderStyle();
  if (FState == 2 || !GetHotTrack()) return Parent;
  return HotBorderStyle(Parent);
}

TColor TcxContainerStyle::ColorDefault() const { return FParentStyle ? FParentStyle->GetColor() : clBtnFace; }

TColor TcxContainerStyle::TextColorDefault() const {
  if (FState == 2) return clBtnShadow;
  if (!FParentStyle) return GetFont()->GetColor();
  return FParentStyle->GetTextColor();
}

TFontStyles TcxContainerStyle::TextStyleDefault() const {
  return FParentStyle ? FParentStyle->GetTextStyle() : GetFont()->GetStyle();
}

void TcxContainerStyle::SetBorderColor(TColor Value) {
  if (FAssignedValues.Contains(csvBorderColor) && FBorderColor == Value) return;
  FBorderColor = Value;
  FAssignedValues += csvBorderColor;
  MarkChanged();
}

void TcxContainerStyle::SetBorderStyle(TcxContainerBorderStyle Value) {
  if (FAssignedValues.Contains(csvBorderStyle) && FBorderStyle == Value) return;
  FBorderStyle = Value;
  FAssignedValues += csvBorderStyle;
  MarkChanged();
}

void TcxContainerStyle::SetColor(TColor Value) {
  if (FAssignedValues.Contains(csvColor) && FColor == Value) return;
  FColor = Value;
  FAssignedValues += csvColor;
  MarkChanged();
}

void TcxContainerStyle::SetTextColor(TColor Value) {
  if (FAssignedValues.Contains(csvTextColor) && GetTextColor() == Value) return;
  FTextColor = Value;
  FAssignedValues += csvTextColor;
  MarkChanged();
}

void TcxContainerStyle::SetTextStyle(TFontStyles Value) {
  if (FAssignedValues.Contains(csvTextStyle) && GetTextStyle() == Value) return;
  FTextStyle = Value;
  FAssignedValues += csvTextStyle;
  MarkChanged();
}

void TcxContainerStyle::SetEdges(TcxBorders Value) {
  TcxContainerStyle* B = BaseStyle();
  if (B->FAssignedValues.Contains(csvEdges) && B->FEdges == Value) return;
  B->FEdges = Value;
  B->FAssignedValues += csvEdges;
  B->MarkChanged();
}

void TcxContainerStyle::SetHotTrack(bool Value) {
  TcxContainerStyle* B = BaseStyle();
  if (B->FAssignedValues.Contains(csvHotTrack) && B->FHotTrack == Value) return;
  B->FHotTrack = Value;
  B->FAssignedValues += csvHotTrack;
  B->MarkChanged();
}

void TcxContainerStyle::SetShadow(bool Value) {
  TcxContainerStyle* B = BaseStyle();
  if (B->FAssignedValues.Contains(csvShadow) && B->FShadow == Value) return;
  B->FShadow = Value;
  B->FAssignedValues += csvShadow;
  B->MarkChanged();
}

void TcxContainerStyle::SetTransparentBorder(bool Value) {
  TcxContainerStyle* B = BaseStyle();
  if (B->FAssignedValues.Contains(csvTransparentBorder) && B->FTransparentBorder == Value) return;
  B->FTransparentBorder = Value;
  B->FAssignedValues += csvTransparentBorder;
  B->MarkChanged();
}

void TcxContainerStyle::SetFont(TFont* Value) {
  TcxContainerStyle* B = BaseStyle();
  B->FFont->Assign(Value);
  B->FAssignedValues += csvFont;
  B->MarkChanged();
}

void TcxContainerStyle::SetLookAndFeel(TcxLookAndFeel* Value) { BaseStyle()->FLookAndFeel->Assign(Value); }

void TcxContainerStyle::SetAssignedValues(TcxContainerStyleValues Value) {
  if (FAssignedValues == Value) return;
  FAssignedValues = Value;
  if (!FParentStyle) RefreshFont();
  MarkChanged();
}

bool TcxContainerStyle::StyleValueName(int Value, std::string& Name) const {
  if (Value < 0 || Value >= 10) {
    Name.clear();
    return false;
  }
  Name = ValueNames[Value];
  return true;
}

bool TcxContainerStyle::IsStyleValueAssigned(int Value) const {
  if (Value < 0 || Value > csvTransparentBorder) return false;
  return AssignedSource(static_cast<TcxContainerStyleValue>(Value)) != nullptr;
}

bool TcxContainerStyle::BorderPresent() const { return FParentStyle ? FParentStyle->BorderPresent() : true; }

void TcxContainerStyle::RefreshFont() {
  TcxContainerStyle* B = BaseStyle();
  if (B->FAssignedValues.Contains(csvFont)) return;
  B->LockFontTracking();
  try {
    const TcxContainerStyle* Source = B->AssignedSource(csvFont);
    if (Source) {
      B->FFont->Assign(Source->FFont.get());
    } else {
      TOwned<TFont> Fresh(TFont::Create());
      B->FFont->Assign(Fresh.get());
    }
  } catch (...) {
    B->UnlockFontTracking();
    throw;
  }
  B->UnlockFontTracking();
}

void TcxContainerStyle::FontChangeHandler(TObject*) {
  if (FFontTrackingLock == 0) FAssignedValues += csvFont;
  MarkChanged();
}

void TcxContainerStyle::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { MarkChanged(); }

void TcxContainerStyle::SetStyleController(TcxStyleController* Value) {
  TcxContainerStyle* B = BaseStyle();
  if (B != this) {
    B->SetStyleController(Value);
    return;
  }
  TcxStyleController* Default = DefaultStyleControllerOf();
  // The default controller's own styles follow no controller.
  if (Default && FOwnerObject == Default) return;
  if (!Value) Value = Default;
  int Depth = 0;
  for (TcxStyleController* C = Value; C; C = C->GetStyle()->ActiveStyleController()) {
    if (C->GetStyle() == this || ++Depth > MaxChain) return;
  }
  if (Value == FStyleController) return;
  if (FStyleController) FStyleController->DetachStyle(this);
  FStyleController = Value;
  if (Value) Value->AttachStyle(this);
  StyleControllerChanged();
}

void TcxContainerStyle::StyleControllerChanged() {
  RefreshFont();
  MarkChanged();
}

void TcxContainerStyle::StyleControllerFreed(TcxStyleController* Controller) {
  TcxContainerStyle* B = BaseStyle();
  if (Controller != B->FStyleController) return;
  B->SetStyleController(nullptr);
  // The default controller itself going leaves no controller at all.
  if (B->FStyleController == Controller) {
    Controller->DetachStyle(B);
    B->FStyleController = nullptr;
    B->StyleControllerChanged();
  }
}

void TcxContainerStyle::DefineProperties(TFiler* Filer) {
  TcxInterfacedPersistent::DefineProperties(Filer);
  Filer->DefineProperty("IsFontAssigned", Bind(this, &TcxContainerStyle::ReadFontAssigned),
                        Bind(this, &TcxContainerStyle::WriteFontAssigned), FAssignedValues.Contains(csvFont));
}

void TcxContainerStyle::ReadFontAssigned(TReader* Reader) {
  Reader->ReadBoolean();
  FAssignedValues += csvFont;
}

void TcxContainerStyle::WriteFontAssigned(TWriter* Writer) { Writer->WriteBoolean(true); }

// ---------------------------------------------------------------- the four states

TcxContainerStyles::TcxContainerStyles(TPersistent* Owner, TcxContainerStyleClass StyleClass) {
  if (!StyleClass) StyleClass = TcxContainerStyle::StaticClass();
  TcxContainerStyleArgs Args{Owner, 0, nullptr};
  FStyles[0] = StyleClass.Create(&Args);
  for (int State = 1; State < 4; ++State) {
    Args = TcxContainerStyleArgs{Owner, State, FStyles[0]};
    FStyles[State] = StyleClass.Create(&Args);
  }
}

TcxContainerStyles::~TcxContainerStyles() {
  for (int State = 3; State >= 0; --State) Free(FStyles[State]);
}

void TcxContainerStyles::SetOnChanged(TNotifyEvent Handler) {
  for (TcxContainerStyle* S : FStyles) S->OnChanged = Handler;
}

// ---------------------------------------------------------------- controller

SONVELT_PUBLISHED(TcxStyleController, P) {
  P.Component("FakeStyleController", &TcxStyleController::GetFakeStyleController,
              &TcxStyleController::SetFakeStyleController);
}

TcxStyleController::TcxStyleController(TComponent* AOwner) : TComponent(AOwner) {}

void TcxStyleController::AfterConstruction() {
  TComponent::AfterConstruction();
  FStyles.reset(TcxContainerStyles::CreateStates(this, StyleClassOf()));
  FStyles->SetOnChanged(Bind(this, &TcxStyleController::StylesChanged));
}

TcxStyleController::~TcxStyleController() = default;

void TcxStyleController::BeforeDestruction() {
  FDestroying = true;
  while (!FListeners.empty()) {
    TcxContainerStyle* S = FListeners.back();
    S->StyleControllerFreed(this);
    // A style that kept us (it was not following us after all) is let go anyway.
    std::erase(FListeners, S);
  }
  if (FStyles) FStyles->SetOnChanged(nullptr);
  TComponent::BeforeDestruction();
}

bool TcxStyleController::IsListening(TcxContainerStyle* Style) const {
  return std::find(FListeners.begin(), FListeners.end(), Style) != FListeners.end();
}

void TcxStyleController::AttachStyle(TcxContainerStyle* Style) {
  if (!Style || IsListening(Style)) return;
  FListeners.push_back(Style);
  Style->GetLookAndFeel()->ChangeMaster(GetStyle()->GetLookAndFeel());
}

void TcxStyleController::DetachStyle(TcxContainerStyle* Style) {
  if (!IsListening(Style)) return;
  std::erase(FListeners, Style);
  Style->GetLookAndFeel()->ChangeMaster(nullptr);
}

void TcxStyleController::Loaded() {
  TComponent::Loaded();
  StylesChanged(this);
}

void TcxStyleController::StylesChanged(TObject*) {
  OnChanged(this);
  if (FDestroying) return;
  const std::vector<TcxContainerStyle*> Listeners = FListeners;
  for (TcxContainerStyle* S : Listeners)
    if (IsListening(S)) S->StyleControllerChanged();
}
