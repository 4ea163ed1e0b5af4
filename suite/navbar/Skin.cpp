#include "suite/navbar/Skin.h"

#include <algorithm>

#include "framework/MemoryStreams.h"
#include "framework/Unicode.h"
#include "suite/common/dxGdiPlusApi.h"

int SkinCompareNames(const std::string& A, const std::string& B) {
  std::wstring WA = Utf8ToWide(A), WB = Utf8ToWide(B);
  int R = CompareStringW(LOCALE_USER_DEFAULT, 0, WA.c_str(), static_cast<int>(WA.size()), WB.c_str(),
                         static_cast<int>(WB.size()));
  return R - CSTR_EQUAL;
}

namespace {
template <class T>
void SortByName(std::vector<TOwned<T>>& L) {
  std::stable_sort(L.begin(), L.end(), [](const TOwned<T>& A, const TOwned<T>& B) {
    return SkinCompareNames(A->GetName(), B->GetName()) < 0;
  });
}

template <class T>
T* FindByName(const std::vector<TOwned<T>>& L, const std::string& Name) {
  auto It = std::lower_bound(L.begin(), L.end(), Name, [](const TOwned<T>& A, const std::string& N) {
    return SkinCompareNames(A->GetName(), N) < 0;
  });
  // The locale may call two different names equal: the name must match exactly.
  for (; It != L.end() && SkinCompareNames((*It)->GetName(), Name) == 0; ++It)
    if ((*It)->GetName() == Name) return It->get();
  return nullptr;
}

TColor ToColor(std::int32_t V) { return static_cast<TColor>(V); }
std::int32_t FromColor(TColor C) { return static_cast<std::int32_t>(C); }
RECT ToRect(const TdxSkinStreamRect& R) { return RECT{R.Left, R.Top, R.Right, R.Bottom}; }
TdxSkinStreamRect FromRect(const RECT& R) {
  return TdxSkinStreamRect{static_cast<std::int32_t>(R.left), static_cast<std::int32_t>(R.top),
                           static_cast<std::int32_t>(R.right), static_cast<std::int32_t>(R.bottom)};
}
bool SameRect(const RECT& A, const RECT& B) {
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}

[[noreturn]] void InvalidFormat() { throw EdxSkin("Invalid stream format"); }

class TStreamSource : public TdxSkinByteSource {
public:
  explicit TStreamSource(TStream* S) : FStream(S) {}
  std::size_t Read(void* Buffer, std::size_t Count) override {
    return static_cast<std::size_t>(std::max(0, FStream->Read(Buffer, static_cast<int>(Count))));
  }
  std::int64_t Position() override { return FStream->GetPosition(); }
  std::int64_t Size() override { return FStream->GetSize(); }
  void Seek(std::int64_t P) override { FStream->SetPosition(P); }
  TStream* Stream() const { return FStream; }

private:
  TStream* FStream;
};

struct TPngPicture : TdxSkinStreamPicture {
  TOwned<TdxPNGImage> Image;
};

// Decodes each block through a window over the source stream.
class TPartStreamDecoder : public TdxSkinPngDecoder {
public:
  explicit TPartStreamDecoder(TStream* S) : FStream(S) {}
  void Decode(TdxSkinByteSource&, std::int64_t Offset, std::int64_t Size, TdxSkinStreamImage& Image) override {
    TdxSkinPartStream Part(FStream, Offset, Offset + Size);
    auto P = std::make_shared<TPngPicture>();
    P->Image.reset(TdxPNGImage::Create());
    try {
      P->Image->LoadFromStream(&Part);
    } catch (...) {
      InvalidFormat();
    }
    SIZE S = P->Image->ImageSize();
    if (S.cx != static_cast<LONG>(Image.PngWidth) || S.cy != static_cast<LONG>(Image.PngHeight)) InvalidFormat();
    Image.Picture = P;
  }

private:
  TStream* FStream;
};
}  // namespace

// ---- part stream

