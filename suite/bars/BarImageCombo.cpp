#include "suite/bars/BarImageCombo.h"

#include <algorithm>
#include <cstdint>

#include "framework/ImageList.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/common/cxImageList.h"

SONVELT_PUBLISHED(TdxBarImageCombo, P) {
  P.Component("Images", &TdxBarImageCombo::GetImages, &TdxBarImageCombo::SetImages);
  // The entries before the index that picks one of them.
  P.Object("Items", [](TdxBarImageCombo* C) { return static_cast<TPersistent*>(C->GetItems()); });
  P.Integer("ItemIndex", &TdxBarImageCombo::GetItemIndex, &TdxBarImageCombo::SetItemIndex).Default(-1);
  P.Boolean("ShowEditor", &TdxBarImageCombo::GetShowEditor, &TdxBarImageCombo::SetShowEditor).Default(false);
  P.Boolean("ShowText", &TdxBarImageCombo::GetShowText, &TdxBarImageCombo::SetShowText).Default(true);
}

TdxBarImageCombo::TdxBarImageCombo(TComponent* AOwner)
    : TdxBarCustomCombo(AOwner), FImageChangeLink(TChangeLink::Create()) {
  EnsureBarExtItemsUnit();
  SetShowEditor(false);
  FImageChangeLink->OnChange = Bind(this, &TdxBarImageCombo::ImageListChange);
}

TdxBarImageCombo::~TdxBarImageCombo() { AttachImageList(nullptr, FImages, FImageChangeLink.get(), this); }

void TdxBarImageCombo::SetImages(TCustomImageList* Value) {
  AttachImageList(Value, FImages, FImageChangeLink.get(), this);
}

void TdxBarImageCombo::Notification(TComponent* AComponent, TOperation Operation) {
  TdxBarCustomCombo::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) AttachImageList(nullptr, FImages, FImageChangeLink.get(), this);
}

void TdxBarImageCombo::ImageListChange(TObject* Sender) {
  if (!IsLoading()) ImagesChanged();
}

void TdxBarImageCombo::ImagesChanged() {
  ForEachControl([](TdxBarItemControl* C) {
    if (dynamic_cast<TdxBarImageComboControl*>(C) && C->GetParent()) C->GetParent()->Rebuild();
  });
}

void TdxBarImageCombo::SetShowText(bool Value) {
  if (Value == FShowText) return;
  FShowText = Value;
  Update();
}

int TdxBarImageCombo::GetImageIndex(int Entry) const {
  if (Entry < 0 || Entry >= GetItems()->GetCount()) return -1;
  return static_cast<int>(reinterpret_cast<std::intptr_t>(GetItems()->GetObjects(Entry))) - 1;
}

void TdxBarImageCombo::SetImageIndex(int Entry, int Index) {
  if (Entry < 0 || Entry >= GetItems()->GetCount()) return;
  GetItems()->SetObjects(Entry, reinterpret_cast<TObject*>(static_cast<std::intptr_t>(Index) + 1));
  if (Entry == GetItemIndex()) Update();
}

int TdxBarImageCombo::MeasureItem(int Index) {
  int Height = TdxBarCustomCombo::MeasureItem(Index);
  if (!OnMeasureItem && FImages) Height = std::max(Height, FImages->GetHeight() + 2);
  return Height;
}

int TdxBarImageCombo::MeasureItemWidth(int Index) {
  int Width = TdxBarCustomCombo::MeasureItemWidth(Index);
  if (!FImages) return Width;
  return (FShowText ? Width : 0) + FImages->GetWidth() + 2;
}

void TdxBarImageCombo::DefineProperties(TFiler* Filer) {
  TdxBarCustomCombo::DefineProperties(Filer);
  Filer->DefineProperty("ImageIndexes", Bind(this, &TdxBarImageCombo::ReadImageIndexes),
                        Bind(this, &TdxBarImageCombo::WriteImageIndexes), GetItems()->GetCount() > 0);
}

void TdxBarImageCombo::ReadImageIndexes(TReader* Reader) {
  Reader->ReadListBegin();
  for (int I = 0; I < GetItems()->GetCount() && !Reader->EndOfList(); ++I) SetImageIndex(I, Reader->ReadInteger());
  // A value for an entry that does not exist is an error of the stream.
  Reader->ReadListEnd();
}

void TdxBarImageCombo::WriteImageIndexes(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int I = 0; I < GetItems()->GetCount(); ++I) Writer->WriteInteger(GetImageIndex(I));
  Writer->WriteListEnd();
}
