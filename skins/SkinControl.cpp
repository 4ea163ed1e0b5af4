#include "skins/SkinControl.h"

#include <cctype>

#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "framework/Published.h"
#include "skins/SkinData.h"
#include "skins/SkinEffectBitmap.h"
#include "skins/SkinResourceStrings.h"

SONVELT_PUBLISHED(TspSkinControl, P) {
  P.Component("SkinData", &TspSkinControl::GetSkinData, &TspSkinControl::SetSkinData);
  P.String("SkinDataName", &TspSkinControl::GetSkinDataName, &TspSkinControl::SetSkinDataName);
  P.Boolean("DrawDefault", &TspSkinControl::GetDrawDefault, &TspSkinControl::SetDrawDefault).Default(true);
  P.Boolean("AlphaBlend", &TspSkinControl::GetAlphaBlend, &TspSkinControl::SetAlphaBlend).Default(false);
  P.Integer("AlphaBlendValue", &TspSkinControl::GetAlphaBlendValue, &TspSkinControl::SetAlphaBlendValue)
      .Default(200);
  P.Boolean("UseSkinCursor", &TspSkinControl::GetUseSkinCursor, &TspSkinControl::SetUseSkinCursor).Default(false);
  P.String("AreaName", &TspSkinControl::GetAreaName, &TspSkinControl::SetAreaName);
  P.String("HintTitle", &TspSkinControl::GetHintTitle, &TspSkinControl::SetHintTitle);
  P.Integer("HintImageIndex", &TspSkinControl::GetHintImageIndex, &TspSkinControl::SetHintImageIndex).Default(0);
  P.Component("HintImageList", &TspSkinControl::GetHintImageList, &TspSkinControl::SetHintImageList);
  P.Event("OnMouseEnter", &TControl::OnMouseEnter);
  P.Event("OnMouseLeave", &TControl::OnMouseLeave);
}

TspSkinControl::TspSkinControl(TComponent* AOwner) : TCustomControl(AOwner) {}

TspSkinControl::~TspSkinControl() {
  if (FRgn) DeleteObject(FRgn);
}

TspDataSkinControl* TspSkinControl::Descriptor() const {
  return FSD && FIndex >= 0 ? FSD->GetControlDescriptor(FIndex) : nullptr;
}

bool TspSkinControl::SkinEffectsEnabled() const {
  return FSD && !FSD->GetEmpty() && FSD->GetEnableSkinEffects();
}

void TspSkinControl::SetSkinData(TspSkinData* Value) {
  FSD = Value;
  if (Value) Value->FreeNotification(this);
  if (Value && !Value->GetEmpty() && !GetComponentState().Contains(csDesigning)) ApplySkin();
}

void TspSkinControl::SetDrawDefault(bool Value) {
  FDrawDefault = Value;
  Invalidate();
}

void TspSkinControl::SetAlphaBlend(bool Value) {
  FAlphaBlend = Value;
  Invalidate();
}

void TspSkinControl::SetAlphaBlendValue(uint8_t Value) {
  FAlphaBlendValue = Value;
  Invalidate();
}

void TspSkinControl::SetHintImageList(TCustomImageList* Value) {
  FHintImageList = Value;
  if (Value) Value->FreeNotification(this);
}

void TspSkinControl::RefreshSkinDescriptor() {
  FIndex = !FSD || FSD->GetEmpty() ? -1 : FSD->FindControlIndex(FSkinDataName);
}

void TspSkinControl::ApplySkin() {
  RefreshSkinDescriptor();
  if (FUseSkinCursor)
    SetCursor(FSkinCursorIndex == -1 || !FSD ? crDefault : TCursor(FSD->GetStartCursorIndex() + FSkinCursorIndex));
  Invalidate();
}

void TspSkinControl::DrawDefaultImage(TCanvas* Canvas) {
  Canvas->GetBrush()->SetColor(clBtnFace);
  Canvas->FillRect(RECT{0, 0, GetWidth(), GetHeight()});
}

void TspSkinControl::ParentBackgroundChanged() {
  if (!FAlphaBlend) return;
  Invalidate();
  NotifySkinnedChildren();
}

void TspSkinControl::NotifySkinnedChildren() {
  // Only skinned children: other controls read this message number as their own.
  for (int i = 0; i < GetControlCount(); ++i) {
    auto* child = dynamic_cast<TspSkinControl*>(GetControl(i));
    if (!child) continue;
    if (child->HandleAllocated()) SendMessageW(child->GetHandle(), WM_SKINPARENTBACKGROUND, 0, 0);
    else child->Perform(WM_SKINPARENTBACKGROUND);
  }
}

