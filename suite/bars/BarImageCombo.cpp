#include "suite/bars/BarImageCombo.h"

#include <algorithm>
#include <cstdint>

#include "framework/Button.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "framework/Messages.h"
#include "framework/Reader.h"
#include "framework/Writer.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDialogLayout.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarStrings.h"
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

// ---- The "Select item" dialog

void TdxBarImageCombo::Click() {
  TdxBarCustomCombo::Click();
  if (OnClick || GetReadOnly()) return;
  TOwned<TdxBarImageComboDialog> Dialog(Construct<TdxBarImageComboDialog>(this));
  if (Dialog->ShowModal() == mrOk) SetItemIndex(Dialog->GetList()->GetItemIndex());
}

TdxBarImageComboList::TdxBarImageComboList(TComponent* AOwner, TdxBarImageCombo* Combo)
    : TListBox(AOwner), FCombo(Combo) {}

void TdxBarImageComboList::CreateParams(TCreateParams& Params) {
  TListBox::CreateParams(Params);
  Params.Style = (Params.Style & ~WS_HSCROLL) | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
}

void TdxBarImageComboList::CreateWnd() {
  TListBox::CreateWnd();
  for (int I = 0; I < GetItems()->GetCount(); ++I)
    SendMessageW(GetHandle(), LB_SETITEMHEIGHT, I, MAKELPARAM(FCombo->MeasureItem(I), 0));
}

void TdxBarImageComboList::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_DRAWITEM && Message.LParam) {
    const auto& Item = *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    if (static_cast<int>(Item.itemID) < 0) return;
    const bool Selected = (Item.itemState & ODS_SELECTED) != 0;
    const TdxBarOwnerDrawState State = static_cast<TdxBarOwnerDrawState>(Item.itemState & (ODS_SELECTED | ODS_FOCUS));
    HGDIOBJ Old = SelectObject(Item.hDC, GetFont()->GetHandle());
    if (!FCombo->DrawEntry(Item.hDC, static_cast<int>(Item.itemID), Item.rcItem, State,
                           Selected ? clHighlight : clWindow, Selected ? clHighlightText : clWindowText)) {
      DrawComboEntryBackground(Item.hDC, Item.rcItem, Selected ? clHighlight : clWindow);
      DrawComboEntryText(Item.hDC, RECT{Item.rcItem.left + 2, Item.rcItem.top, Item.rcItem.right, Item.rcItem.bottom},
                         GetItems()->GetStrings(static_cast<int>(Item.itemID)),
                         Selected ? clHighlightText : clWindowText);
    }
    SelectObject(Item.hDC, Old);
    Message.Result = TRUE;
    return;
  }
  TListBox::Dispatch(Message);
  if (Message.Msg == WM_LBUTTONDBLCLK && GetItemIndex() >= 0)
    if (TCustomForm* Form = ::GetParentForm(this)) Form->SetModalResult(mrOk);
}

TdxBarImageComboDialog::TdxBarImageComboDialog(TdxBarImageCombo* Combo) : TForm(nullptr) {
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetCaption(BarString(dxSBAR_IMAGEDIALOGCAPTION));
  if (TdxBarManager* Manager = Combo->GetBarManager()) GetFont()->Assign(Manager->GetFont());
  const TSelectDialogMeasures S = SelectDialogMeasures(GetFont());
  FList = Construct<TdxBarImageComboList>(this, Combo);
  FList->SetParent(this);
  FList->GetItems()->Assign(Combo->GetItems());
  // Client sizes count only once the list has its border.
  FList->HandleNeeded();
  const int Count = Combo->GetItems()->GetCount();
  const int Rows = std::min(Count, Combo->GetDropDownCount());
  const int EntryHeight = Count > 0 ? Combo->MeasureItem(0) : 0;
  FList->SetClientWidth(Combo->CalcDropDownWidth(Combo->GetWidth()) - 4);
  FList->SetClientHeight(std::max(EntryHeight * Rows, S.M + 2 * S.H));
  FList->SetLeft(S.M);
  FList->SetTop(S.M);
  SetClientWidth(FList->GetWidth() + S.W + 3 * S.M);
  SetClientHeight(FList->GetHeight() + 2 * S.M);
  FOk = DialogButton(this, BarString(dxSBAR_DIALOGOK), mrOk);
  FOk->SetBounds(GetClientWidth() - S.M - S.W, S.M, S.W, S.H);
  FCancel = DialogButton(this, BarString(dxSBAR_DIALOGCANCEL), mrCancel);
  FCancel->SetBounds(GetClientWidth() - S.M - S.W, 2 * S.M + S.H, S.W, S.H);
  FList->SetItemIndex(Combo->GetItemIndex());
  SetActiveControl(FList);
}
