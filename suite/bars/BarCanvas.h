// Three companions of the bar manager: the one canvas the bar windows, item
// controls and painters share (pointed at a DC or another canvas in a strictly
// nested stack), the manager's background bitmaps, and its image lists with the
// glyph options.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Canvas.h"
#include "framework/ImageList.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/FreeNotificator.h"
#include "suite/common/cxCanvas.h"

class TBitmap;

// A persistent whose owner (for name paths) is its manager.
class TdxBarPersistent : public TPersistent {
  SONVELT_CLASS(TdxBarPersistent, TPersistent)
public:
  using TCreateArg = TdxBarManager*;
  explicit TdxBarPersistent(TdxBarManager* ABarManager) : FBarManager(ABarManager) {}
  TdxBarManager* GetBarManager() const { return FBarManager; }
  TPersistent* GetOwner() const override;

private:
  TdxBarManager* FBarManager;
};

// PushDC and PushCanvas point the canvas at a DC or at another framework canvas;
// PopState undoes the innermost push. (The drawing-state stack of the base,
// TcxCanvas::PushState and PopState, is what these use inside.)
class TdxBarCanvas : public TcxCanvas {
  SONVELT_CLASS(TdxBarCanvas, TcxCanvas)
public:
  TdxBarCanvas();
  ~TdxBarCanvas() override;

  void PushDC(HDC DC);
  void PushCanvas(TCanvas* Canvas);
  // Nothing with an empty stack.
  void PopState();
  int StateCount() const { return static_cast<int>(FStates.size()); }

private:
  struct TState {
    TCanvas* PreviousCanvas;
    HDC PreviousDC;
    HDC DC;
    int SavedDC;
  };
  TOwned<TCanvas> FOwnCanvas;
  std::vector<TState> FStates;
};

class TdxBarBackgrounds : public TdxBarPersistent {
  SONVELT_CLASS(TdxBarBackgrounds, TdxBarPersistent)
public:
  explicit TdxBarBackgrounds(TdxBarManager* ABarManager);
  ~TdxBarBackgrounds() override;
  static void Publish(TPublisher<TdxBarBackgrounds>& P);
  void Assign(TPersistent* Source) override;

  TBitmap* GetBar() const { return FBar.get(); }
  // Takes a copy; the bars are restyled unless an empty bitmap stays empty.
  void SetBar(TBitmap* Value);
  TBitmap* GetSubMenu() const { return FSubMenu.get(); }
  void SetSubMenu(TBitmap* Value);

private:
  TOwned<TBitmap> FBar;
  TOwned<TBitmap> FSubMenu;
};

using TdxBarImageOptionsEvent = TDelegate<void()>;

class TdxBarImageOptions : public TdxBarPersistent {
  SONVELT_CLASS(TdxBarImageOptions, TdxBarPersistent)
public:
  explicit TdxBarImageOptions(TdxBarManager* ABarManager);
  ~TdxBarImageOptions() override;
  static void Publish(TPublisher<TdxBarImageOptions>& P);
  void Assign(TPersistent* Source) override;

  bool GetCacheGlyphs() const { return FCacheGlyphs; }
  void SetCacheGlyphs(bool Value) { FCacheGlyphs = Value; }
  TCustomImageList* GetDisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value);
  TCustomImageList* GetDisabledLargeImages() const { return FDisabledLargeImages; }
  void SetDisabledLargeImages(TCustomImageList* Value);
  TCustomImageList* GetHotImages() const { return FHotImages; }
  void SetHotImages(TCustomImageList* Value);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* GetLargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* Value);
  TColor GetImageListBkColor() const { return FImageListBkColor; }
  void SetImageListBkColor(TColor Value);
  bool GetLargeIcons() const { return FLargeIcons; }
  void SetLargeIcons(bool Value);
  bool GetMakeDisabledImagesFaded() const { return FMakeDisabledImagesFaded; }
  void SetMakeDisabledImagesFaded(bool Value);
  bool GetSmoothGlyphs() const { return FSmoothGlyphs; }
  void SetSmoothGlyphs(bool Value) { FSmoothGlyphs = Value; }
  bool GetStretchGlyphs() const { return FStretchGlyphs; }
  void SetStretchGlyphs(bool Value) { FStretchGlyphs = Value; }
  bool GetUseLargeImagesForLargeIcons() const { return FUseLargeImagesForLargeIcons; }
  void SetUseLargeImagesForLargeIcons(bool Value);
  bool GetUseLeftBottomPixelAsTransparent() const { return FUseLeftBottomPixelAsTransparent; }
  void SetUseLeftBottomPixelAsTransparent(bool Value);

  // Any of the five lists is assigned and still loading.
  bool IsLoading() const;
  bool UsesLargeImageList() const { return FUseLargeImagesForLargeIcons && FLargeImages; }
  int GetGlyphSize() const { return FGlyphSize; }
  void UpdateGlyphSize();

  // The change links of the five lists; the manager wires their OnChange.
  TChangeLink* ImagesChangeLink() const { return FImagesLink.get(); }
  TChangeLink* LargeImagesChangeLink() const { return FLargeImagesLink.get(); }
  TChangeLink* HotImagesChangeLink() const { return FHotImagesLink.get(); }
  TChangeLink* DisabledImagesChangeLink() const { return FDisabledImagesLink.get(); }
  TChangeLink* DisabledLargeImagesChangeLink() const { return FDisabledLargeImagesLink.get(); }

  TdxBarImageOptionsEvent OnChanged;
  TdxBarImageOptionsEvent OnLargeIconsChanged;

private:
  void ImageListFreed(TObject* Sender, TComponent* Component);
  void AttachList(TCustomImageList* Value, TCustomImageList*& Field, TChangeLink* ChangeLink);
  void NotifyChanged() { OnChanged(); }
  TCustomImageList* FDisabledImages = nullptr;
  TCustomImageList* FDisabledLargeImages = nullptr;
  TCustomImageList* FHotImages = nullptr;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FLargeImages = nullptr;
  TOwned<TChangeLink> FImagesLink, FLargeImagesLink, FHotImagesLink, FDisabledImagesLink, FDisabledLargeImagesLink;
  bool FCacheGlyphs = true;
  int FGlyphSize = 16;
  TColor FImageListBkColor = 0xFF00FF;
  bool FLargeIcons = false;
  bool FMakeDisabledImagesFaded = false;
  bool FSmoothGlyphs = false;
  bool FStretchGlyphs = true;
  bool FUseLargeImagesForLargeIcons = false;
  bool FUseLeftBottomPixelAsTransparent = true;
  TOwned<TcxFreeNotificator> FFreeNotificator;
};