void TspSkinControl::BlendOverBackground(TBitmap* Image, uint8_t Alpha) {
  auto background = MakeOwned<TBitmap>();
  background->SetSize(Image->GetWidth(), Image->GetHeight());
  DrawParentBackground(this, background->GetCanvas());
  background->FreeContext();
  Image->FreeContext();
  TspEffectBmp own(Image->GetHandle()), under(background->GetHandle());
  own.BlendWith(&under, 1.0 - Alpha / 255.0);
  own.DrawTo(Image->GetCanvas()->GetHandle(), 0, 0);
}

void TspSkinControl::PaintImage(TBitmap* Bitmap) {
  if (FIndex != -1) {
    DrawSkinImage(Bitmap);
  } else if (FDrawDefault) {
    DrawDefaultImage(Bitmap->GetCanvas());
  } else {
    // Blank, as a new bitmap is (the work bitmap is kept between paints).
    PatBlt(Bitmap->GetCanvas()->GetHandle(), 0, 0, Bitmap->GetWidth(), Bitmap->GetHeight(), WHITENESS);
  }
  if (FAlphaBlend) BlendOverBackground(Bitmap, FAlphaBlendValue);
}

void TspSkinControl::PaintIntoDC(HDC DC) {
  const int w = GetWidth(), h = GetHeight();
  if (w < 1 || h < 1) return;
  try {
    RefreshSkinDescriptor();
    if (!FWork) FWork = MakeOwned<TBitmap>();
    if (!SizeSkinBitmap(FWork.get(), w, h)) return;
    PaintImage(FWork.get());
    // A skin whose images cannot be made leaves the control unpainted.
    if (!FWork->GetEmpty() && FWork->HandleAllocated())
      BitBlt(DC, 0, 0, w, h, FWork->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  } catch (const Exception&) {
  }
}

void TspSkinControl::Paint() {
  FPainting = true;
  PaintIntoDC(GetCanvas()->GetHandle());
  FPainting = false;
}

void TspSkinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // Every pixel is painted.
      Message.Result = 1;
      return;
    case WM_SKINPARENTBACKGROUND: ParentBackgroundChanged(); return;
    case WM_PAINT: {
      // The erase that BeginPaint sends belongs to this painting: the paint covers every pixel.
      const bool was = FPainting;
      FPainting = true;
      try {
        TCustomControl::WndProc(Message);
      } catch (...) {
        FPainting = was;
        throw;
      }
      FPainting = was;
      return;
    }
    case WM_MOVE:
      TCustomControl::WndProc(Message);
      if (FAlphaBlend) Invalidate();
      return;
    default: TCustomControl::WndProc(Message);
  }
}

void TspSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FSD) {
    FSD = nullptr;
    DetachSkin();
  }
  if (AComponent == FHintImageList) FHintImageList = nullptr;
}

// --- geometry --------------------------------------------------------------------

SONVELT_PUBLISHED(TspSkinCustomControl, P) {
  P.Object("DefaultFont", &TspSkinCustomControl::GetDefaultFont);
  P.Boolean("UseSkinFont", &TspSkinCustomControl::GetUseSkinFont, &TspSkinCustomControl::SetUseSkinFont)
      .Default(true);
  P.Integer("DefaultWidth", &TspSkinCustomControl::GetDefaultWidth, &TspSkinCustomControl::SetDefaultWidth)
      .Default(0);
  P.Integer("DefaultHeight", &TspSkinCustomControl::GetDefaultHeight, &TspSkinCustomControl::SetDefaultHeight)
      .Default(0);
}

TspSkinCustomControl::TspSkinCustomControl(TComponent* AOwner)
    : TspSkinControl(AOwner), FDefaultFont(MakeOwned<TFont>()) {
  FDefaultFont->SetName("Arial");
  FDefaultFont->SetHeight(14);
  FDefaultFont->OnChange = Bind(this, &TspSkinCustomControl::FontChange);
}

TspSkinCustomControl::~TspSkinCustomControl() = default;

void TspSkinCustomControl::FontChange(TObject*) {
  DefaultFontChanged();
  if (FIndex == -1) Invalidate();
}

void TspSkinCustomControl::SetUseSkinFont(bool Value) {
  FUseSkinFont = Value;
  Invalidate();
}

void TspSkinCustomControl::SetDefaultWidth(int Value) {
  FDefaultWidth = Value;
  if (FIndex == -1 && Value > 0) SetWidth(Value);
}

