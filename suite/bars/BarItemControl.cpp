#include "suite/bars/BarItemControl.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/SuiteException.h"
#include "suite/common/cxBitmap.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/common/cxImageDrawing.h"

// ---- TdxBarItemControlDrawParams

void TdxBarItemControlDrawParams::SetViewSize(int Value) {
  if (FViewSize == Value) return;
  FViewSize = Value;
  if (Control) Control->InvalidateGlyphCache(false);
}

// ---- TdxCachedImageOptions

TdxCachedImageOptions::TdxCachedImageOptions() : FBitmap(TcxBitmap::Create(0, 0, pf32bit)) {}

TdxCachedImageOptions::~TdxCachedImageOptions() = default;

bool TdxCachedImageOptions::IsValidFor(int DrawMode, TBitmap* Glyph, TCustomImageList* ImageList) const {
  if (!FValid || FDrawMode != DrawMode || FBitmap->GetEmpty()) return false;
  return Glyph ? FGlyph == Glyph : FImageList == ImageList && !FGlyph;
}

void TdxCachedImageOptions::Render(HDC DC, const RECT& R, TBitmap* Glyph, int ImageIndex, TCustomImageList* ImageList,
                                   int DrawMode, HBRUSH Brush, TColor TransparentColor,
                                   bool UseLeftBottomPixelAsTransparent) {
  (void)DC, (void)Brush;
  int W = R.right - R.left, H = R.bottom - R.top;
  FValid = false;
  if (W <= 0 || H <= 0) return;
  // A shadowed glyph reaches one pixel past the rectangle on every side, so the
  // cache holds a one-pixel margin around it.
  const int M = CacheMargin;
  // The glyph is drawn once over black and once over white; the two give its
  // colours and how opaque every pixel is, so the cache blends over any background.
  TcxBitmap* OnBlack = TcxBitmap::Create(W + 2 * M, H + 2 * M, pf32bit);
  TcxBitmap* OnWhite = TcxBitmap::Create(W + 2 * M, H + 2 * M, pf32bit);
  try {
    RECT All{0, 0, W + 2 * M, H + 2 * M}, Image{M, M, M + W, M + H};
    FillRect(OnWhite->GetCanvas()->GetHandle(), &All, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(OnBlack->GetCanvas()->GetHandle(), &All, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    for (TcxBitmap* B : {OnBlack, OnWhite})
      PaintImageWithState(B->GetCanvas()->GetHandle(), Image, All, Glyph, ImageList, ImageIndex,
                          static_cast<TcxStateImageMode>(DrawMode), false, nullptr, TransparentColor,
                          UseLeftBottomPixelAsTransparent);
    TcxPixels Black = OnBlack->ReadPixels(), White = OnWhite->ReadPixels(), Result(Black.size());
    for (size_t I = 0; I < Black.size(); ++I) {
      auto Channel = [](std::uint32_t P, int Shift) { return static_cast<int>((P >> Shift) & 0xFF); };
      int Alpha = 255 - (Channel(White[I], 16) - Channel(Black[I], 16));
      Alpha = std::clamp(Alpha, 0, 255);
      // Over black the pixel is already the colour times its opacity.
      Result[I] = (static_cast<std::uint32_t>(Alpha) << 24) | (Black[I] & 0x00FFFFFF);
    }
    FBitmap->SetSize(W + 2 * M, H + 2 * M);
    FBitmap->WritePixels(Result);
  } catch (...) {
    Free(OnBlack);
    Free(OnWhite);
    throw;
  }
  Free(OnBlack);
  Free(OnWhite);
  FDrawMode = DrawMode;
  FImageList = ImageList;
  FGlyph = Glyph;
  FValid = true;
}

void TdxCachedImageOptions::Draw(HDC DC, const RECT& R, const RECT& Bounds) const {
  if (!FValid) return;
  RECT Picture{R.left - CacheMargin, R.top - CacheMargin, 0, 0};
  Picture.right = Picture.left + FBitmap->GetWidth();
  Picture.bottom = Picture.top + FBitmap->GetHeight();
  RECT Shown;
  if (!IntersectRect(&Shown, &Picture, &Bounds)) return;
  BLENDFUNCTION Blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  int W = Shown.right - Shown.left, H = Shown.bottom - Shown.top;
  GdiAlphaBlend(DC, Shown.left, Shown.top, W, H, FBitmap->GetCanvas()->GetHandle(), Shown.left - Picture.left,
                Shown.top - Picture.top, W, H, Blend);
}

// ---- TdxBarItemControlViewInfo

TdxBarItemControlViewInfo::TdxBarItemControlViewInfo(TdxBarItemControl* AControl) : FControl(AControl) {
  FAllowedViewLevels = AControl->PermittedViewLevels();
  FMinPossibleViewLevel =
      static_cast<TdxBarItemViewLevel>(HighestViewLevel(AControl->CheckedPossibleViewLevels()));
  int ForGroup = HighestViewLevel(FAllowedViewLevels);
  FViewLevelForButtonGroup =
      ForGroup == ivlLargeIconWithText ? FMinPossibleViewLevel : static_cast<TdxBarItemViewLevel>(ForGroup);
  ClearWidthCache();
  if (TCustomdxBarControl* Parent = AControl->GetParent()) Parent->GetViewInfo()->AddItemControlViewInfo(this);
}

TdxBarItemControlViewInfo::~TdxBarItemControlViewInfo() {
  TCustomdxBarControl* Parent = FControl->GetParent();
  if (Parent && !Parent->IsBeingDestroyed()) Parent->GetViewInfo()->RemoveItemControlViewInfo(this);
}

TdxBarItemAlign TdxBarItemControlViewInfo::GetAlign() const { return ItemAlignOf(FControl->LinkedItem()); }

bool TdxBarItemControlViewInfo::GetDistributed() const { return false; }

TdxBarItemPosition TdxBarItemControlViewInfo::GetPosition() const {
  TdxBarItemLink* Link = FControl->GetItemLink();
  return Link ? Link->GetPosition() : ipBeginsNewRow;
}

bool TdxBarItemControlViewInfo::GetBeginGroup() const {
  TdxBarItemLink* Link = FControl->GetItemLink();
  return Link && Link->GetBeginGroup();
}

TdxBarButtonGroupPosition TdxBarItemControlViewInfo::GetButtonGroupPosition() const {
  TdxBarItemLink* Link = FControl->GetItemLink();
  return Link && FControl->AllowsButtonGroup() ? Link->GetButtonGroup() : bgpNone;
}

int TdxBarItemControlViewInfo::WidthForViewLevel(TdxBarItemViewLevel Level) {
  if (Level > ivlControlOnly || !FAllowedViewLevels.Contains(Level))
    throw EdxException("Testing! The level is not allowed");
  TWidthCacheEntry& Entry = FWidthCache[Level];
  if (!Entry.Valid) {
    Entry.Width = FControl->CalcWidthForViewLevel(Level);
    Entry.Valid = true;
  }
  return Entry.Width;
}

void TdxBarItemControlViewInfo::ClearWidthCache() {
  for (TWidthCacheEntry& Entry : FWidthCache) Entry = TWidthCacheEntry{};
}

// ---- TdxBarItemControl: life

TdxBarItemControl::TdxBarItemControl(TdxBarItemLink* ALink)
    : FCachedImageOptions(TdxCachedImageOptions::Create()), FItemLink(ALink) {
  FParent = ALink ? ALink->GetBarControl() : nullptr;
}

void TdxBarItemControl::AfterConstruction() {
  TcxIUnknownObject::AfterConstruction();
  FDrawParams.reset(DrawParamsClass().Create(this));
  FViewInfo.reset(ViewInfoClass().Create(this));
  UpdateCachedValues();
  FHotPartIndex = -1;
  UpdateDrawParams(true);
  if (FParent) FViewInfo->SetViewLevel(static_cast<TdxBarItemViewLevel>(FParent->InitialViewLevel(this)));
}

void TdxBarItemControl::BeforeDestruction() {
  // The navigation controller may still point at the helper.
  if (FAccessibilityHelper) FAccessibilityHelper->NoteOwnerDestroyed();
  FAccessibilityHelper.reset();
  if (TdxFader* F = Fader()) F->StopFading(this, true);
  TdxBarManager* M = LinkManager();
  if (M && M->GetSelectedItemControl() == this) M->StoreSelectedItemControl(nullptr);
  if (FParent && M && !M->IsDestroying() && FParent->SelectedItemControl() == this &&
      !M->IsCustomizingOrDesigning()) {
    if (!FItemLink || FItemLink->ShownIndex() == -1)
      FParent->SetSelectedLink(nullptr);
    else
      FParent->ChangeSelectedControl(nullptr);
  }
  TcxIUnknownObject::BeforeDestruction();
}

TdxBarItemControl::~TdxBarItemControl() {
  FreeGDIHandle(reinterpret_cast<HGDIOBJ&>(FStyleBrush));
  ClearLinksToObject(this);
  FViewInfo.reset();
  FCachedImageOptions.reset();
  FDrawParams.reset();
}

// ---- accessors

TdxBarItem* TdxBarItemControl::LinkedItem() const { return FItemLink ? FItemLink->GetItem() : nullptr; }

TdxBarManager* TdxBarItemControl::LinkManager() const { return FItemLink ? FItemLink->GetBarManager() : nullptr; }

TdxBarManager* TdxBarItemControl::ItemManager() const {
  TdxBarItem* Item = LinkedItem();
  return Item ? Item->GetBarManager() : nullptr;
}

TdxBarSubMenuControl* TdxBarItemControl::SubMenuParent() const { return dynamic_cast<TdxBarSubMenuControl*>(FParent); }

TdxBarPainter* TdxBarItemControl::GetPainter() const { return FParent ? FParent->GetPainter() : nullptr; }

void TdxBarItemControl::ItemBounds(RECT& R) const { R = ItemBounds(); }

RECT TdxBarItemControl::ItemBounds() const { return FItemLink ? FItemLink->GetItemRect() : RECT{0, 0, 0, 0}; }

TcxCanvas* TdxBarItemControl::PaintCanvas() const {
  if (FActiveCanvas) return FActiveCanvas;
  if (FParent && FParent->HandleAllocated()) return FParent->GetPaintCanvas();
  // Before its window exists a control measures on the screen in the window's font.
  TcxCanvas* Screen = SharedScreenCanvas();
  if (FParent && FParent->ItemFont()) Screen->AssignFontObject(FParent->ItemFont());
  return Screen;
}

HBRUSH TdxBarItemControl::BackgroundBrush() const {
  if (FStyleBrush) return FStyleBrush;
  return FParent ? FParent->BackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH TdxBarItemControl::ExchangeStyleBrush(HBRUSH Brush) {
  HBRUSH Old = FStyleBrush;
  FStyleBrush = Brush;
  return Old;
}

int TdxBarItemControl::PartAtPoint(POINT P) const {
  RECT R = ItemBounds();
  if (!PtInRect(&R, P)) return -1;
  for (size_t I = 0; I < FPartRects.size(); ++I)
    if (PtInRect(&FPartRects[I], P)) return static_cast<int>(I);
  return 100;
}

RECT TdxBarItemControl::PartRect(int Index) const {
  return Index >= 0 && Index < static_cast<int>(FPartRects.size()) ? FPartRects[static_cast<size_t>(Index)]
                                                                   : RECT{0, 0, 0, 0};
}

void TdxBarItemControl::SetPressed(bool Value) {
  if (FPressed == Value) return;
  FPressed = Value;
  PressedChanged();
}

// ---- fading and hints

void TdxBarItemControl::BuildFadeImages(TBitmap*& FadeOutBitmap, TBitmap*& FadeInBitmap, int& FadeInFrames,
                                        int& FadeInDelay, int& FadeOutFrames, int& FadeOutDelay) {
  (void)FadeOutBitmap, (void)FadeInBitmap, (void)FadeInFrames, (void)FadeInDelay, (void)FadeOutFrames,
      (void)FadeOutDelay;
}

TdxFader* TdxBarItemControl::Fader() const { return FParent ? FParent->Fader() : nullptr; }

bool TdxBarItemControl::FadingAvailable() const {
  TdxBarPainter* P = GetPainter();
  return Fader() && P && P->SupportsFadingInterface();
}

bool TdxBarItemControl::GetHintInfo(bool& Cancelled, std::string& HintText, std::string& ShortCutText) {
  Cancelled = false;
  HintText.clear();
  ShortCutText.clear();
  if (!FParent || FParent->IsActive() || !FParent->HandleAllocated()) return false;
  POINT Cursor;
  GetCursorPos(&Cursor);
  if (FParent->ItemControlAtPos(FParent->ScreenPointToClient(Cursor)) != this) return false;
  std::string Hint = ControlHintText();
  HintText = Hint.substr(0, Hint.find('|'));
  ShortCutText = ShortCutCaptionSuffix(ShortCut());
  return true;
}

bool TdxBarItemControl::IsEnabled() const {
  TdxBarItem* Item = LinkedItem();
  return Item && Item->GetEnabled();
}

// ---- notifications

void TdxBarItemControl::BeginGroupChanged() {
  if (FParent) FParent->Rebuild();
}

void TdxBarItemControl::CaptionChanged() {
  if (ActualAlign() == iaClient && FParent && (FParent->BehaviorFlags() & 0x10))
    Repaint();
  else if (FParent)
    FParent->Rebuild();
}

void TdxBarItemControl::EnabledChanged() {
  if (FParent) {
    FParent->RetrackMouse();
    if (!IsEnabled() && FParent->SelectedItemControl() == this) FParent->SetSelectedLink(nullptr);
  }
  Repaint();
}

void TdxBarItemControl::GlyphChanged() {
  bool Rebuild = !(PermittedViewLevels() == FViewInfo->GetAllowedViewLevels()) ||
                 (CalcViewStructure() & vsGlyph) != (FDrawParams->ViewStructure & vsGlyph);
  if (Rebuild && FParent)
    FParent->Rebuild();
  else
    Repaint();
}

void TdxBarItemControl::LargeGlyphChanged() {
  if (FDrawParams->GetViewSize() == 0) return;
  if (PaintType() == 1)
    Repaint();
  else if (FParent)
    FParent->Rebuild();
}

void TdxBarItemControl::Recalc() {
  RefreshDrawParams();
  Repaint();
}

void TdxBarItemControl::PressedChanged() {
  if (!FPressed) Repaint();
}

void TdxBarItemControl::VisibleChanged() {
  if (FParent) FParent->Rebuild();
}

void TdxBarItemControl::WidthChanged() {
  if (dynamic_cast<TdxBarControl*>(FParent)) FParent->Rebuild();
}

// ---- behaviour

bool TdxBarItemControl::IsOwnItem() const {
  TdxBarItem* Item = LinkedItem();
  return Item && Item->GetBarManager() == LinkManager();
}

bool TdxBarItemControl::CanSelect() const { return !IsForeignWhileCustomizing(); }

void TdxBarItemControl::TrackHotPart(POINT P) {
  if (!IsEnabled()) {
    FHotPartIndex = -1;
    return;
  }
  int Part = PartAtPoint(P);
  if (Part == FHotPartIndex) return;
  int Old = FHotPartIndex;
  FHotPartIndex = Part;
  if (CanFadeNow()) {
    if (Old == -1)
      Fader()->FadeIn(this);
    else if (Part == -1)
      Fader()->FadeOut(this);
  }
  Repaint();
}

void TdxBarItemControl::Click(bool ByMouse, char Key) {
  if (!IsEnabled()) return;
  TCustomdxBarControl* Parent = FParent;
  TcxObjectLinkGuard Alive(this);
  ClickControl(ByMouse, Key);
  // The click may have freed this control or its window (a handler that rebuilds
  // the bars): only a control its live window still shows goes on.
  if (!Alive.Alive() || !IsBarControlAlive(Parent)) return;
  TdxBarItemLinks* Links = Parent->GetItemLinks();
  bool Owned = false;
  for (int I = 0; Links && I < Links->GetCount() && !Owned; ++I) Owned = Links->GetLink(I)->GetControl() == this;
  if (Owned) ExecuteClick(ByMouse);
}

void TdxBarItemControl::ControlActivate(bool Immediately, bool ByMouse) {
  (void)Immediately, (void)ByMouse;
  FActive = true;
}

void TdxBarItemControl::ControlInactivate(bool Immediately, bool ByMouse) {
  (void)Immediately, (void)ByMouse;
  FActive = false;
}

void TdxBarItemControl::ClickControl(bool ByMouse, char Key) { (void)ByMouse, (void)Key; }

void TdxBarItemControl::ExecuteClick(bool ByMouse) {
  (void)ByMouse;
  TCustomdxBarControl* Parent = FParent;
  if (dynamic_cast<TdxBarButtonControl*>(this) && Parent && Parent->Kind() == bwkSubMenu) PlayMenuSound(1);
  // An entry copied into a container's menu or a mark popup stands for the link it
  // was copied from: that link lives on once the menu closes and frees the copy.
  TdxBarItemLink* Own = FItemLink;
  TdxBarItemLink* Source = Own ? Own->GetSourceLink() : nullptr;
  TdxBarItem* Item = LinkedItem();
  bool Clickable = IsClickable(), Closes = ClosesMenusOnClick();
  if (Closes) {
    // A failure to note the use must not stop the click.
    try {
      if (Source) Source->RegisterUse(true);
      if (Own && Own != Source) Own->RegisterUse(true);
    } catch (...) {
    }
  }
  TcxObjectLinkGuard Self(this);
  bool Unclick = UnclickNeeded() && (!Closes || ParentStaysOpen());
  if (Unclick) SetPressed(true);
  if (Closes && Parent) Parent->CloseBar();
  if (Clickable && Item) {
    TcxObjectLinkGuard ItemAlive(Item);
    SetItemClickLink(Item, Source);
    Item->DoClick();
    if (ItemAlive.Alive()) SetItemClickLink(Item, nullptr);
  }
  if (Unclick && Self.Alive()) SetPressed(false);
}

void TdxBarItemControl::ActiveBarMouseDown(bool WasSelected, bool& Handled) {
  (void)WasSelected, (void)Handled;
  if (!FParent) return;
  FParent->SetPressed(false);
  FParent->SelectItemControl(this);
}

TdxBarAccessibilityHelper* TdxBarItemControl::GetIAccessibilityHelper() {
  if (!FAccessibilityHelper)
    FAccessibilityHelper.reset(TdxBarAccessibilityHelperClass(AccessibilityHelperClass()).Create(this));
  return FAccessibilityHelper.get();
}

// ---- view levels, structure and glyph sources

TdxBarItemViewLevels TdxBarItemControl::PossibleViewLevels() const {
  TdxBarItemViewLevels Levels{ivlSmallIconWithText};
  if (HasImage(0)) Levels.Include(ivlSmallIcon);
  return Levels;
}

TdxBarItemViewLevels TdxBarItemControl::CheckedPossibleViewLevels() const {
  TdxBarItemViewLevels Levels = PossibleViewLevels();
  if (Levels.Empty()) throw EdxException(ClassName() + ".GetPossibleViewLevels = []");
  return Levels;
}

TdxBarItemViewLevels TdxBarItemControl::PermittedViewLevels() const {
  TdxBarItemViewLevels Possible = CheckedPossibleViewLevels();
  TdxBarItemViewLevels Both = FItemLink ? Possible * FItemLink->GetViewLevels() : Possible;
  return Both.Empty() ? Possible : Both;
}

int TdxBarItemControl::CalcViewSize() const {
  switch (FViewInfo ? FViewInfo->GetViewLevel() : ivlDefault) {
    case ivlLargeIconWithText: return 2;
    case ivlSmallIconWithText:
    case ivlSmallIcon: return 0;
    default: return DefaultViewSize();
  }
}

int TdxBarItemControl::DefaultViewSize() const {
  if (MenuItemSize() == misLarge) return 2;
  return UsesLargeIcons() ? 1 : 0;
}

int TdxBarItemControl::CalcViewStructure() const {
  switch (FViewInfo ? FViewInfo->GetViewLevel() : ivlDefault) {
    case ivlLargeIconWithText:
    case ivlSmallIconWithText: return vsCaption | (HasImage(CalcViewSize()) ? vsGlyph : 0);
    case ivlSmallIcon: return HasImage(CalcViewSize()) ? vsGlyph : 0;
    case ivlControlOnly: return 0;
    default: return GetPaintStyleParts();
  }
}

int TdxBarItemControl::PaintType() const { return FParent ? FParent->PaintType() : 0; }

bool TdxBarItemControl::UsesLargeIcons() const {
  TdxBarManager* M = LinkManager();
  TdxBarPainter* P = GetPainter();
  return M && M->GetLargeIcons() && P && P->SupportsLargeIcons();
}

bool TdxBarItemControl::UsesLargeImages(int ViewSize) const {
  if (ViewSize == 2) return true;
  TdxBarManager* M = LinkManager();
  return PaintType() != 1 && UsesLargeIcons() && M && M->GetUseLargeImagesForLargeIcons();
}

bool TdxBarItemControl::HasLargeGlyphFor(int ViewSize) const {
  TBitmap* Large = LargeGlyph();
  return Large && !Large->GetEmpty() && UsesLargeImages(ViewSize);
}

bool TdxBarItemControl::HasLargeImageFor(int ViewSize) const {
  return UsesLargeImages(ViewSize) && ItemIsImageInList(LargeImages(), LargeImageIndex());
}

std::string TdxBarItemControl::LinkCaption() const { return FItemLink ? FItemLink->GetEffectiveCaption() : std::string(); }

TBitmap* TdxBarItemControl::Glyph() const { return FItemLink ? FItemLink->GetEffectiveGlyph() : nullptr; }

int TdxBarItemControl::ImageIndex() const {
  TdxBarItem* Item = LinkedItem();
  return Item ? Item->GetImageIndex() : -1;
}

TBitmap* TdxBarItemControl::LargeGlyph() const { return ItemLargeGlyphOf(LinkedItem()); }

int TdxBarItemControl::LargeImageIndex() const {
  TdxBarItem* Item = LinkedItem();
  return Item ? Item->GetLargeImageIndex() : -1;
}

TCustomImageList* TdxBarItemControl::Images() const {
  TdxBarManager* M = LinkManager();
  if (!M) return nullptr;
  if (!IsEnabled() && M->GetDisabledImages()) return M->GetDisabledImages();
  return M->GetImages();
}

TCustomImageList* TdxBarItemControl::LargeImages() const {
  TdxBarManager* M = LinkManager();
  if (!M) return nullptr;
  if (!IsEnabled() && M->GetDisabledLargeImages()) return M->GetDisabledLargeImages();
  return M->GetLargeImages();
}

TCustomImageList* TdxBarItemControl::HotImages() const {
  TdxBarManager* M = LinkManager();
  return M ? M->GetHotImages() : nullptr;
}

TCustomImageList* TdxBarItemControl::ImagesFor(int ViewSize) const {
  return HasLargeImageFor(ViewSize) ? LargeImages() : Images();
}

int TdxBarItemControl::ImageIndexFor(int ViewSize) const {
  if (UsesLargeImages(ViewSize) && LargeImages() && LargeImageIndex() != -1) return LargeImageIndex();
  return ImageIndex();
}

TdxBarPaintStyle TdxBarItemControl::EffectivePaintStyle() const {
  return FItemLink ? FItemLink->GetEffectivePaintStyle() : psStandard;
}

std::string TdxBarItemControl::ControlHintText() const {
  TdxBarItem* Item = LinkedItem();
  return Item ? Item->GetHint() : std::string();
}

bool TdxBarItemControl::FindGlyphSource(int ViewSize, bool State, int& Index, TCustomImageList*& ImageList,
                                        TBitmap*& GlyphBitmap) const {
  (void)State;
  ImageList = ImagesFor(ViewSize);
  Index = ImageIndexFor(ViewSize);
  GlyphBitmap = HasLargeGlyphFor(ViewSize) ? LargeGlyph() : HasLargeImageFor(ViewSize) ? nullptr : Glyph();
  if (GlyphBitmap && GlyphBitmap->GetEmpty()) GlyphBitmap = nullptr;
  if (GlyphBitmap || ItemIsImageInList(ImageList, Index)) return true;
  TBitmap* Default = FParent ? FParent->DefaultGlyph() : nullptr;
  ImageList = nullptr;
  Index = -1;
  GlyphBitmap = Default && !Default->GetEmpty() ? Default : nullptr;
  return GlyphBitmap != nullptr;
}

bool TdxBarItemControl::HasImage(int ViewSize) const {
  int Index;
  TCustomImageList* List;
  TBitmap* G;
  return FindGlyphSource(ViewSize, false, Index, List, G);
}

bool TdxBarItemControl::ShowsImage(int ViewSize, int ViewStructure) const {
  return (ViewStructure & vsGlyph) && HasImage(ViewSize);
}

bool TdxBarItemControl::HasEnabledLookImage() const {
  if (IsEnabled()) return true;
  TBitmap* G = Glyph();
  if (G && !G->GetEmpty()) return false;
  TdxBarManager* M = LinkManager();
  if (!M) return false;
  bool Large = UsesLargeImages(FDrawParams ? FDrawParams->GetViewSize() : 0);
  return (Large ? M->GetDisabledLargeImages() : M->GetDisabledImages()) != nullptr;
}

SIZE TdxBarItemControl::GlyphSize(int ViewSize, bool State) const {
  int Index;
  TCustomImageList* List;
  TBitmap* G;
  if (FindGlyphSource(ViewSize, State, Index, List, G)) {
    if (G) return SIZE{G->GetWidth(), G->GetHeight()};
    return SIZE{List->GetWidth(), List->GetHeight()};
  }
  if (ViewSize == 2) return SIZE{20, 20};
  TdxBarManager* M = LinkManager();
  int S = M ? M->GlyphSize() : 16;
  return SIZE{S, S};
}

TdxBarMenuItemSize TdxBarItemControl::MenuItemSize() const {
  return LinksItemSizeOf(FItemLink ? FItemLink->GetOwnerLinks() : nullptr);
}

TShortCut TdxBarItemControl::ShortCut() const {
  TdxBarItem* Item = LinkedItem();
  return Item ? Item->GetShortCut() : 0;
}

int TdxBarItemControl::MenuCaptionOffset() const {
  TdxBarPainter* P = GetPainter();
  return P ? P->SubMenuItemIndent(const_cast<TdxBarItemControl*>(this)) : 0;
}

// ---- draw parameters and parts

void TdxBarItemControl::UpdateDrawParams(bool Full) {
  TdxBarItemControlDrawParams* P = FDrawParams.get();
  if (Full) {
    P->Caption = LinkCaption();
    TdxBarItem* Item = LinkedItem();
    P->Description = Item ? Item->GetDescription() : std::string();
    P->ShortCutText.clear();
    P->PaintType = PaintType();
    P->Enabled = IsEnabled();
    P->CanSelect = CanSelect();
    P->DrawSelected = IsDrawnSelected();
    P->HasDropDown = HasDropDown();
    P->HotPartIndex = FHotPartIndex;
    P->Customizing = FParent && FParent->IsCustomizing();
    P->SelectedByKey = P->DrawSelected && !FSelectedByMouse;
  }
  P->Canvas = PaintCanvas();
  P->SetViewSize(CalcViewSize());
  P->ViewStructure = CalcViewStructure();
  TdxBarPainter* Painter = GetPainter();
  TdxBarManager* M = LinkManager();
  P->GlyphAreaSize = Painter ? Painter->GlyphAreaSize(M ? M->GlyphSize() : 16, TextSize()) : SIZE{23, 22};
}

void TdxBarItemControl::RefreshDrawParams() {
  UpdateDrawParams(false);
  CalcPartRects();
}

void TdxBarItemControl::CalcPartRects() { FPartRects.assign(static_cast<size_t>(PartCount()), ItemBounds()); }

// ---- fonts and cached values

void TdxBarItemControl::SelectItemFont(HFONT Font, TdxBarItemFontSave& Saved) {
  TFont* StyleFont = ItemStyleFont(LinkedItem());
  if (!Font && !StyleFont) return;
  TcxCanvas* Canvas = PaintCanvas();
  LOGFONTW Current = Canvas->FontObject()->GetLogFont();
  Saved.Font = Current;
  Saved.Changed = true;
  LOGFONTW New = Current;
  if (Font) GetObjectW(Font, sizeof New, &New);
  if (StyleFont) {
    LOGFONTW Start = New;
    New = StyleFont->GetLogFont();
    New.lfEscapement = Start.lfEscapement;
    New.lfOrientation = Start.lfOrientation;
    New.lfOutPrecision = Start.lfOutPrecision;
  }
  Canvas->FontObject()->SetHandle(CreateFontIndirectW(&New));
}

void TdxBarItemControl::RestoreItemFont(const TdxBarItemFontSave& Saved) {
  if (!Saved.Changed) return;
  PaintCanvas()->FontObject()->SetHandle(CreateFontIndirectW(&Saved.Font));
}

void TdxBarItemControl::UpdateCachedValues() {
  WithItemFont([this] {
    CalcCachedValues();
    return 0;
  });
}

void TdxBarItemControl::CalcCachedValues() {
  FreeGDIHandle(reinterpret_cast<HGDIOBJ&>(FStyleBrush));
  TdxBarItem* Item = LinkedItem();
  TColor Color = ItemStyleColor(Item);
  if (ItemUsesStyleColor(Item) && Color != clDefault) FStyleBrush = CreateSolidBrush(ColorToRGB(Color));
  TdxBarPainter* P = GetPainter();
  FTextHeight = P ? P->ItemHeightForCanvas(PaintCanvas()) : 0;
}

int TdxBarItemControl::TextSize() const {
  if (ItemStyleFont(LinkedItem())) return FTextHeight;
  return FParent ? FParent->GetTextSize() : FTextHeight;
}

SIZE TdxBarItemControl::MeasureText(const std::string& Text) {
  return WithItemFont([&] { return TextSizeOnDC(PaintCanvas()->DeviceContext(), Text); });
}

bool TdxBarItemControl::ShowsDescription() const {
  return MenuItemSize() == misLarge && LinksShowDescriptions(FItemLink ? FItemLink->GetOwnerLinks() : nullptr);
}

bool TdxBarItemControl::ShowsShortCuts() const {
  return LinksShowShortCuts(FItemLink ? FItemLink->GetOwnerLinks() : nullptr);
}

TdxBarGlyphLayout TdxBarItemControl::ItemGlyphLayout() const { return ItemGlyphLayoutOf(LinkedItem()); }

// ---- areas and extents

int TdxBarItemControl::CalcTextAreaWidth() {
  TdxBarPainter* P = GetPainter();
  if (!P) return 0;
  return WithItemFont([&] {
    FDrawParams->Canvas = PaintCanvas();
    RECT R;
    P->CalcCaptionTextRect(FDrawParams.get(), R);
    return R.right - R.left;
  });
}

RECT TdxBarItemControl::PartMargins(int Part) const {
  (void)Part;
  RECT R{3, 0, 3, 0};
  if (TdxBarPainter* P = GetPainter()) P->ItemControlMargins(FDrawParams.get(), R);
  return R;
}

int TdxBarItemControl::ShortCutAreaWidth() {
  if (!ShowsShortCuts() || !ShortCut() || FDrawParams->ShortCutText.empty()) return 0;
  return TextWidth(FDrawParams->ShortCutText) + (FParent ? FParent->GetTextSize() : 0) - 6;
}

int TdxBarItemControl::MenuArrowAreaWidth() const {
  TdxBarPainter* P = GetPainter();
  return P ? P->ItemIconAreaWidth(FDrawParams.get()) : 0;
}

int TdxBarItemControl::CaptionAreaWidth() {
  if (!FDrawParams->ShowsCaption()) return 0;
  int Text = CalcTextAreaWidth();
  if (PaintType() == 1) {
    int W = Text + ShortCutAreaWidth();
    if (MenuItemSize() == misLarge && ShowsDescription() && !FDrawParams->Description.empty()) {
      RECT R;
      FitTextRect(PaintCanvas()->DeviceContext(), FDrawParams->Description, 2, R);
      W = std::max(W, static_cast<int>(R.right - R.left));
    }
    RECT M = PartMargins(0);
    return W + M.left + M.right + MenuArrowAreaWidth();
  }
  if (!FDrawParams->ShowsGlyph()) return Text + 2 * CaptionIndent();
  RECT M{4, 0, 0, 0};
  if (TdxBarPainter* P = GetPainter()) P->CaptionMargins(M);
  return Text + M.left;
}

int TdxBarItemControl::GlyphAreaWidth() const {
  if (PaintType() == 1) return FParent ? FParent->GetIconAreaWidth() : 0;
  return FDrawParams->ShowsGlyph() ? AlongComponent(FDrawParams->GlyphAreaSize) : 0;
}

int TdxBarItemControl::CaptionIndent() const {
  TFont* Font = FParent ? FParent->ItemFont() : nullptr;
  return Font ? Font->GetSize() / 2 : 0;
}

int TdxBarItemControl::CalcNormalLength() { return GlyphAreaWidth() + CaptionAreaWidth() + EditAreaWidth(); }

int TdxBarItemControl::CalcLargeLength() {
  SIZE G = GlyphSize(2);
  if (!FDrawParams->ShowsCaption()) return AlongComponent(G) + 10;
  int T = CalcTextAreaWidth();
  switch (ItemGlyphLayout()) {
    case glLeft:
    case glRight: return AlongComponent(G) + T + 16;
    default: return std::max(static_cast<int>(AlongComponent(G)), T + 6) + 10;
  }
}

int TdxBarItemControl::CalcNormalThickness() {
  int T = 0;
  if (FDrawParams->ShowsCaption()) T = TextSize();
  if (FDrawParams->ShowsGlyph()) T = std::max(T, static_cast<int>(AcrossComponent(FDrawParams->GlyphAreaSize)));
  return T;
}

int TdxBarItemControl::CalcLargeThickness() {
  SIZE G = GlyphSize(2);
  if (!FDrawParams->ShowsCaption()) return AcrossComponent(G) + 6;
  int H = TextHeight();
  switch (ItemGlyphLayout()) {
    case glTop:
    case glBottom: return AcrossComponent(G) + H + 7;
    default: return std::max(static_cast<int>(AcrossComponent(G)), H) + 6;
  }
}

int TdxBarItemControl::CalcLength() {
  return FDrawParams->GetViewSize() == 2 ? CalcLargeLength() : CalcNormalLength();
}

int TdxBarItemControl::CalcThickness() {
  return FDrawParams->GetViewSize() == 2 ? CalcLargeThickness() : CalcNormalThickness();
}

int TdxBarItemControl::CalcMenuWidth() {
  int W = CalcNormalLength();
  if (TdxBarPainter* P = GetPainter()) P->AdjustMenuItemWidth(W);
  return W;
}

int TdxBarItemControl::CalcMenuHeight() {
  int H = FParent ? FParent->ItemTextHeight(this) : TextSize();
  if (TdxBarPainter* P = GetPainter()) P->AdjustMenuItemHeight(H);
  return H;
}

int TdxBarItemControl::CalcWidth() {
  if (PaintType() == 1) return CalcMenuWidth();
  return IsRotated() ? CalcThickness() : CalcLength();
}

int TdxBarItemControl::CalcHeight() {
  if (FParent && FParent->Kind() == bwkSubMenu) return CalcMenuHeight();
  return IsRotated() ? CalcLength() : CalcThickness();
}

int TdxBarItemControl::Width() {
  return WithItemFont([this] {
    UpdateDrawParams(false);
    int W = CalcWidth();
    bool Stretches = FParent && (FParent->BehaviorFlags() & 0x10) && !FParent->StacksItemsVertically();
    if (ActualAlign() == iaClient && Stretches) return MinLength();
    return std::max(W, MinLength());
  });
}

int TdxBarItemControl::Height() {
  return WithItemFont([this] {
    UpdateDrawParams(false);
    int H = CalcHeight();
    if (ActualAlign() == iaClient && FParent && FParent->StacksItemsVertically())
      H = IsRotated() ? MinLength() : MinThickness();
    return H;
  });
}

int TdxBarItemControl::CalcWidthForViewLevel(TdxBarItemViewLevel Level) {
  TdxBarItemViewLevel Old = FViewInfo->GetViewLevel();
  FViewInfo->SetViewLevel(Level);
  int W;
  try {
    W = Width();
  } catch (...) {
    FViewInfo->SetViewLevel(Old);
    throw;
  }
  FViewInfo->SetViewLevel(Old);
  return W;
}

// ---- painting

void TdxBarItemControl::Paint(TcxCanvas* Canvas, const RECT& R, int PaintTypeValue) {
  if (IsRectEmpty(&R)) return;
  TcxCanvas* Current = PaintCanvas();
  Canvas->PushState();
  if (Canvas != Current) Canvas->AssignFontObject(Current->FontObject());
  FActiveCanvas = Canvas;
  TdxBarItemFontSave Saved;
  auto Undo = [&] {
    RestoreItemFont(Saved);
    FActiveCanvas = nullptr;
  };
  try {
    SelectItemFont(nullptr, Saved);
    UpdateDrawParams(true);
    PaintControl(R, PaintTypeValue);
  } catch (...) {
    Undo();
    UpdateDrawParams(false);
    Canvas->PopState();
    throw;
  }
  Undo();
  UpdateDrawParams(false);
  Canvas->PopState();
}

// ---- window-facing

bool TdxBarItemControl::ShowsHint() const {
  TdxBarItem* Item = LinkedItem();
  return Item && !Item->GetHint().empty() && dynamic_cast<TdxBarControl*>(FParent);
}

bool TdxBarItemControl::ParentPainterMetric() const { return FParent && FParent->JoinsSubMenus(); }

bool TdxBarItemControl::OwnsWindow(HWND Wnd) const {
  return Wnd && FParent && FParent->HandleAllocated() && IsChild(FParent->GetHandle(), Wnd);
}

bool TdxBarItemControl::IsRotated() const { return FParent && FParent->IsRotated(); }

void TdxBarItemControl::Repaint() {
  if (!FParent || !FParent->HandleAllocated() || !FItemLink) return;
  RECT R = FItemLink->GetItemRect();
  InvalidateRect(FParent->GetHandle(), &R, FALSE);
}

bool TdxBarItemControl::DblClickGoesToWindow() const {
  TdxBarManager* M = LinkManager();
  return (M && M->InDesignMode()) || DblClickActsOnLinks();
}

void TdxBarItemControl::MouseEnter(TShiftState Shift, int X, int Y) {
  (void)Shift;
  TrackHotPart(POINT{X, Y});
}

void TdxBarItemControl::MouseLeave() { TrackHotPart(POINT{-1, -1}); }

void TdxBarItemControl::MouseMove(TShiftState Shift, int X, int Y) {
  (void)Shift;
  TrackHotPart(POINT{X, Y});
}

// ---- states and helpers

bool TdxBarItemControl::IsSelectedInParent() const {
  return FParent && FParent->SelectedItemControl() == this && (IsEnabled() || !FSelectedByMouse);
}

TdxBarItemAlign TdxBarItemControl::ActualAlign() const {
  TdxBarItemAlign Align = ItemAlignOf(LinkedItem());
  if (Align != iaLeft && FParent && !FParent->AllowsItemAlign(const_cast<TdxBarItemControl*>(this))) return iaLeft;
  return Align;
}

bool TdxBarItemControl::IsForeignWhileCustomizing() const {
  return FParent && FParent->IsCustomizing() && !IsOwnItem();
}

bool TdxBarItemControl::IsPressedByMouse() const {
  if (!IsEnabled() || !FParent || !FParent->HandleAllocated()) return false;
  POINT Cursor;
  GetCursorPos(&Cursor);
  RECT R = ItemBounds();
  return PtInRect(&R, FParent->ScreenPointToClient(Cursor)) && IsLeftButtonDown();
}

bool TdxBarItemControl::ParentStaysOpen() const { return FParent && !FParent->ClosesOnClick(); }

bool TdxBarItemControl::UnclickNeeded() const {
  auto* Button = dynamic_cast<TdxBarButton*>(LinkedItem());
  return !Button || ButtonUnclickAfterDoing(Button);
}

void TdxBarItemControl::InvalidateGlyphCache(bool WithViewInfo) {
  if (WithViewInfo && FViewInfo) FViewInfo->ClearWidthCache();
  FCachedImageOptions->Invalidate();
}

void TdxBarItemControl::SaveNonRecentToSubMenu() {
  if (FParent && FParent->Kind() == bwkSubMenu) FParent->SetNonRecent(FNonRecent);
}

void TdxBarItemControl::ClearSubMenuNonRecent() {
  if (FParent && FParent->Kind() == bwkSubMenu) FParent->SetNonRecent(false);
}