TdxSkinPartStream::TdxSkinPartStream(TStream* ASource, std::int64_t AStart, std::int64_t AEnd)
    : FSource(ASource), FStart(AStart), FEnd(std::max(AStart, AEnd)) {
  FSource->SetPosition(FStart);
}

int TdxSkinPartStream::Read(void* Buffer, int Count) {
  std::int64_t Left = FEnd - FSource->GetPosition();
  if (Left <= 0 || Count <= 0) return 0;
  return FSource->Read(Buffer, static_cast<int>(std::min<std::int64_t>(Count, Left)));
}

int TdxSkinPartStream::Write(const void* Buffer, int Count) {
  int N = FSource->Write(Buffer, Count);
  FEnd = std::max(FEnd, FSource->GetPosition());
  return N;
}

std::int64_t TdxSkinPartStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t P = Origin == soBeginning ? FStart + Offset
                   : Origin == soEnd    ? FEnd + Offset
                                        : FSource->GetPosition() + Offset;
  P = std::clamp(P, FStart, FEnd);
  FSource->SetPosition(P);
  return P - FStart;
}

// ---- properties

std::string TdxSkinProperty::Description() const {
  std::string N = ClassName();
  auto Cut = [&N](const std::string& Part) {
    std::string U = N;
    for (char& C : U) C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    std::string P = Part;
    for (char& C : P) C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    size_t At = U.find(P);
    if (At != std::string::npos) N.erase(At, Part.size());
  };
  Cut("TdxSkin");
  Cut("Property");
  return N;
}

bool TdxSkinProperty::IsEqual(const TdxSkinProperty* Other) const {
  if (!Other || Other->ClassType() != ClassType() || Other->GetName() != GetName()) return false;
  TdxSkinStreamProperty A, B;
  ToData(A);
  Other->ToData(B);
  return A == B;
}

void TdxSkinProperty::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxSkinProperty*>(Source);
  if (!S || S->Kind() != Kind()) {
    TdxSkinCustomPersistentObject::Assign(Source);
    return;
  }
  TdxSkinStreamProperty D;
  S->ToData(D);
  FromData(D);
}

TdxSkinProperty* TdxSkinProperty::CreateOfKind(TdxSkinStreamPropertyKind Kind, TPersistent* Owner,
                                               const std::string& Name) {
  switch (Kind) {
    case spkInteger: return TdxSkinIntegerProperty::Create(Owner, Name);
    case spkBoolean: return TdxSkinBooleanProperty::Create(Owner, Name);
    case spkColor: return TdxSkinColor::Create(Owner, Name);
    case spkRect: return TdxSkinRectProperty::Create(Owner, Name);
    case spkSize: return TdxSkinSizeProperty::Create(Owner, Name);
    case spkString: return TdxSkinStringProperty::Create(Owner, Name);
  }
  return nullptr;
}

#define DX_SKIN_PROPERTY_BODY(Class, Compare, ToStmt, FromStmt) \
  void Class::SetValue(const decltype(FValue)& V) {            \
    if (Compare) return;                                       \
    FValue = V;                                                \
    ValueChanged();                                            \
  }                                                            \
  void Class::ToData(TdxSkinStreamProperty& P) const {         \
    P.Kind = Kind();                                           \
    P.Name = GetName();                                        \
    ToStmt;                                                    \
  }                                                            \
  void Class::FromData(const TdxSkinStreamProperty& P) { FromStmt; }
DX_SKIN_PROPERTY_BODY(TdxSkinIntegerProperty, V == FValue, P.Integer = FValue, SetValue(P.Integer))
DX_SKIN_PROPERTY_BODY(TdxSkinBooleanProperty, V == FValue, P.Integer = FValue ? 1 : 0, SetValue(P.Integer != 0))
DX_SKIN_PROPERTY_BODY(TdxSkinColor, V == FValue, P.Integer = FromColor(FValue), SetValue(ToColor(P.Integer)))
DX_SKIN_PROPERTY_BODY(TdxSkinRectProperty, SameRect(V, FValue), P.Rect = FromRect(FValue), SetValue(ToRect(P.Rect)))
DX_SKIN_PROPERTY_BODY(TdxSkinSizeProperty, V.cx == FValue.cx && V.cy == FValue.cy,
                      (P.Rect.Left = FValue.cx, P.Rect.Top = FValue.cy),
                      SetValue(SIZE{P.Rect.Left, P.Rect.Top}))
