// TspPngImageList: an image list whose images are skin PNG pictures kept in a
// collection, drawn with their alpha, and drawn faded to half when the list is
// asked for a disabled image. The native list holds one placeholder per item,
// so that its count is the number of items; the placeholders are never drawn.
#pragma once
#include <string>

#include "framework/Collections.h"
#include "framework/ImageList.h"
#include "framework/OwnedObject.h"
#include "skins/SkinPngImage.h"

class TspPngImageList;

class TspPngImageItem : public TCollectionItem {
  SONVELT_CLASS(TspPngImageItem, TCollectionItem)
 public:
  explicit TspPngImageItem(TCollection* Collection);
  ~TspPngImageItem() override;
  // Named "PngImage<index>", with a placeholder at its index in the list.
  void AfterConstruction() override;
  // Deletes its placeholder.
  void BeforeDestruction() override;
  static void Publish(TPublisher<TspPngImageItem>& P);

  void Assign(TPersistent* Source) override;
  std::string GetDisplayName() const override;
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  TspPngImage* GetPngImage() const { return FPngImage.get(); }
  void SetPngImage(TspPngImage* Value);

 private:
  TspPngImageList* List() const;
  std::string FName;
  TOwned<TspPngImage> FPngImage;
};

class TspPngImageItems : public TOwnedCollection {
  SONVELT_CLASS(TspPngImageItems, TOwnedCollection)
 public:
  explicit TspPngImageItems(TspPngImageList* AOwner);
  TspPngImageItem* Items(int Index) const { return static_cast<TspPngImageItem*>(GetItem(Index)); }
};

class TspPngImageList : public TCustomImageList {
  SONVELT_CLASS(TspPngImageList, TCustomImageList)
 public:
  explicit TspPngImageList(TComponent* AOwner);
  ~TspPngImageList() override;
  void BeforeDestruction() override;
  static void Publish(TPublisher<TspPngImageList>& P);

  TspPngImageItems* GetPngImages() const { return FPngImages.get(); }
  void SetPngImages(TspPngImageItems* Value) { FPngImages->Assign(Value); }
  int GetPngWidth() const { return GetWidth(); }
  // A new size clears the items, except while the list is read from its form.
  void SetPngWidth(int Value);
  int GetPngHeight() const { return GetHeight(); }
  void SetPngHeight(int Value);

  // A placeholder image at Index of the native list.
  void InsertPlaceholder(int Index);

 protected:
  // Draws item Index's picture in (X, Y, X + Width, Y + Height), faded to half
  // when disabled. An index outside the items raises EListError.
  void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) override;
  // A size read from the form re-created the native list: the placeholders come back.
  void Loaded() override;

 private:
  bool Loading() const { return GetComponentState().Contains(csLoading); }
  TOwned<TspPngImageItems> FPngImages;
};
