// The image combo: a combo whose entries carry an image of Images, drawn before
// the entry text (or alone without ShowText). Each entry's image index sits in
// its object slot as index + 1; forms keep them as the list "ImageIndexes".
#pragma once

#include "framework/Form.h"
#include "framework/ListControls.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarComboControls.h"
#include "suite/bars/BarComboEntries.h"
#include "suite/bars/BarEditItems.h"

class TButton;
class TChangeLink;
class TCustomImageList;

class TdxBarImageCombo : public TdxBarCustomCombo, public IdxBarComboEntryPainter {
  SONVELT_CLASS(TdxBarImageCombo, TdxBarCustomCombo)
public:
  explicit TdxBarImageCombo(TComponent* AOwner);
  ~TdxBarImageCombo() override;
  static void Publish(TPublisher<TdxBarImageCombo>& P);

  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool GetShowText() const { return FShowText; }
  void SetShowText(bool Value);
  // -1 for an entry without an image (or no such entry).
  int GetImageIndex(int Entry) const;
  void SetImageIndex(int Entry, int Index);

  int MeasureItem(int Index) override;
  int MeasureItemWidth(int Index) override;
  // The entry's image (centred without ShowText), then its text; an entry whose
  // image is missing outside editing starts its text at the left.
  bool DrawEntry(HDC DC, int Index, const RECT& R, TdxBarOwnerDrawState State, TColor Back,
                 TColor TextColor) override;
  // The images changed: every bar window showing the item rebuilds.
  virtual void ImagesChanged();
  // Without an OnClick handler and unless read-only, a click opens the "Select
  // item" dialog; OK takes its entry.
  void Click() override;

protected:
  void DefineProperties(TFiler* Filer) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void ImageListChange(TObject* Sender);
  void ReadImageIndexes(TReader* Reader);
  void WriteImageIndexes(TWriter* Writer);
  TCustomImageList* FImages = nullptr;
  TOwned<TChangeLink> FImageChangeLink;
  bool FShowText = true;
};

// The image combo on a bar: at least as high as its images, the edit showing the
// chosen entry's image and text.
class TdxBarImageComboControl : public TdxBarComboControl {
  SONVELT_CLASS(TdxBarImageComboControl, TdxBarComboControl)
public:
  using TdxBarComboControl::TdxBarComboControl;
  int CalcHeight() override;
  void DrawInner() override;
  virtual void ImagesChanged();
};

// The entries of an image combo in its "Select item" dialog, drawn and measured
// by the combo; a double click confirms the dialog.
class TdxBarImageComboList : public TListBox {
  SONVELT_CLASS(TdxBarImageComboList, TListBox)
public:
  TdxBarImageComboList(TComponent* AOwner, TdxBarImageCombo* Combo);
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  TdxBarImageCombo* FCombo;
};

// The "Select item" dialog of an image combo: its entries in a list, OK, Cancel.
class TdxBarImageComboDialog : public TForm {
  SONVELT_CLASS(TdxBarImageComboDialog, TForm)
public:
  explicit TdxBarImageComboDialog(TdxBarImageCombo* Combo);
  TListBox* GetList() const { return FList; }
  TButton* GetOkButton() const { return FOk; }
  TButton* GetCancelButton() const { return FCancel; }

private:
  TdxBarImageComboList* FList = nullptr;
  TButton* FOk = nullptr;
  TButton* FCancel = nullptr;
};