DX_SKIN_PROPERTY_BODY(TdxSkinStringProperty, V == FValue, P.Text = FValue, SetValue(P.Text))
#undef DX_SKIN_PROPERTY_BODY

void TdxSkinBorder::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  ValueChanged();
}

void TdxSkinBorder::SetThin(int Value) {
  if (FThin == Value) return;
  FThin = Value;
  ValueChanged();
}

// ---- persistent

void TdxSkinPersistent::AdoptProperty(TdxSkinProperty* P) {
  P->OnChange = Bind(this, &TdxSkinPersistent::PartItemChanged);
  FProperties.emplace_back(P);
}

TdxSkinProperty* TdxSkinPersistent::AddProperty(const std::string& Name, TdxSkinStreamPropertyKind Kind) {
  TdxSkinProperty* P = TdxSkinProperty::CreateOfKind(Kind, this, Name);
  AdoptProperty(P);
  Changed();
  return P;
}

void TdxSkinPersistent::EnsureSorted() {
  if (FSorted) return;
  Sort();
  ++FSortCount;
  FSorted = true;
}

void TdxSkinPersistent::Sort() { SortByName(FProperties); }

TdxSkinProperty* TdxSkinPersistent::PropertyByName(const std::string& Name) {
  EnsureSorted();
  return FindByName(FProperties, Name);
}

void TdxSkinPersistent::DeleteItem(TObject* Item) {
  auto It = std::find_if(FProperties.begin(), FProperties.end(),
                         [Item](const TOwned<TdxSkinProperty>& P) { return P.get() == Item; });
  if (It == FProperties.end()) return;
  FProperties.erase(It);
  Changed();
}

void TdxSkinPersistent::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TdxSkinPersistent::Changed() {
  FModified = true;
  FSorted = false;
  if (FUpdateCount == 0) DoChange();
}

// ---- image

TdxSkinImage::TdxSkinImage(TdxSkinElement* AOwner) : FOwner(AOwner), FPicture(TdxPNGImage::Create()) {}
TdxSkinImage::~TdxSkinImage() = default;
TPersistent* TdxSkinImage::GetOwner() const { return FOwner; }

bool TdxSkinImage::Empty() const { return FPicture->GetEmpty() && FSourceName.empty(); }

std::string TdxSkinImage::SourceName() const {
  if (!FSourceName.empty() || Empty()) return FSourceName;
  auto* Group = dynamic_cast<TdxSkinCustomPersistentObject*>(FOwner->GetOwner());
  return (Group ? Group->GetName() : std::string()) + "\\" + FOwner->ImageFileName(this);
}

void TdxSkinImage::Clear() {
  FPicture->ReplaceImage(nullptr);
  FSourceName.clear();
  Changed();
}

void TdxSkinImage::Changed() {
  FDirty = true;
  OnChange(this);
}

#define DX_SKIN_IMAGE_SETTER(Name, Type, Field, Same) \
  void TdxSkinImage::Set##Name(Type Value) {          \
    if (Same) return;                                 \
    Field = Value;                                    \
    Changed();                                        \
  }
DX_SKIN_IMAGE_SETTER(Gradient, TdxSkinGradientMode, FGradient, FGradient == Value)
DX_SKIN_IMAGE_SETTER(GradientBeginColor, TColor, FGradientBeginColor, FGradientBeginColor == Value)
DX_SKIN_IMAGE_SETTER(GradientEndColor, TColor, FGradientEndColor, FGradientEndColor == Value)
DX_SKIN_IMAGE_SETTER(ImageLayout, TdxSkinImageLayout, FImageLayout, FImageLayout == Value)
DX_SKIN_IMAGE_SETTER(Margins, const RECT&, FMargins, SameRect(FMargins, Value))
DX_SKIN_IMAGE_SETTER(States, TdxSkinElementStates, FStates, FStates == Value)
DX_SKIN_IMAGE_SETTER(Stretch, TdxSkinStretchMode, FStretch, FStretch == Value)
#undef DX_SKIN_IMAGE_SETTER

