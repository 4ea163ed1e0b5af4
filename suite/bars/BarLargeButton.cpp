#include "suite/bars/BarLargeButton.h"

#include "framework/Bitmap.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarFlagScope.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/Bars.h"

namespace {
const std::vector<std::string> LayoutNames{"glLeft", "glRight", "glTop", "glBottom"};
}  // namespace

SONVELT_PUBLISHED(TdxBarLargeButton, P) {
  // The small index is the large one's copy: it goes into the form only as the
  // extra "ImageIndex" data below, and only while the two are apart.
  P.Integer("ImageIndex", &TdxBarLargeButton::GetImageIndex, &TdxBarLargeButton::SetImageIndex).Stored(false);
  P.Integer("LargeImageIndex", &TdxBarLargeButton::GetLargeImageIndex, &TdxBarLargeButton::SetLargeImageIndex)
      .Default(-1)
      .Stored([](TdxBarLargeButton* B) { return B->IsImageIndexStored(); });
  P.Boolean("AutoGrayScale", &TdxBarLargeButton::GetAutoGrayScale, &TdxBarLargeButton::SetAutoGrayScale).Default(true);
  P.Enum("GlyphLayout", &TdxBarLargeButton::GetGlyphLayout, &TdxBarLargeButton::SetGlyphLayout, LayoutNames)
      .Default(glTop);
  P.Integer("Height", &TdxBarLargeButton::GetHeight, &TdxBarLargeButton::SetHeight).Default(0);
  P.Integer("Width", &TdxBarLargeButton::GetWidth, &TdxBarLargeButton::SetWidth).Default(0);
  P.Object("HotGlyph", &TdxBarLargeButton::GetHotGlyph);
  P.Integer("HotImageIndex", &TdxBarLargeButton::GetHotImageIndex, &TdxBarLargeButton::SetHotImageIndex).Default(-1);
  P.Boolean("ShowCaption", &TdxBarLargeButton::GetShowCaption, &TdxBarLargeButton::SetShowCaption).Default(true);
  P.Boolean("SyncImageIndex", &TdxBarLargeButton::GetSyncImageIndex, &TdxBarLargeButton::SetSyncImageIndex)
      .Default(true);
}

TdxBarLargeButton::TdxBarLargeButton(TComponent* AOwner) : TdxBarButton(AOwner), FHotGlyph(TBitmap::Create()) {
  FHotGlyph->OnChange = Bind(this, &TdxBarLargeButton::HotGlyphBitmapChanged);
  EnsureBarExtItemsUnit();
  SetShowCaption(true);
}

TdxBarLargeButton::~TdxBarLargeButton() = default;

void TdxBarLargeButton::DefineProperties(TFiler* Filer) {
  TdxBarButton::DefineProperties(Filer);
  Filer->DefineProperty("ImageIndex", Bind(this, &TdxBarLargeButton::ReadImageIndex),
                        Bind(this, &TdxBarLargeButton::WriteImageIndex), !FSyncImageIndex);
}

void TdxBarLargeButton::ReadImageIndex(TReader* Reader) { SetImageIndex(Reader->ReadInteger()); }

void TdxBarLargeButton::WriteImageIndex(TWriter* Writer) { Writer->WriteInteger(GetImageIndex()); }

void TdxBarLargeButton::Loaded() {
  // The action is applied again inside while the flags still tell what the form held.
  TdxBarButton::Loaded();
  FImageIndexLoaded = FLargeImageIndexLoaded = FSyncImageIndexLoaded = false;
}

void TdxBarLargeButton::SetAutoGrayScale(bool Value) {
  if (FAutoGrayScale == Value) return;
  FAutoGrayScale = Value;
  Update();
}

void TdxBarLargeButton::SetHeight(int Value) {
  if (Value < 0 || Value == FHeight) return;
  FHeight = Value;
  UpdateInKinds(AllKinds);
}

void TdxBarLargeButton::SetHotGlyph(TBitmap* Value) { FHotGlyph->Assign(Value); }

void TdxBarLargeButton::HotGlyphBitmapChanged(TObject* Sender) { HotGlyphChanged(); }

void TdxBarLargeButton::SetHotImageIndex(int Value) {
  if (FHotImageIndex == Value) return;
  FHotImageIndex = Value;
  HotGlyphChanged();
}

void TdxBarLargeButton::HotGlyphChanged() { TdxBarButton::HotGlyphChanged(); }

void TdxBarLargeButton::WidthChanged() {
  TdxBarButton::WidthChanged();
  UpdateInKinds(AllKinds);
}

void TdxBarLargeButton::SetLargeImageIndex(int Value) {
  if (IsLoading() && !FInSync) FLargeImageIndexLoaded = true;
  TdxBarButton::SetLargeImageIndex(Value);
}

void TdxBarLargeButton::LargeGlyphChanged() {
  if (!FInSync && FSyncImageIndex) {
    if (IsLoading() && FImageIndexLoaded) {
      SetSyncImageIndex(GetLargeImageIndex() == GetImageIndex());
    } else {
      TdxBarFlagScope Scope(FInSync);
      SetImageIndex(GetLargeImageIndex());
    }
  }
  TdxBarButton::LargeGlyphChanged();
}