void TspSkinCustomControl::SetDefaultHeight(int Value) {
  FDefaultHeight = Value;
  if (FIndex == -1 && Value > 0) SetHeight(Value);
}

void TspSkinCustomControl::RefreshSkinDescriptor() {
  TspSkinControl::RefreshSkinDescriptor();
  Picture = MaskPicture = nullptr;
  if (FIndex == -1) return;
  auto* d = dynamic_cast<TspDataSkinCustomControl*>(Descriptor());
  if (!d) {
    ResizeMode = 0;
    return;
  }
  FGeometry = TSkinGeometry{d->SkinRect, d->ClientRect, d->LTPoint, d->RTPoint, d->LBPoint, d->RBPoint};
  FStretch = TSkinStretch{d->LeftStretch, d->TopStretch, d->RightStretch, d->BottomStretch, d->StretchEffect,
                          d->StretchType};
  FSkinCursorIndex = d->CursorIndex;
  Picture = FSD->GetActivePicture(d->PictureIndex);
  MaskPicture = FSD->GetActivePicture(d->MaskPictureIndex);
  const TSkinGeometry& g = FGeometry;
  if (IsNullRect(g.S)) ResizeMode = -1;
  else if (g.RB.x != 0 && g.RB.y != 0) ResizeMode = 1;
  else if (g.RT.x != 0 || g.RT.y != 0) ResizeMode = 2;
  else if (g.LB.x != 0 || g.LB.y != 0) ResizeMode = 3;
  else ResizeMode = 0;
  // The frame as laid out for the size the control has now.
  int w = GetWidth(), h = GetHeight();
  CalcSkinSize(w, h);
}

bool TspSkinCustomControl::CalcSkinSize(int& W, int& H) {
  const TSkinGeometry& g = FGeometry;
  TSkinLayout& l = FLayout;
  if (ResizeMode == -1 || FIndex == -1) return true;
  // A skin that would make the control larger than any image it can draw is refused.
  if (ResizeMode == 0 && !SkinImageSizeOk(RectWidth(g.S), RectHeight(g.S))) return false;
  if ((ResizeMode == 2 && !SkinImageSizeOk(W, RectHeight(g.S))) ||
      (ResizeMode == 3 && !SkinImageSizeOk(RectWidth(g.S), H)))
    return false;
  if (ResizeMode == 0) {
    W = RectWidth(g.S);
    H = RectHeight(g.S);
    l = TSkinLayout{g.LT, g.RT, g.LB, g.RB, g.C};
    return true;
  }
  if (ResizeMode == 2) H = RectHeight(g.S);
  if (ResizeMode == 3) W = RectWidth(g.S);
  const int dw = W - RectWidth(g.S), dh = H - RectHeight(g.S);
  l.NLT = g.LT;
  l.NRT = POINT{g.RT.x + dw, g.RT.y};
  l.NLB = POINT{g.LB.x, g.LB.y + dh};
  l.NRB = POINT{g.RB.x + dw, g.RB.y + dh};
  l.NC = RECT{g.C.left, g.C.top, g.C.right + dw, g.C.bottom + dh};
  return true;
}

void TspSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  RefreshSkinDescriptor();
  const int oldW = GetWidth(), oldH = GetHeight();
  if (FIndex != -1 && (AWidth != oldW || AHeight != oldH)) {
    int w = AWidth, h = AHeight;
    if (!CalcSkinSize(w, h)) {
      w = oldW;
      h = oldH;
    }
    AWidth = w;
    AHeight = h;
  }
  TspSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (GetWidth() != oldW || GetHeight() != oldH) {
    UpdateSkinRegion();
    Invalidate();
  }
  if (FIndex != -1 && FStretch.Effect) NotifySkinnedChildren();
}

void TspSkinCustomControl::ApplySkin() {
  TspSkinControl::ApplySkin();
  if (FIndex == -1) {
    if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
    if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    UpdateSkinRegion();
    Invalidate();
    return;
  }
  int w = GetWidth(), h = GetHeight();
  CalcSkinSize(w, h);
  if (w != GetWidth() || h != GetHeight()) {
    SetBounds(GetLeft(), GetTop(), w, h);
  } else {
    UpdateSkinRegion();
    Invalidate();
  }
}

void TspSkinCustomControl::CreateWnd() {
  TspSkinControl::CreateWnd();
  if (FRgn && SetWindowRgn(GetHandle(), FRgn, TRUE)) FRgn = nullptr;
}