void TdxSkinImage::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxSkinImage*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  if (S->FPicture->GetEmpty()) {
    FPicture->ReplaceImage(nullptr);
    FSourceName.clear();
  } else {
    FPicture->Assign(S->FPicture.get());
    FSourceName = S->SourceName();
  }
  FGradientBeginColor = S->FGradientBeginColor;
  FGradientEndColor = S->FGradientEndColor;
  FGradient = S->FGradient;
  FImageLayout = S->FImageLayout;
  FMargins = S->FMargins;
  FStates = S->FStates;
  FStretch = S->FStretch;
  Changed();
}

bool TdxSkinImage::IsEqual(TdxSkinImage* O) {
  if (!O) return false;
  bool SamePicture = FPicture->GetEmpty() == O->FPicture->GetEmpty() &&
                     (FPicture->GetEmpty() || FPicture->SamePixels(O->FPicture.get()));
  return SamePicture && FGradient == O->FGradient && FGradientBeginColor == O->FGradientBeginColor &&
         FGradientEndColor == O->FGradientEndColor && FImageLayout == O->FImageLayout &&
         SameRect(FMargins, O->FMargins) && FStates == O->FStates && FStretch == O->FStretch;
}

void TdxSkinImage::ToData(TdxSkinStreamImage& D) const {
  D.Margins = FromRect(FMargins);
  D.Layout = FImageLayout;
  D.States = FStates;
  D.Stretch = FStretch;
  D.GradientBeginColor = FromColor(FGradientBeginColor);
  D.GradientEndColor = FromColor(FGradientEndColor);
  D.Gradient = static_cast<std::uint8_t>(FGradient);
  D.Png.clear();
  if (FPicture->GetEmpty()) return;
  TOwned<TMemoryStream> M(TMemoryStream::Create());
  FPicture->SaveToStream(M.get());
  D.Png.resize(static_cast<size_t>(M->GetSize()));
  M->SetPosition(0);
  M->ReadBuffer(D.Png.data(), static_cast<int>(D.Png.size()));
}

void TdxSkinImage::FromData(const TdxSkinStreamImage& D) {
  FMargins = ToRect(D.Margins);
  FImageLayout = static_cast<TdxSkinImageLayout>(D.Layout);
  FStates = D.States;
  FStretch = static_cast<TdxSkinStretchMode>(D.Stretch);
  FGradientBeginColor = ToColor(D.GradientBeginColor);
  FGradientEndColor = ToColor(D.GradientEndColor);
  FGradient = static_cast<TdxSkinGradientMode>(D.Gradient);
  if (auto* P = dynamic_cast<TPngPicture*>(D.Picture.get())) FPicture->Assign(P->Image.get());
  else FPicture->ReplaceImage(nullptr);
  FDirty = true;
}

// ---- element

TdxSkinElement::TdxSkinElement(TPersistent* AOwner, const std::string& AName) : TdxSkinPersistent(AOwner, AName) {
  static const char* const Sides[4] = {"Left", "Top", "Right", "Bottom"};
  for (int I = 0; I < 4; ++I) {
    FBorders[I].reset(TdxSkinBorder::Create(this, Sides[I], I));
    FBorders[I]->OnChange = Bind(this, &TdxSkinElement::SubChanged);
  }
  FGlyph.reset(TdxSkinImage::Create(this));
  FImage.reset(TdxSkinImage::Create(this));
  FGlyph->OnChange = FImage->OnChange = Bind(this, &TdxSkinElement::SubChanged);
}

TdxSkinElement::~TdxSkinElement() = default;

