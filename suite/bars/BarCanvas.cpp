#include "suite/bars/BarCanvas.h"

#include "framework/Bitmap.h"
#include "framework/Colors.h"
#include "suite/bars/BarManager.h"
#include "suite/common/cxImageList.h"

TPersistent* TdxBarPersistent::GetOwner() const { return FBarManager; }

// ---- TdxBarCanvas

TdxBarCanvas::TdxBarCanvas() : TcxCanvas(nullptr), FOwnCanvas(TCanvas::Create()) { SetCanvas(FOwnCanvas.get()); }

TdxBarCanvas::~TdxBarCanvas() {
  while (!FStates.empty()) PopState();
  SetCanvas(nullptr);
}

void TdxBarCanvas::PushDC(HDC DC) {
  TState S{nullptr, nullptr, DC, 0};
  if (GetCanvas()->HandleAllocated()) {
    TcxCanvas::PushState();
    S.PreviousDC = GetCanvas()->GetHandle();
  }
  S.SavedDC = SaveDC(DC);
  FStates.push_back(S);
  AdoptDCObjects(DC);
  GetCanvas()->SetHandle(DC);
}

void TdxBarCanvas::PushCanvas(TCanvas* Canvas) {
  FStates.push_back(TState{GetCanvas(), nullptr, nullptr, 0});
  SetCanvas(Canvas);
  PushClipRegion();
  TcxCanvas::PushState();
}

void TdxBarCanvas::PopState() {
  if (FStates.empty()) return;
  TState S = FStates.back();
  FStates.pop_back();
  if (S.PreviousCanvas) {
    TcxCanvas::PopState();
    PopClipRegion();
    SetCanvas(S.PreviousCanvas);
    return;
  }
  GetCanvas()->SetHandle(S.PreviousDC);
  RestoreDC(S.DC, S.SavedDC);
  if (GetCanvas()->HandleAllocated()) TcxCanvas::PopState();
}

// ---- TdxBarBackgrounds

SONVELT_PUBLISHED(TdxBarBackgrounds, P) {
  P.Object("Bar", &TdxBarBackgrounds::GetBar);
  P.Object("SubMenu", &TdxBarBackgrounds::GetSubMenu);
}

TdxBarBackgrounds::TdxBarBackgrounds(TdxBarManager* ABarManager)
    : TdxBarPersistent(ABarManager), FBar(TBitmap::Create()), FSubMenu(TBitmap::Create()) {}

TdxBarBackgrounds::~TdxBarBackgrounds() = default;

void TdxBarBackgrounds::Assign(TPersistent* Source) {
  if (auto* B = dynamic_cast<TdxBarBackgrounds*>(Source)) {
    SetBar(B->GetBar());
    SetSubMenu(B->GetSubMenu());
    return;
  }
  TdxBarPersistent::Assign(Source);
}

void TdxBarBackgrounds::SetBar(TBitmap* Value) {
  bool WasEmpty = FBar->GetEmpty();
  FBar->Assign(Value);
  if ((Value || !WasEmpty) && GetBarManager()) GetBarManager()->StyleChanged();
}

void TdxBarBackgrounds::SetSubMenu(TBitmap* Value) { FSubMenu->Assign(Value); }

// ---- TdxBarImageOptions

SONVELT_PUBLISHED(TdxBarImageOptions, P) {
  P.Boolean("CacheGlyphs", &TdxBarImageOptions::GetCacheGlyphs, &TdxBarImageOptions::SetCacheGlyphs).Default(true);
  P.Component("DisabledImages", &TdxBarImageOptions::GetDisabledImages, &TdxBarImageOptions::SetDisabledImages);
  P.Component("DisabledLargeImages", &TdxBarImageOptions::GetDisabledLargeImages,
              &TdxBarImageOptions::SetDisabledLargeImages);
  P.Component("HotImages", &TdxBarImageOptions::GetHotImages, &TdxBarImageOptions::SetHotImages);
  P.Integer("ImageListBkColor", &TdxBarImageOptions::GetImageListBkColor, &TdxBarImageOptions::SetImageListBkColor)
      .Idents(ColorToIdent, IdentToColor)
      .Default(0xFF00FF);
  P.Component("Images", &TdxBarImageOptions::GetImages, &TdxBarImageOptions::SetImages);
  P.Component("LargeImages", &TdxBarImageOptions::GetLargeImages, &TdxBarImageOptions::SetLargeImages);
  P.Boolean("LargeIcons", &TdxBarImageOptions::GetLargeIcons, &TdxBarImageOptions::SetLargeIcons).Default(false);
  P.Boolean("MakeDisabledImagesFaded", &TdxBarImageOptions::GetMakeDisabledImagesFaded,
            &TdxBarImageOptions::SetMakeDisabledImagesFaded)
      .Default(false);
  P.Boolean("SmoothGlyphs", &TdxBarImageOptions::GetSmoothGlyphs, &TdxBarImageOptions::SetSmoothGlyphs)
      .Default(false);
  P.Boolean("StretchGlyphs", &TdxBarImageOptions::GetStretchGlyphs, &TdxBarImageOptions::SetStretchGlyphs)
      .Default(true);
  P.Boolean("UseLargeImagesForLargeIcons", &TdxBarImageOptions::GetUseLargeImagesForLargeIcons,
            &TdxBarImageOptions::SetUseLargeImagesForLargeIcons)
      .Default(false);
  P.Boolean("UseLeftBottomPixelAsTransparent", &TdxBarImageOptions::GetUseLeftBottomPixelAsTransparent,
            &TdxBarImageOptions::SetUseLeftBottomPixelAsTransparent)
      .Default(true);
}

