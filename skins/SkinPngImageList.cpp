#include "skins/SkinPngImageList.h"

#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "framework/Conversions.h"
#include "framework/Published.h"
#include "skins/PngFunctions.h"

namespace {
const bool Registered = (RegisterClass(TspPngImageList::StaticClass()), true);
}

// --- items ---------------------------------------------------------------------

SONVELT_PUBLISHED(TspPngImageItem, P) {
  P.String("Name", &TspPngImageItem::GetName, &TspPngImageItem::SetName);
  P.Object("PngImage", &TspPngImageItem::GetPngImage);
}

TspPngImageItem::TspPngImageItem(TCollection* Collection)
    : TCollectionItem(Collection), FPngImage(MakeOwned<TspPngImage>()) {}

TspPngImageItem::~TspPngImageItem() = default;

TspPngImageList* TspPngImageItem::List() const {
  return GetCollection() ? dynamic_cast<TspPngImageList*>(GetCollection()->GetOwner()) : nullptr;
}

void TspPngImageItem::AfterConstruction() {
  TCollectionItem::AfterConstruction();
  FName = "PngImage" + IntToStr(GetIndex());
  if (TspPngImageList* list = List()) list->InsertPlaceholder(GetIndex());
}

void TspPngImageItem::BeforeDestruction() {
  if (TspPngImageList* list = List(); list && GetIndex() < list->GetCount()) list->Delete(GetIndex());
  TCollectionItem::BeforeDestruction();
}

void TspPngImageItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TspPngImageItem*>(Source)) {
    FPngImage->Assign(item->FPngImage.get());
    FName = item->FName;
    return;
  }
  TCollectionItem::Assign(Source);
}

std::string TspPngImageItem::GetDisplayName() const {
  return FName.empty() ? TCollectionItem::GetDisplayName() : FName;
}

void TspPngImageItem::SetPngImage(TspPngImage* Value) {
  FPngImage->Assign(Value);
  Changed(false);
}

TspPngImageItems::TspPngImageItems(TspPngImageList* AOwner)
    : TOwnedCollection(AOwner, TspPngImageItem::StaticClass()) {}

// --- list ----------------------------------------------------------------------

SONVELT_PUBLISHED(TspPngImageList, P) {
  P.Collection("PngImages", &TspPngImageList::GetPngImages);
  P.Integer("PngWidth", &TspPngImageList::GetPngWidth, &TspPngImageList::SetPngWidth).Default(16);
  P.Integer("PngHeight", &TspPngImageList::GetPngHeight, &TspPngImageList::SetPngHeight).Default(16);
}

TspPngImageList::TspPngImageList(TComponent* AOwner)
    : TCustomImageList(AOwner), FPngImages(MakeOwned<TspPngImageItems>(this)) {}

TspPngImageList::~TspPngImageList() = default;

void TspPngImageList::BeforeDestruction() {
  // The items first: each takes its placeholder with it.
  FPngImages.reset();
  TCustomImageList::BeforeDestruction();
}

void TspPngImageList::InsertPlaceholder(int Index) {
  auto placeholder = MakeOwned<TBitmap>();
  placeholder->SetMonochrome(true);
  placeholder->SetSize(GetWidth(), GetHeight());
  if (Index >= GetCount()) Add(placeholder.get(), nullptr);
  else Insert(Index, placeholder.get(), nullptr);
}

void TspPngImageList::SetPngWidth(int Value) {
  if (Value == GetWidth()) return;
  SetWidth(Value);
  if (!Loading()) FPngImages->Clear();
}

void TspPngImageList::SetPngHeight(int Value) {
  if (Value == GetHeight()) return;
  SetHeight(Value);
  if (!Loading()) FPngImages->Clear();
}

void TspPngImageList::Loaded() {
  TCustomImageList::Loaded();
  Clear();
  for (int i = 0; i < FPngImages->GetCount(); ++i) InsertPlaceholder(i);
}

void TspPngImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT, bool Enabled) {
  TspPngImage* picture = FPngImages->Items(Index)->GetPngImage();
  const RECT r{X, Y, X + GetWidth(), Y + GetHeight()};
  if (Enabled) {
    picture->Draw(Canvas, r);
    return;
  }
  if (picture->GetEmpty()) return;
  auto faded = MakeOwned<TspPngImage>();
  faded->Assign(picture);
  FadePngAlpha(faded.get(), 127);
  faded->Draw(Canvas, r);
}