std::string TdxSkinElement::ImageFileName(const TdxSkinImage* Image) const {
  return GetName() + (Image == FGlyph.get() ? "_Glyph.png" : "_Image.png");
}

#define DX_SKIN_ELEMENT_SETTER(Name, Type, Field, Same, Store) \
  void TdxSkinElement::Set##Name(Type Value) {                 \
    if (Same) return;                                          \
    Store;                                                     \
    Changed();                                                 \
  }
DX_SKIN_ELEMENT_SETTER(Color, TColor, FColor, FColor == Value, FColor = Value)
DX_SKIN_ELEMENT_SETTER(Alpha, std::uint8_t, FAlpha, FAlpha == Value, FAlpha = Value)
DX_SKIN_ELEMENT_SETTER(TextColor, TColor, FTextColor, FTextColor == Value, FTextColor = Value)
DX_SKIN_ELEMENT_SETTER(ContentOffset, const RECT&, FContentOffset, SameRect(FContentOffset, Value),
                       FContentOffset = Value)
DX_SKIN_ELEMENT_SETTER(MinSize, SIZE, FMinSize, FMinSize.cx == Value.cx && FMinSize.cy == Value.cy,
                       FMinSize = Value)
DX_SKIN_ELEMENT_SETTER(ImageCount, int, FImageCount, std::max(1, Value) == FImageCount,
                       (FImageCount = std::max(1, Value), FGlyph->MarkDirty(), FImage->MarkDirty()))
#undef DX_SKIN_ELEMENT_SETTER

void TdxSkinElement::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxSkinElement*>(Source);
  if (!S) {
    TdxSkinPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  FImage->Assign(S->FImage.get());
  FGlyph->Assign(S->FGlyph.get());
  SetColor(S->FColor);
  SetAlpha(S->FAlpha);
  SetContentOffset(S->FContentOffset);
  SetImageCount(S->FImageCount);
  for (int I = 0; I < 4; ++I) {
    FBorders[I]->SetColor(S->FBorders[I]->GetColor());
    FBorders[I]->SetThin(S->FBorders[I]->GetThin());
  }
  SetMinSize(S->FMinSize);
  SetTextColor(S->FTextColor);
  for (int I = 0; I < S->PropertyCount(); ++I) {
    TdxSkinProperty* P = AddProperty(S->Properties(I)->GetName(), S->Properties(I)->Kind());
    P->Assign(S->Properties(I));
  }
  EndUpdate();
}

bool TdxSkinElement::IsEqual(TdxSkinElement* O) {
  if (!O || O->GetName() != GetName() || O->FColor != FColor || O->FAlpha != FAlpha ||
      O->FImageCount != FImageCount || O->FTextColor != FTextColor || !SameRect(O->FContentOffset, FContentOffset) ||
      O->FMinSize.cx != FMinSize.cx || O->FMinSize.cy != FMinSize.cy || O->PropertyCount() != PropertyCount())
    return false;
  for (int I = 0; I < 4; ++I)
    if (O->FBorders[I]->GetColor() != FBorders[I]->GetColor() || O->FBorders[I]->GetThin() != FBorders[I]->GetThin())
      return false;
  for (int I = 0; I < PropertyCount(); ++I)
    if (!Properties(I)->IsEqual(O->Properties(I))) return false;
  return FGlyph->IsEqual(O->FGlyph.get()) && FImage->IsEqual(O->FImage.get());
}

void TdxSkinElement::ToData(TdxSkinStreamElement& D) const {
  D.Name = GetName();
  D.Color = FromColor(FColor);
  D.Alpha = FAlpha;
  D.ImageCount = FImageCount;
  D.ContentOffset = FromRect(FContentOffset);
  FGlyph->ToData(D.Glyph);
  FImage->ToData(D.Image);
  for (int I = 0; I < 4; ++I) {
    D.Borders[I].Name = FBorders[I]->GetName();
    D.Borders[I].Color = FromColor(FBorders[I]->GetColor());
    D.Borders[I].Thin = FBorders[I]->GetThin();
  }
  D.TextColor = FromColor(FTextColor);
  D.MinWidth = FMinSize.cx;
  D.MinHeight = FMinSize.cy;
  D.Properties.clear();
  for (const auto& P : FProperties) {
    D.Properties.emplace_back();
    P->ToData(D.Properties.back());
  }
}

