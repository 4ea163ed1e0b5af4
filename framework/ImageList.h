// Image lists over the common-controls image list: equal-sized images kept in
// one native list, drawn normally, masked, blended or disabled (embossed in the
// button highlight and shadow colours).
//
// Initialize runs after construction and again whenever Width or Height change
// (which empties the list); a descendant that creates its native list its own
// way overrides it and calls SetHandle. Every change is announced through
// OnChange and the registered change links, held back while updating.
#pragma once

#include <windows.h>
// The common controls need the Windows types first, and the COM stream type for
// the image-list stream calls.
#include <objbase.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/Delegate.h"

class TBitmap;
class TCanvas;
class TCustomImageList;
class TIcon;
class TStream;

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };
enum TColorDepth { cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };

// Tells one user of an image list of its changes; unregisters itself when freed.
class TChangeLink : public TObject {
  SONVELT_CLASS(TChangeLink, TObject)
public:
  TChangeLink() = default;
  ~TChangeLink() override;
  TCustomImageList* GetSender() const { return FSender; }
  void SetSender(TCustomImageList* Value) { FSender = Value; }
  virtual void Change();

  TNotifyEvent OnChange;

private:
  TCustomImageList* FSender = nullptr;
};

class TCustomImageList : public TComponent {
  SONVELT_CLASS(TCustomImageList, TComponent)
public:
  explicit TCustomImageList(TComponent* AOwner);
  TCustomImageList(int AWidth, int AHeight);
  ~TCustomImageList() override;

  void AfterConstruction() override;
  void Assign(TPersistent* Source) override;

  HIMAGELIST GetHandle();
  // Adopts a native list; its image size becomes the list's.
  void SetHandle(HIMAGELIST Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  int GetWidth() const { return FWidth; }
  void SetWidth(int Value);
  int GetHeight() const { return FHeight; }
  void SetHeight(int Value);
  int GetAllocBy() const { return FAllocBy; }
  void SetAllocBy(int Value) { FAllocBy = Value; }
  int GetCount();
  TColor GetBkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  TColor GetBlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor Value);
  TDrawingStyle GetDrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle Value);
  TImageType GetImageType() const { return FImageType; }
  void SetImageType(TImageType Value);
  bool GetMasked() const { return FMasked; }
  void SetMasked(bool Value);
  TColorDepth GetColorDepth() const { return FColorDepth; }
  void SetColorDepth(TColorDepth Value);
  // A shared native list is not destroyed with the image list.
  bool GetShareImages() const { return FShareImages; }
  void SetShareImages(bool Value) { FShareImages = Value; }

  // Each adds one image per Width x Height tile of the bitmap, row by row;
  // the result is the first new index, -1 when nothing was added.
  int Add(TBitmap* Image, TBitmap* Mask);
  // Pixels of MaskColor become transparent; clNone adds without a mask.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(TIcon* Image);
  void AddImages(TCustomImageList* Value);
  void Insert(int Index, TBitmap* Image, TBitmap* Mask);
  void InsertMasked(int Index, TBitmap* Image, TColor MaskColor);
  void InsertIcon(int Index, TIcon* Image);
  void Replace(int Index, TBitmap* Image, TBitmap* Mask);
  void ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor);
  void ReplaceIcon(int Index, TIcon* Image);
  // -1 deletes every image.
  void Delete(int Index);
  void Clear() { Delete(-1); }
  void Move(int CurIndex, int NewIndex);

  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
            bool Enabled = true);
  // Image Index drawn on a Width x Height bitmap (white where transparent).
  void GetBitmap(int Index, TBitmap* Image);
  void GetIcon(int Index, TIcon* Image);
  HBITMAP GetImageBitmap();
  HBITMAP GetMaskBitmap();

  // The whole native list in the system's image-list stream format (the form
  // data of an image list's "Bitmap" property).
  std::vector<std::uint8_t> SaveToBytes();
  // Replaces the images by the list in Data; broken data raises
  // EInvalidOperation and keeps the images.
  void LoadFromBytes(const std::uint8_t* Data, std::size_t Size);
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);

  TNotifyEvent OnChange;

protected:
  virtual void Initialize();
  virtual void Change();
  // Draws one image; Style is the ILD_ drawing flags. Every Draw comes here.
  virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled);
  void CheckIndex(int Index, int Count);

private:
  void FreeHandle();
  void Recreate();
  // Adds an image at the end, then moves it to Index.
  void InsertWith(int Index, const std::function<int()>& AddImage);
  UINT CreateFlags() const;

  HIMAGELIST FHandle = nullptr;
  int FWidth = 16;
  int FHeight = 16;
  int FAllocBy = 4;
  TColor FBkColor = clNone;
  TColor FBlendColor = clNone;
  TDrawingStyle FDrawingStyle = dsNormal;
  TImageType FImageType = itImage;
  bool FMasked = true;
  TColorDepth FColorDepth = cdDeviceDependent;
  bool FShareImages = false;
  int FUpdateCount = 0;
  bool FChanged = false;
  std::vector<TChangeLink*> FClients;
};

class TImageList : public TCustomImageList {
  SONVELT_CLASS(TImageList, TCustomImageList)
public:
  using TCustomImageList::TCustomImageList;
};

// An image list that can show one of its images under the mouse while dragging.
class TDragImageList : public TCustomImageList {
  SONVELT_CLASS(TDragImageList, TCustomImageList)
public:
  using TCustomImageList::TCustomImageList;

  // Chooses the image shown while dragging and its hot spot.
  bool SetDragImage(int Index, int HotSpotX, int HotSpotY);
  // Starts showing the drag image over Window (client coordinates).
  bool BeginDrag(HWND Window, int X, int Y);
  bool DragMove(int X, int Y);
  bool DragLock(HWND Window, int XPos, int YPos);
  void DragUnlock();
  void EndDrag();
  void HideDragImage();
  void ShowDragImage();
  bool GetDragging() const { return FDragging; }
  POINT GetDragHotspot() const { return FDragHotspot; }

private:
  int FDragIndex = 0;
  POINT FDragHotspot{0, 0};
  bool FDragging = false;
  HWND FDragWindow = nullptr;
};