void TdxBarLargeButton::SetImageIndex(int Value) {
  // Outside loading an unchanged index (an action link giving it again) is no
  // edit of the small image and keeps the two indexes tied.
  if (!IsLoading() && Value == GetImageIndex()) return;
  if (IsLoading() && !FInSync) FImageIndexLoaded = true;
  TdxBarButton::SetImageIndex(Value);
  if (FInSync) return;
  if (IsLoading() && GetLargeImageIndex() == -1 && (FSyncImageIndex || !FSyncImageIndexLoaded)) {
    TdxBarFlagScope Scope(FInSync);
    SetLargeImageIndex(GetImageIndex());
  } else if (!FSyncImageIndexLoaded) {
    SetSyncImageIndex(false);
  }
}

void TdxBarLargeButton::SetSyncImageIndex(bool Value) {
  if (IsLoading() && !FInSync) FSyncImageIndexLoaded = true;
  if (Value == FSyncImageIndex) return;
  FSyncImageIndex = Value;
  if (Value) LargeGlyphChanged();
}

bool TdxBarLargeButton::IsEnterable(TdxBarItemLink* Link) const {
  if (!TdxBarButton::IsEnterable(Link)) return false;
  TdxBarItemLinks* Links = Link ? Link->GetOwnerLinks() : nullptr;
  return GetShowCaption() || !(Links && dynamic_cast<TdxBar*>(Links->GetOwnerComponent()));
}

// ---- TdxBarLargeButtonControl

TdxBarLargeButton* TdxBarLargeButtonControl::LargeButton() const {
  return dynamic_cast<TdxBarLargeButton*>(LinkedItem());
}

bool TdxBarLargeButtonControl::InMenu() const { return GetParent() && GetParent()->Kind() == bwkSubMenu; }

int TdxBarLargeButtonControl::DefaultViewSize() const {
  return InMenu() ? TdxBarButtonControl::DefaultViewSize() : 2;
}

int TdxBarLargeButtonControl::GetPaintStyleParts() const {
  if (InMenu()) return TdxBarButtonControl::GetPaintStyleParts();
  TdxBarLargeButton* B = LargeButton();
  return B && !B->GetShowCaption() ? vsGlyph : vsGlyph | vsCaption;
}

TdxBarItemViewLevels TdxBarLargeButtonControl::PossibleViewLevels() const {
  TdxBarItemViewLevels Levels = TdxBarButtonControl::PossibleViewLevels();
  Levels.Include(ivlLargeIconWithText);
  return Levels;
}

bool TdxBarLargeButtonControl::IsGlyphGrayed() const {
  TdxBarLargeButton* B = LargeButton();
  return !IsDrawnSelected() && IsEnabled() && B && B->GetAutoGrayScale();
}

bool TdxBarLargeButtonControl::IsRotated() const {
  TdxBarLargeButton* B = LargeButton();
  return TdxBarButtonControl::IsRotated() && B && B->GetShowCaption();
}

int TdxBarLargeButtonControl::CalcThickness() {
  TdxBarLargeButton* B = LargeButton();
  return B && B->GetHeight() != 0 ? B->GetHeight() : TdxBarButtonControl::CalcThickness();
}

int TdxBarLargeButtonControl::CalcLength() {
  TdxBarLargeButton* B = LargeButton();
  return B && B->GetWidth() != 0 ? B->GetWidth() : TdxBarButtonControl::CalcLength();
}

int TdxBarLargeButtonControl::ArrowWidth() const {
  TdxBarPainter* P = GetPainter();
  if (P && dynamic_cast<TdxBarControl*>(GetParent())) return P->LargeDropDownArrowWidth(LinkManager());
  return TdxBarButtonControl::ArrowWidth();
}

void TdxBarLargeButtonControl::LargeGlyphChanged() {
  if (GetDrawParams()->GetViewSize() != 2) return;
  TdxBarLargeButton* B = LargeButton();
  if ((B && B->GetWidth() != 0 && B->GetHeight() != 0) || InMenu())
    Repaint();
  else if (GetParent())
    GetParent()->Rebuild();
}

TdxBarPaintStyle TdxBarLargeButtonControl::ForceCaptionWithoutImage(TdxBarPaintStyle Style) const {
  (void)Style;
  return psCaption;
}

bool TdxBarLargeButtonControl::FindGlyphSource(int ViewSize, bool State, int& ImageIndex,
                                               TCustomImageList*& ImageList, TBitmap*& Glyph) const {
  TdxBarLargeButton* B = LargeButton();
  if (ViewSize != 2 || !B) return TdxBarButtonControl::FindGlyphSource(ViewSize, State, ImageIndex, ImageList, Glyph);
  ImageIndex = -1;
  ImageList = nullptr;
  Glyph = nullptr;
  auto Hot = [&] {
    if (TBitmap* G = B->GetHotGlyph(); G && !G->GetEmpty()) return Glyph = G, true;
    if (!ItemIsImageInList(HotImages(), B->GetHotImageIndex())) return false;
    ImageList = HotImages();
    ImageIndex = B->GetHotImageIndex();
    return true;
  };
  auto Large = [&] {
    if (TBitmap* G = LargeGlyph(); G && !G->GetEmpty()) return Glyph = G, true;
    TdxBarManager* M = LinkManager();
    if (!M || !ItemIsImageInList(M->GetLargeImages(), B->GetLargeImageIndex())) return false;
    ImageList = LargeImages();
    ImageIndex = B->GetLargeImageIndex();
    return true;
  };
  if (State ? Hot() || Large() : Large() || Hot()) return true;
  ImageList = LargeImages() ? LargeImages() : HotImages();
  return false;
}