void TdxSkinElement::FromData(const TdxSkinStreamElement& D) {
  BeginUpdate();
  FColor = ToColor(D.Color);
  FAlpha = D.Alpha;
  FImageCount = std::max(1, D.ImageCount);
  FContentOffset = ToRect(D.ContentOffset);
  FGlyph->FromData(D.Glyph);
  FImage->FromData(D.Image);
  for (int I = 0; I < 4; ++I) {
    FBorders[I]->SetColor(ToColor(D.Borders[I].Color));
    FBorders[I]->SetThin(D.Borders[I].Thin);
  }
  FTextColor = ToColor(D.TextColor);
  FMinSize = SIZE{D.MinWidth, D.MinHeight};
  for (const auto& P : D.Properties) AddProperty(P.Name, P.Kind)->FromData(P);
  EndUpdate();
}

// ---- group

TdxSkinElement* TdxSkinControlGroup::AddElement(const std::string& Name) {
  TdxSkinElement* E = TdxSkinElement::Create(this, Name);
  E->OnChange = Bind(this, &TdxSkinControlGroup::PartItemChanged);
  FElements.emplace_back(E);
  Changed();
  return E;
}

TdxSkinElement* TdxSkinControlGroup::ElementByName(const std::string& Name) {
  EnsureSorted();
  return FindByName(FElements, Name);
}

void TdxSkinControlGroup::Sort() {
  TdxSkinPersistent::Sort();
  SortByName(FElements);
}

void TdxSkinControlGroup::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxSkinControlGroup*>(Source);
  if (!S) {
    TdxSkinPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  for (const auto& E : S->FElements) AddElement(E->GetName())->Assign(E.get());
  for (int I = 0; I < S->PropertyCount(); ++I)
    AddProperty(S->Properties(I)->GetName(), S->Properties(I)->Kind())->Assign(S->Properties(I));
  EndUpdate();
}

// ---- skin

TdxSkin::TdxSkin(const std::string& AName) : TdxSkinPersistent(nullptr, AName) {}
TdxSkin::~TdxSkin() = default;

TdxSkinColor* TdxSkin::AddColor(const std::string& Name, TColor Value) {
  BeginUpdate();
  TdxSkinColor* C = TdxSkinColor::Create(this, Name);
  C->OnChange = Bind(this, &TdxSkin::PartItemChanged);
  FColors.emplace_back(C);
  C->SetValue(Value);
  Changed();
  EndUpdate();
  return C;
}

TdxSkinColor* TdxSkin::ColorByName(const std::string& Name) {
  EnsureSorted();
  return FindByName(FColors, Name);
}

TdxSkinControlGroup* TdxSkin::AddGroup(const std::string& Name) {
  TdxSkinControlGroup* G = TdxSkinControlGroup::Create(this, Name);
  G->OnChange = Bind(this, &TdxSkin::PartItemChanged);
  FGroups.emplace_back(G);
  Changed();
  return G;
}

TdxSkinControlGroup* TdxSkin::GroupByName(const std::string& Name) {
  EnsureSorted();
  return FindByName(FGroups, Name);
}

void TdxSkin::Sort() {
  TdxSkinPersistent::Sort();
  SortByName(FColors);
  SortByName(FGroups);
}

void TdxSkin::Clear() {
  BeginUpdate();
  FGroups.clear();
  FColors.clear();
  FProperties.clear();
  Changed();
  EndUpdate();
}

void TdxSkin::DeleteItem(TObject* Item) {
  auto It = std::find_if(FColors.begin(), FColors.end(), [Item](const TOwned<TdxSkinColor>& C) { return C.get() == Item; });
  if (It != FColors.end()) {
    FColors.erase(It);
    Changed();
    return;
  }
  TdxSkinPersistent::DeleteItem(Item);
}