void TspSkinCustomControl::SetSkinRegion(HRGN Region) {
  // Once set, the region is the window's: it deletes it when it is replaced.
  // A region not (yet) handed to a window is still ours.
  if (!HandleAllocated()) {
    if (FRgn) DeleteObject(FRgn);
    FRgn = Region;
    return;
  }
  if (FRgn) DeleteObject(FRgn);
  FRgn = nullptr;
  if (!SetWindowRgn(GetHandle(), Region, TRUE) && Region) DeleteObject(Region);
}

void TspSkinCustomControl::UpdateSkinRegion() {
  if (FIndex == -1 || !MaskPicture) {
    if (HandleAllocated()) SetWindowRgn(GetHandle(), nullptr, TRUE);
    if (FRgn) DeleteObject(FRgn);
    FRgn = nullptr;
    return;
  }
  const TSkinGeometry& g = FGeometry;
  const int w = GetWidth(), h = GetHeight();
  const int sw = RectWidth(g.S), sh = RectHeight(g.S);
  switch (ResizeMode) {
    case 0: SetSkinRegion(RegionFromMask(MaskPicture, 0, 0)); break;
    case 1: SetSkinRegion(RegionFromMaskBorders(MaskPicture, g, FLayout, w, h)); break;
    case 2: {
      TSkinGeometry g2 = g;
      g2.RB = g.RT;
      g2.LB = g.LT;
      const POINT right{w + g.RT.x - sw, g.RT.y};
      SetSkinRegion(RegionFromMaskBorders(MaskPicture, g2, TSkinLayout{g.LT, right, g.LT, right, FLayout.NC}, w, h));
      break;
    }
    case 3: {
      TSkinGeometry g2 = g;
      g2.RT = g.LT;
      g2.RB = g.LB;
      const POINT bottom{g.LB.x, h + g.LB.y - sh};
      SetSkinRegion(RegionFromMaskBorders(MaskPicture, g2, TSkinLayout{g.LT, g.LT, bottom, bottom, FLayout.NC}, w, h));
      break;
    }
    default: break;
  }
}

void TspSkinCustomControl::DrawDefaultImage(TCanvas* Canvas) {
  Canvas->GetBrush()->SetColor(clBtnFace);
  Canvas->FillRect(RECT{0, 0, GetWidth(), GetHeight()});
}

void TspSkinCustomControl::DrawSkinImage(TBitmap* Bitmap) { CreateSkinImage(Bitmap, FGeometry.S); }

void TspSkinCustomControl::CreateSkinImage(TBitmap* Bitmap, const RECT& R) {
  const int w = GetWidth(), h = GetHeight();
  const TSkinGeometry& g = FGeometry;
  switch (ResizeMode) {
    case 0:
      if (!SizeSkinBitmap(Bitmap, RectWidth(R), RectHeight(R))) return;
      if (Picture) CopySkinPiece(Bitmap, RECT{0, 0, RectWidth(R), RectHeight(R)}, Picture, R);
      break;
    case 1: {
      TSkinGeometry at = g;
      at.S = R;
      ComposeSkinImage(Bitmap, w, h, Picture, at, FLayout, FStretch, true);
      break;
    }
    case 2: ComposeSkinImageH(Bitmap, w, Picture, R, g.LT.x, RectWidth(g.S) - g.RT.x, FStretch.Effect); break;
    case 3: ComposeSkinImageV(Bitmap, h, Picture, R, g.LT.y, RectHeight(g.S) - g.LB.y, FStretch.Effect); break;
    default: break;
  }
}

// Whether Key is the accelerator ("&x") of Caption.
bool IsSkinAccel(WPARAM Key, const std::string& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != '&') continue;
    if (Caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(Caption[i + 1])) == std::toupper(int(Key & 0xFF));
  }
  return false;
}

// The skin's text font, or the control's own, for a canvas.
void SelectSkinFont(TCanvas* Canvas, TspSkinCustomControl* Control, const std::string& Name, int Height,
                    TFontStyles Style) {
  TFont* font = Canvas->GetFont();
  font->Assign(Control->GetDefaultFont());
  if (Control->GetSkinIndex() != -1 && Control->GetUseSkinFont()) {
    font->SetName(Name);
    font->SetHeight(Height);
    font->SetStyle(Style);
  }
  TspSkinData* data = Control->GetSkinData();
  if (data && data->GetResourceStrData()) font->SetCharset(data->GetResourceStrData()->GetCharSet());
}