TdxBarImageOptions::TdxBarImageOptions(TdxBarManager* ABarManager)
    : TdxBarPersistent(ABarManager),
      FImagesLink(TChangeLink::Create()),
      FLargeImagesLink(TChangeLink::Create()),
      FHotImagesLink(TChangeLink::Create()),
      FDisabledImagesLink(TChangeLink::Create()),
      FDisabledLargeImagesLink(TChangeLink::Create()),
      FFreeNotificator(TcxFreeNotificator::Create(nullptr)) {
  FFreeNotificator->OnFreeNotification = Bind(this, &TdxBarImageOptions::ImageListFreed);
  UpdateGlyphSize();
}

TdxBarImageOptions::~TdxBarImageOptions() {
  // Leave every list first, so none calls back into a half-destroyed object.
  for (TCustomImageList** Field : {&FDisabledImages, &FDisabledLargeImages, &FHotImages, &FLargeImages, &FImages}) {
    TChangeLink* Link = Field == &FDisabledImages        ? FDisabledImagesLink.get()
                        : Field == &FDisabledLargeImages ? FDisabledLargeImagesLink.get()
                        : Field == &FHotImages           ? FHotImagesLink.get()
                        : Field == &FLargeImages         ? FLargeImagesLink.get()
                                                         : FImagesLink.get();
    if (*Field) {
      (*Field)->UnRegisterChanges(Link);
      (*Field)->RemoveFreeNotification(FFreeNotificator.get());
      *Field = nullptr;
    }
  }
}

void TdxBarImageOptions::Assign(TPersistent* Source) {
  auto* O = dynamic_cast<TdxBarImageOptions*>(Source);
  if (!O) {
    TdxBarPersistent::Assign(Source);
    return;
  }
  SetDisabledImages(O->GetDisabledImages());
  SetDisabledLargeImages(O->GetDisabledLargeImages());
  SetHotImages(O->GetHotImages());
  SetImageListBkColor(O->GetImageListBkColor());
  SetImages(O->GetImages());
  SetLargeImages(O->GetLargeImages());
  SetLargeIcons(O->GetLargeIcons());
  SetMakeDisabledImagesFaded(O->GetMakeDisabledImagesFaded());
  FSmoothGlyphs = O->FSmoothGlyphs;
  FStretchGlyphs = O->FStretchGlyphs;
  SetUseLargeImagesForLargeIcons(O->GetUseLargeImagesForLargeIcons());
  SetUseLeftBottomPixelAsTransparent(O->GetUseLeftBottomPixelAsTransparent());
}

void TdxBarImageOptions::AttachList(TCustomImageList* Value, TCustomImageList*& Field, TChangeLink* ChangeLink) {
  AttachImageList(Value, Field, ChangeLink, FFreeNotificator.get());
}

void TdxBarImageOptions::SetDisabledImages(TCustomImageList* Value) {
  AttachList(Value, FDisabledImages, FDisabledImagesLink.get());
}
void TdxBarImageOptions::SetDisabledLargeImages(TCustomImageList* Value) {
  AttachList(Value, FDisabledLargeImages, FDisabledLargeImagesLink.get());
}
void TdxBarImageOptions::SetHotImages(TCustomImageList* Value) { AttachList(Value, FHotImages, FHotImagesLink.get()); }
void TdxBarImageOptions::SetImages(TCustomImageList* Value) { AttachList(Value, FImages, FImagesLink.get()); }

void TdxBarImageOptions::SetLargeImages(TCustomImageList* Value) {
  if (Value != FLargeImages) AttachList(Value, FLargeImages, FLargeImagesLink.get());
  if (FLargeIcons && FUseLargeImagesForLargeIcons) OnLargeIconsChanged();
}

void TdxBarImageOptions::SetImageListBkColor(TColor Value) {
  if (FImageListBkColor == Value) return;
  FImageListBkColor = Value;
  NotifyChanged();
}

void TdxBarImageOptions::SetLargeIcons(bool Value) {
  if (FLargeIcons == Value) return;
  FLargeIcons = Value;
  OnLargeIconsChanged();
}

void TdxBarImageOptions::SetMakeDisabledImagesFaded(bool Value) {
  if (FMakeDisabledImagesFaded == Value) return;
  FMakeDisabledImagesFaded = Value;
  NotifyChanged();
}

void TdxBarImageOptions::SetUseLargeImagesForLargeIcons(bool Value) {
  if (FUseLargeImagesForLargeIcons == Value) return;
  FUseLargeImagesForLargeIcons = Value;
  NotifyChanged();
}

void TdxBarImageOptions::SetUseLeftBottomPixelAsTransparent(bool Value) {
  if (FUseLeftBottomPixelAsTransparent == Value) return;
  FUseLeftBottomPixelAsTransparent = Value;
  NotifyChanged();
}

bool TdxBarImageOptions::IsLoading() const {
  for (TCustomImageList* L : {FDisabledImages, FDisabledLargeImages, FHotImages, FImages, FLargeImages})
    if (L && L->GetComponentState().Contains(csLoading)) return true;
  return false;
}

void TdxBarImageOptions::UpdateGlyphSize() {
  if (!FLargeIcons)
    FGlyphSize = 16;
  else
    FGlyphSize = UsesLargeImageList() ? FLargeImages->GetWidth() : 32;
}

void TdxBarImageOptions::ImageListFreed(TObject* Sender, TComponent* Component) {
  if (Component == FDisabledLargeImages) SetDisabledLargeImages(nullptr);
  if (Component == FDisabledImages) SetDisabledImages(nullptr);
  if (Component == FHotImages) SetHotImages(nullptr);
  if (Component == FImages) SetImages(nullptr);
  if (Component == FLargeImages) SetLargeImages(nullptr);
}