void TdxSkin::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxSkin*>(Source);
  if (!S) {
    TdxSkinPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  for (const auto& C : S->FColors) AddColor(C->GetName(), C->GetValue());
  for (const auto& G : S->FGroups) AddGroup(G->GetName())->Assign(G.get());
  for (int I = 0; I < S->PropertyCount(); ++I)
    AddProperty(S->Properties(I)->GetName(), S->Properties(I)->Kind())->Assign(S->Properties(I));
  EndUpdate();
}

void TdxSkin::AddListener(IdxSkinChangeListener* Listener) {
  if (Listener && std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end())
    FListeners.push_back(Listener);
}

void TdxSkin::RemoveListener(IdxSkinChangeListener* Listener) { std::erase(FListeners, Listener); }

void TdxSkin::DoChange() {
  BeginUpdate();
  for (IdxSkinChangeListener* L : std::vector(FListeners)) L->SkinChanged(this);
  // Back to the old count without a change of its own.
  EndUpdateSilently();
  TdxSkinCustomPersistentObject::DoChange();
}

void TdxSkin::ToData(TdxSkinStreamData& D) const {
  D.Version = 1.02;
  D.Name = GetName();
  D.Colors.clear();
  for (const auto& C : FColors) {
    D.Colors.emplace_back();
    C->ToData(D.Colors.back());
  }
  D.Properties.clear();
  for (const auto& P : FProperties) {
    D.Properties.emplace_back();
    P->ToData(D.Properties.back());
  }
  D.Groups.clear();
  for (const auto& G : FGroups) {
    TdxSkinStreamGroup SG;
    SG.Name = G->GetName();
    for (int I = 0; I < G->ElementCount(); ++I) {
      SG.Elements.emplace_back();
      G->Elements(I)->ToData(SG.Elements.back());
    }
    for (int I = 0; I < G->PropertyCount(); ++I) {
      SG.Properties.emplace_back();
      G->Properties(I)->ToData(SG.Properties.back());
    }
    D.Groups.push_back(std::move(SG));
  }
}

void TdxSkin::FromData(const TdxSkinStreamData& D) {
  BeginUpdate();
  FGroups.clear();
  FColors.clear();
  FProperties.clear();
  SetName(D.Name);
  FVersion = D.Version;
  for (const auto& C : D.Colors) AddColor(C.Name, ToColor(C.Integer));
  for (const auto& P : D.Properties) AddProperty(P.Name, P.Kind)->FromData(P);
  for (const auto& SG : D.Groups) {
    TdxSkinControlGroup* G = AddGroup(SG.Name);
    G->BeginUpdate();
    for (const auto& SE : SG.Elements) G->AddElement(SE.Name)->FromData(SE);
    for (const auto& P : SG.Properties) G->AddProperty(P.Name, P.Kind)->FromData(P);
    G->EndUpdate();
  }
  Changed();
  EndUpdate();
}

void TdxSkin::LoadFromStream(TStream* Stream) {
  if (!EnsureGdiPlusLoaded()) return;
  TStreamSource Source(Stream);
  TPartStreamDecoder Decoder(Stream);
  TdxSkinStreamData D;
  try {
    D = ReadSkinStream(Source, Decoder);
  } catch (const TdxSkinStreamError& E) {
    throw EdxSkin(E.what());
  }
  FromData(D);
}

void TdxSkin::SaveToStream(TStream* Stream) {
  TdxSkinStreamData D;
  ToData(D);
  std::vector<std::uint8_t> Bytes = WriteSkinStream(D);
  Stream->WriteBuffer(Bytes.data(), static_cast<int>(Bytes.size()));
}

void TdxSkin::LoadFromResource(HINSTANCE Instance) {
  TOwned<TResourceStream> R(TResourceStream::Create(Instance, GetName(), ResourceType()));
  LoadFromStream(R.get());
}
