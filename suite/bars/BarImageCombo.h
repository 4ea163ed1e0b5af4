// The image combo: a combo whose entries carry an image of Images, drawn before
// the entry text (or alone without ShowText). Each entry's image index sits in
// its object slot as index + 1; forms keep them as the list "ImageIndexes".
#pragma once

#include "framework/OwnedObject.h"
#include "suite/bars/BarEditItems.h"

class TChangeLink;
class TCustomImageList;

class TdxBarImageCombo : public TdxBarCustomCombo {
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
  // The images changed: every bar window showing the item rebuilds.
  virtual void ImagesChanged();

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

class TdxBarImageComboControl : public TdxBarComboControl {
  SONVELT_CLASS(TdxBarImageComboControl, TdxBarComboControl)
public:
  using TdxBarComboControl::TdxBarComboControl;
};
