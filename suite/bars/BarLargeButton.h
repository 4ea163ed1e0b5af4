// The large button: on a toolbar a large image with the caption under it and a
// second image while the mouse is over it; in a menu a plain button. Its small
// ImageIndex follows LargeImageIndex while SyncImageIndex holds. Forms keep only
// the large index (and the small one, as extra data, while the two are apart); the
// loaded flags remember which of the three indexes a form stored, so that an old
// form with only a small index, or an action that brings the index, ends with
// both indexes set.
#pragma once

#include "framework/OwnedObject.h"
#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarItems.h"

class TdxBarLargeButton : public TdxBarButton {
  SONVELT_CLASS(TdxBarLargeButton, TdxBarButton)
public:
  explicit TdxBarLargeButton(TComponent* AOwner);
  ~TdxBarLargeButton() override;
  static void Publish(TPublisher<TdxBarLargeButton>& P);

  bool GetAutoGrayScale() const { return FAutoGrayScale; }
  void SetAutoGrayScale(bool Value);
  int GetHeight() const { return FHeight; }
  // Negative values are ignored.
  void SetHeight(int Value);
  TBitmap* GetHotGlyph() const { return FHotGlyph.get(); }
  void SetHotGlyph(TBitmap* Value);
  int GetHotImageIndex() const { return FHotImageIndex; }
  void SetHotImageIndex(int Value);
  bool GetSyncImageIndex() const { return FSyncImageIndex; }
  void SetSyncImageIndex(bool Value);

  void SetImageIndex(int Value) override;
  void SetLargeImageIndex(int Value) override;
  int GetCustomizingImageIndex() const override { return GetLargeImageIndex(); }
  void SetCustomizingImageIndex(int Value) override { SetLargeImageIndex(Value); }
  void LargeGlyphChanged() override;
  void HotGlyphChanged() override;
  void WidthChanged() override;

  bool IsEnterable(TdxBarItemLink* Link) const override;
  bool HasHotImage() const override { return FHotImageIndex >= 0; }
  bool HasImageIndex() const override { return GetLargeImageIndex() >= 0; }
  std::uint16_t GetCustomizeActions() override { return TdxBarButton::GetCustomizeActions() & ~0x20; }

protected:
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;

private:
  void HotGlyphBitmapChanged(TObject* Sender);
  void ReadImageIndex(TReader* Reader);
  void WriteImageIndex(TWriter* Writer);
  bool FAutoGrayScale = true;
  int FHeight = 0;
  TOwned<TBitmap> FHotGlyph;
  int FHotImageIndex = -1;
  bool FSyncImageIndex = true;
  // Set while one index is copied into the other.
  bool FInSync = false;
  bool FImageIndexLoaded = false;
  bool FLargeImageIndexLoaded = false;
  bool FSyncImageIndexLoaded = false;
};

// Outside menus: the large image (the hot one while selected) over the caption,
// sized by them unless the item fixes Width and Height. In a menu: a plain button.
class TdxBarLargeButtonControl : public TdxBarButtonControl {
  SONVELT_CLASS(TdxBarLargeButtonControl, TdxBarButtonControl)
public:
  using TdxBarButtonControl::TdxBarButtonControl;

  int DefaultViewSize() const override;
  int GetPaintStyleParts() const override;
  TdxBarItemViewLevels PossibleViewLevels() const override;
  bool IsGlyphGrayed() const override;
  bool IsRotated() const override;
  int CalcThickness() override;
  int CalcLength() override;
  int ArrowWidth() const override;
  void HotGlyphChanged() override { LargeGlyphChanged(); }
  void LargeGlyphChanged() override;
  TdxBarPaintStyle ForceCaptionWithoutImage(TdxBarPaintStyle Style) const override;
  bool FindGlyphSource(int ViewSize, bool State, int& ImageIndex, TCustomImageList*& ImageList,
                       TBitmap*& Glyph) const override;

private:
  TdxBarLargeButton* LargeButton() const;
  bool InMenu() const;
};
