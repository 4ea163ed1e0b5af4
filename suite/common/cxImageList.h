// The suite's image list: a native list of 32-bit masked images mirrored by a
// collection of image infos that keep each image's own bitmap and mask. The
// collection is what the list stores in form data ("ImageInfo"), so 32-bit images
// with alpha keep it, and what drawing uses, so alpha images are drawn through the
// state-image painter. Every add, delete and assignment changes both together.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/Collections.h"
#include "framework/ImageList.h"
#include "framework/Published.h"
#include "framework/OwnedObject.h"
#include "suite/common/cxBitmap.h"

class TcxImageList;
class TReader;
class TWriter;

class TcxImageInfo : public TPersistent {
  SONVELT_CLASS(TcxImageInfo, TPersistent)
public:
  TcxImageInfo();
  ~TcxImageInfo() override;
  void Assign(TPersistent* Source) override;
  virtual void AssignImage(TBitmap* Bitmap);
  virtual void AssignMask(TBitmap* Bitmap);

  TcxCustomBitmap* GetImage() const { return FImage.get(); }
  TcxCustomBitmap* GetMask() const { return FMask.get(); }
  TColor GetMaskColor() const { return FMaskColor; }
  void SetMaskColor(TColor Value) { FMaskColor = Value; }

private:
  TOwned<TcxCustomBitmap> FImage, FMask;
  TColor FMaskColor = clNone;
};

class TcxImageInfoItem : public TCollectionItem {
  SONVELT_CLASS(TcxImageInfoItem, TCollectionItem)
public:
  // "Image" and "Mask" (their "Data"), "MaskColor" unless clNone.
  static void Publish(TPublisher<TcxImageInfoItem>& P);
  explicit TcxImageInfoItem(TCollection* Collection);
  ~TcxImageInfoItem() override;
  void Assign(TPersistent* Source) override;

  TcxImageInfo* GetImageInfo() const { return FImageInfo.get(); }
  TBitmap* GetImage() const { return FImageInfo->GetImage(); }
  void SetImage(TBitmap* Value) { FImageInfo->AssignImage(Value); }
  TBitmap* GetMask() const { return FImageInfo->GetMask(); }
  void SetMask(TBitmap* Value) { FImageInfo->AssignMask(Value); }
  TColor GetMaskColor() const { return FImageInfo->GetMaskColor(); }
  void SetMaskColor(TColor Value) { FImageInfo->SetMaskColor(Value); }
  bool IsMaskColorStored() const { return GetMaskColor() != clNone; }

private:
  TOwned<TcxImageInfo> FImageInfo;
};

class TcxImageInfoCollection : public TOwnedCollection {
  SONVELT_CLASS(TcxImageInfoCollection, TOwnedCollection)
public:
  explicit TcxImageInfoCollection(TcxImageList* AOwner);
  TcxImageInfoItem* AddInfo(TBitmap* Image, TBitmap* Mask, TColor MaskColor);
  void DeleteAt(int Index);
  TcxImageInfoItem* At(int Index) const { return static_cast<TcxImageInfoItem*>(GetItem(Index)); }
  bool GetCompressData() const { return FCompressData; }
  void SetCompressDataFlag(bool Value);

private:
  bool FCompressData = false;
};

class TcxImageList : public TDragImageList {
  SONVELT_CLASS(TcxImageList, TDragImageList)
public:
  static void Publish(TPublisher<TcxImageList>& P);
  explicit TcxImageList(TComponent* AOwner);
  TcxImageList(int AWidth, int AHeight);
  ~TcxImageList() override;

  void Assign(TPersistent* Source) override;

  // The new image's index, -1 when the native list took nothing.
  int AddImage(TBitmap* Image, TBitmap* Mask);
  int AddImageMasked(TBitmap* Image, TColor MaskColor);
  // -1 deletes every image.
  void DeleteImage(int Index);
  void ClearImages() { DeleteImage(-1); }
  void BeginUpdate() { ++FLockCount; }
  void EndUpdate(bool ForceChange = true);

  // Copies of image Index's own bitmaps (either may be null); nothing out of range.
  void GetImage(int Index, TBitmap* Image, TBitmap* Mask);
  void GetImageInfoAt(int Index, TcxImageInfo* ImageInfo);
  // Image Index of a native list (-1: the list's whole bitmaps) into Image and Mask.
  static void ImageInfoAt(HIMAGELIST Handle, int Index, TBitmap* Image, TBitmap* Mask);
  // Bits per pixel of a native list's images; 0 when it cannot tell.
  static int ImagePixelFormat(HIMAGELIST Handle);
  void DrawImageInRect(int Index, TCanvas* Canvas, const RECT& Rect, UINT Style, bool WholeRect, bool Stretch,
                       bool Enabled);
  void AppendImageInfo(TcxImageInfo* ImageInfo);

  bool GetCompressData() const { return FImageInfo->GetCompressData(); }
  void SetCompressData(bool Value) { FImageInfo->SetCompressDataFlag(Value); }
  TcxImageInfoCollection* GetImageInfo() const { return FImageInfo.get(); }
  int GetFormatVersion() const { return FFormatVersion; }

protected:
  void Initialize() override;
  void Change() override;
  void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) override;
  void DefineProperties(TFiler* Filer) override;

private:
  void AddImageInfoItems(TBitmap* Image, TBitmap* Mask, TColor MaskColor);
  void RebuildNativeList();
  void RebuildImageInfo();
  void CopyImagesFrom(TcxImageList* Source);
  void CopyNativeImagesFrom(TCustomImageList* Source);
  void ReadFormatVersion(TReader* Reader);
  void WriteFormatVersion(TWriter* Writer);
  void ReadDesignInfo(TReader* Reader);
  void WriteDesignInfo(TWriter* Writer);
  void ReadImageInfo(TReader* Reader);
  void WriteImageInfo(TWriter* Writer);
  void ReadOldBitmap(TStream* Stream);

  int FFormatVersion = 0;
  TOwned<TcxImageInfoCollection> FImageInfo;
  int FLockCount = 0;
  bool FRebuilding = false;
};

// Form data, after the published properties: "FormatVersion" (1), "DesignInfo"
// (the design position in place of Left and Top), "ImageInfo" (the collection
// with every image's own bitmaps); an older stream's "Bitmap" (a whole native
// list) is still read.

// Points Field at Value, moving ChangeLink's registration and Notifier's free
// notification from the old list to the new one; the link is told in any case.
void AttachImageList(TCustomImageList* Value, TCustomImageList*& Field, TChangeLink* ChangeLink,
                     TComponent* Notifier);
bool IsImageIndexValid(TCustomImageList* Images, int Index);
// Same count and the same native list data.
bool ImageListsEqual(TCustomImageList* A, TCustomImageList* B);
