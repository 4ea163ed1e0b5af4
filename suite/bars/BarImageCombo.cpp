#include "suite/bars/BarImageCombo.h"

#include <algorithm>
#include <cstdint>

#include "framework/ImageList.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/common/cxImageDrawing.h"
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
  LoadBarItemGlyph(this, "DXBARIMAGECOMBO");
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
    if (auto* Image = dynamic_cast<TdxBarImageComboControl*>(C)) Image->ImagesChanged();
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

bool TdxBarImageCombo::DrawEntry(HDC DC, int Index, const RECT& R, TdxBarOwnerDrawState State, TColor Back,
                                 TColor TextColor) {
  if (OnDrawItem || !FImages) return false;
  DrawComboEntryBackground(DC, R, Back);
  int W = FImages->GetWidth(), H = FImages->GetHeight();
  RECT Image{0, (R.top + R.bottom - H) / 2, 0, (R.top + R.bottom - H) / 2 + H};
  Image.left = FShowText ? R.left + 1 : (R.left + R.right - W) / 2;
  Image.right = Image.left + W;
  int ImageIndex = GetImageIndex(Index);
  if (Index >= 0 && ImageIndex >= 0 && ImageIndex < FImages->GetCount())
    PaintImageWithState(DC, Image, Image, nullptr, FImages, ImageIndex, simNormal);
  else if (!GetEditingLink())
    Image.right = Image.left;
  if (FShowText) {
    std::string Text = Index == -1 ? GetText() : GetItems()->GetStrings(Index);
    DrawComboEntryText(DC, RECT{Image.right + 2, R.top, R.right, R.bottom}, Text, TextColor);
  }
  if (State & ODS_FOCUS) DrawFocusRect(DC, &R);
  return true;
}

// ---- TdxBarImageComboControl

int TdxBarImageComboControl::CalcHeight() {
  int H = TdxBarComboControl::CalcHeight();
  auto* Item = dynamic_cast<TdxBarImageCombo*>(LinkedItem());
  if (!IsRotated() && Item && Item->GetImages()) H = std::max(H, Item->GetImages()->GetHeight() + 6);
  return H;
}

void TdxBarImageComboControl::DrawInner() {
  TdxBarComboControl::DrawInner();
  DrawComboEditEntry(this);
}

void TdxBarImageComboControl::ImagesChanged() {
  if (GetParent()) GetParent()->Rebuild();
}
