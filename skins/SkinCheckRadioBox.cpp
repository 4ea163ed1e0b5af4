#include "skins/SkinCheckRadioBox.h"

#include "framework/Action.h"
#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "framework/ImageList.h"
#include "framework/Published.h"
#include "skins/SkinData.h"
#include "skins/SkinEffectBitmap.h"

namespace {
const bool Registered = (RegisterClass(TspSkinCheckRadioBox::StaticClass()), true);
}

SONVELT_PUBLISHED(TspSkinCheckRadioBox, P) {
  P.String("Caption", &TspSkinCheckRadioBox::GetCaption, &TspSkinCheckRadioBox::SetCaption);
  P.Boolean("Checked", &TspSkinCheckRadioBox::GetChecked, &TspSkinCheckRadioBox::SetChecked).Default(false);
  P.Enum("State", &TspSkinCheckRadioBox::GetState, &TspSkinCheckRadioBox::SetState,
         {"cbUnchecked", "cbChecked", "cbGrayed"})
      .Default(cbUnchecked);
  P.Boolean("AllowGrayed", &TspSkinCheckRadioBox::GetAllowGrayed, &TspSkinCheckRadioBox::SetAllowGrayed)
      .Default(false);
  P.Boolean("Radio", &TspSkinCheckRadioBox::GetRadio, &TspSkinCheckRadioBox::SetRadio).Default(false);
  P.Integer("GroupIndex", &TspSkinCheckRadioBox::GetGroupIndex, &TspSkinCheckRadioBox::SetGroupIndex).Default(0);
  P.Boolean("Flat", &TspSkinCheckRadioBox::GetFlat, &TspSkinCheckRadioBox::SetFlat).Default(true);
  P.Boolean("WordWrap", &TspSkinCheckRadioBox::GetWordWrap, &TspSkinCheckRadioBox::SetWordWrap).Default(false);
  P.Component("Images", &TspSkinCheckRadioBox::GetImages, &TspSkinCheckRadioBox::SetImages);
  P.Integer("ImageIndex", &TspSkinCheckRadioBox::GetImageIndex, &TspSkinCheckRadioBox::SetImageIndex).Default(0);
  P.Boolean("UseSkinFontColor", &TspSkinCheckRadioBox::GetUseSkinFontColor,
            &TspSkinCheckRadioBox::SetUseSkinFontColor)
      .Default(true);
  P.Boolean("CanFocused", &TspSkinCheckRadioBox::GetCanFocused, &TspSkinCheckRadioBox::SetCanFocused).Default(true);
}

TspSkinCheckRadioBox::TspSkinCheckRadioBox(TComponent* AOwner) : TspSkinCustomControl(AOwner) {
  SetBounds(0, 0, 150, 25);
  FSkinDataName = "checkbox";
  SetTabStop(false);
  // The box decides itself when a release is a click.
  SetControlStyle(GetControlStyle() - csClickEvents);
}

bool TspSkinCheckRadioBox::IsFocused() const {
  return HandleAllocated() && GetFocus() == const_cast<TspSkinCheckRadioBox*>(this)->GetHandle();
}

void TspSkinCheckRadioBox::SetChecked(bool Value) {
  FChecked = Value;
  // A grayed box that is unchecked stays grayed.
  if (Value || FState == cbChecked) FState = Value ? cbChecked : cbUnchecked;
  Invalidate();
  if (Value && FGroupIndex != 0 && GetParent()) {
    for (int i = 0; i < GetParent()->GetControlCount(); ++i) {
      auto* other = dynamic_cast<TspSkinCheckRadioBox*>(GetParent()->GetControl(i));
      if (other && other != this && other->FGroupIndex == FGroupIndex && other->FChecked) other->SetChecked(false);
    }
  }
  if (!FRadio || FChecked) OnClick(this);
}

void TspSkinCheckRadioBox::SetState(TCheckBoxState Value) {
  FState = Value;
  FChecked = Value == cbChecked;
  Invalidate();
  OnClick(this);
}

void TspSkinCheckRadioBox::Toggle() {
  if (FRadio) {
    if (!FChecked) SetChecked(true);
  } else {
    SetChecked(!FChecked);
  }
}

void TspSkinCheckRadioBox::ClickedByUser() {
  if (!FRadio && FAllowGrayed && FState == cbUnchecked) SetState(cbGrayed);
  else Toggle();
}

void TspSkinCheckRadioBox::SetRadio(bool Value) {
  FRadio = Value;
  const TComponentState state = GetComponentState();
  if (state.Contains(csDesigning) && !state.Contains(csLoading)) {
    FSkinDataName = Value ? "radiobox" : "checkbox";
    FGroupIndex = Value ? 1 : 0;
  }
  Invalidate();
}

void TspSkinCheckRadioBox::SetFlat(bool Value) {
  FFlat = Value;
  RefreshSkinDescriptor();
  Invalidate();
}

void TspSkinCheckRadioBox::SetWordWrap(bool Value) {
  FWordWrap = Value;
  Invalidate();
}

void TspSkinCheckRadioBox::SetImages(TCustomImageList* Value) {
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TspSkinCheckRadioBox::SetImageIndex(int Value) {
  FImageIndex = Value;
  Invalidate();
}

void TspSkinCheckRadioBox::SetUseSkinFontColor(bool Value) {
  FUseSkinFontColor = Value;
  Invalidate();
}

void TspSkinCheckRadioBox::RefreshSkinDescriptor() {
  TspSkinCustomControl::RefreshSkinDescriptor();
  auto* d = dynamic_cast<TspDataSkinCheckRadioControl*>(Descriptor());
  if (!d) return;
  FontName = d->FontName;
  FontHeight = d->FontHeight;
  FontStyle = d->FontStyle;
  FontColor = d->FontColor;
  ActiveFontColor = d->ActiveFontColor;
  FrameFontColor = d->FrameFontColor;
  UnEnabledFontColor = d->UnEnabledFontColor;
  ActiveSkinRect = IsNullRect(d->ActiveSkinRect) ? FGeometry.S : d->ActiveSkinRect;
  CheckImageArea = d->CheckImageArea;
  TextArea = d->TextArea;
  CheckImageRect = d->CheckImageRect;
  UnCheckImageRect = d->UnCheckImageRect;
  ActiveCheckImageRect = IsNullRect(d->ActiveCheckImageRect) ? CheckImageRect : d->ActiveCheckImageRect;
  ActiveUnCheckImageRect = IsNullRect(d->ActiveUnCheckImageRect) ? UnCheckImageRect : d->ActiveUnCheckImageRect;
  UnEnabledCheckImageRect = IsNullRect(d->UnEnabledCheckImageRect) ? CheckImageRect : d->UnEnabledCheckImageRect;
  UnEnabledUnCheckImageRect =
      IsNullRect(d->UnEnabledUnCheckImageRect) ? UnCheckImageRect : d->UnEnabledUnCheckImageRect;
  GrayedCheckImageRect = d->GrayedCheckImageRect;
  ActiveGrayedCheckImageRect = d->ActiveGrayedCheckImageRect;
  // A flat box draws no face: nothing to morph and no shape of its own.
  if (FFlat) MaskPicture = nullptr;
}

void TspSkinCheckRadioBox::ApplySkin() {
  if (!FFlat) {
    TspSkinCustomControl::ApplySkin();
    return;
  }
  RefreshSkinDescriptor();
  Invalidate();
}

void TspSkinCheckRadioBox::ParentBackgroundChanged() {
  if (FFlat) Invalidate();
  else TspSkinCustomControl::ParentBackgroundChanged();
}

RECT TspSkinCheckRadioBox::BoxImageRect(bool& Lighten) const {
  Lighten = false;
  const bool hot = FMouseIn && GetEnabled();
  if (FState == cbGrayed) {
    if (hot && !IsNullRect(ActiveGrayedCheckImageRect)) return ActiveGrayedCheckImageRect;
    if (!IsNullRect(GrayedCheckImageRect)) return GrayedCheckImageRect;
    Lighten = true;
    return !GetEnabled() ? UnEnabledCheckImageRect : hot ? ActiveCheckImageRect : CheckImageRect;
  }
  const bool checked = FState == cbChecked;
  if (!GetEnabled()) return checked ? UnEnabledCheckImageRect : UnEnabledUnCheckImageRect;
  if (hot) return checked ? ActiveCheckImageRect : ActiveUnCheckImageRect;
  return checked ? CheckImageRect : UnCheckImageRect;
}

void TspSkinCheckRadioBox::DrawBox(TCanvas* Canvas, int X, int Y) {
  bool lighten = false;
  const RECT r = BoxImageRect(lighten);
  if (!Picture || IsNullRect(r)) return;
  auto box = MakeOwned<TBitmap>();
  if (!SizeSkinBitmap(box.get(), RectWidth(r), RectHeight(r))) return;
  CopySkinPiece(box.get(), RECT{0, 0, RectWidth(r), RectHeight(r)}, Picture, r);
  if (lighten) {
    box->FreeContext();
    TspEffectBmp light(box->GetHandle());
    light.Lighten(0.5);
    light.DrawTo(box->GetCanvas()->GetHandle(), 0, 0);
  }
  // Transparent in the colour of its bottom-left pixel.
  box->SetTransparent(true);
  Canvas->Draw(X, Y, box.get());
}

void TspSkinCheckRadioBox::DrawCaption(TCanvas* Canvas, int X, const RECT& Area, TColor Colour) {
  const int h = RectHeight(Area);
  int x = X;
  const bool image = FImages && FImageIndex >= 0 && FImageIndex < FImages->GetCount();
  if (image) {
    FImages->Draw(Canvas, x, Area.top + h / 2 - FImages->GetHeight() / 2, FImageIndex, GetEnabled());
    x += FImages->GetWidth() + 8;
  }
  std::string caption = GetCaption();
  Canvas->GetFont()->SetColor(Colour);
  Canvas->GetBrush()->SetStyle(bsClear);
  RECT text{x, Area.top, Area.right, Area.bottom};
  if (!caption.empty()) {
    if (FWordWrap) {
      RECT measure{x, 0, Area.right, 0};
      std::string m = caption;
      Canvas->TextRect(measure, m, TTextFormat{tfCalcRect, tfWordBreak});
      const int th = RectHeight(measure);
      text = RECT{x, std::max<int>(Area.top, Area.top + h / 2 - th / 2), Area.right, 0};
      text.bottom = text.top + th;
      Canvas->TextRect(text, caption, TTextFormat{tfWordBreak});
    } else {
      const SIZE size = Canvas->TextExtent(caption);
      text = RECT{x, Area.top + h / 2 - size.cy / 2, std::min<int>(x + size.cx, Area.right), 0};
      text.bottom = text.top + size.cy;
      Canvas->TextRect(text, caption, TTextFormat{tfSingleLine, tfVerticalCenter, tfLeft});
    }
  }
  if (IsFocused() && FCanFocused) {
    RECT focus = caption.empty() && image
                     ? RECT{X, Area.top + h / 2 - FImages->GetHeight() / 2, X + FImages->GetWidth(),
                            Area.top + h / 2 - FImages->GetHeight() / 2 + FImages->GetHeight()}
                     : text;
    InflateRect(&focus, 2, 1);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(FSD && FIndex != -1 ? FSD->GetSkinColors()->cBtnFace : clBtnFace);
    Canvas->DrawFocusRect(focus);
  }
}

void TspSkinCheckRadioBox::DrawFlat(TBitmap* Bitmap) {
  const int w = GetWidth(), h = GetHeight();
  if (!SizeSkinBitmap(Bitmap, w, h)) return;
  DrawParentBackground(this, Bitmap->GetCanvas());
  TCanvas* canvas = Bitmap->GetCanvas();
  const int boxW = RectWidth(CheckImageRect), boxH = RectHeight(CheckImageRect);
  DrawBox(canvas, 3, h / 2 - boxH / 2);
  SelectSkinFont(canvas, this, FontName, FontHeight, FontStyle);
  TColor colour = GetEnabled() ? FrameFontColor : UnEnabledFontColor;
  if (!FUseSkinFontColor) colour = GetDefaultFont()->GetColor();
  DrawCaption(canvas, boxW + 7, RECT{0, 0, w - 2, h}, colour);
}

void TspSkinCheckRadioBox::DrawSkinImage(TBitmap* Bitmap) {
  if (FFlat) {
    DrawFlat(Bitmap);
    return;
  }
  const int w = GetWidth(), h = GetHeight();
  const bool hot = FMouseIn || (IsFocused() && FCanFocused);
  CreateSkinImage(Bitmap, hot ? ActiveSkinRect : FGeometry.S);
  if ((Bitmap->GetWidth() != w || Bitmap->GetHeight() != h) && !SizeSkinBitmap(Bitmap, w, h)) return;
  const int dw = w - RectWidth(FGeometry.S), dh = h - RectHeight(FGeometry.S);
  RECT area = CheckImageArea;
  if (area.left >= TextArea.right) OffsetRect(&area, dw, 0);
  const RECT text{TextArea.left, TextArea.top, TextArea.right + dw, TextArea.bottom + dh};
  const int boxW = RectWidth(CheckImageRect), boxH = RectHeight(CheckImageRect);
  DrawBox(Bitmap->GetCanvas(), area.left + RectWidth(area) / 2 - boxW / 2, area.top + RectHeight(area) / 2 - boxH / 2);
  SelectSkinFont(Bitmap->GetCanvas(), this, FontName, FontHeight, FontStyle);
  TColor colour = !GetEnabled() ? UnEnabledFontColor : hot ? ActiveFontColor : FontColor;
  if (!FUseSkinFontColor && GetEnabled()) colour = GetDefaultFont()->GetColor();
  DrawCaption(Bitmap->GetCanvas(), text.left, text, colour);
}

void TspSkinCheckRadioBox::DrawDefaultImage(TCanvas* Canvas) {
  const int w = GetWidth(), h = GetHeight();
  if (FFlat) {
    DrawParentBackground(this, Canvas);
  } else {
    Canvas->GetBrush()->SetColor(clBtnFace);
    Canvas->FillRect(RECT{0, 0, w, h});
    if (FMouseIn || IsFocused()) {
      Canvas->GetBrush()->SetColor(clBtnShadow);
      Canvas->FrameRect(RECT{0, 0, w, h});
    }
  }
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->GetBrush()->SetColor(clWindow);
  const RECT box{3, h / 2 - 7, 17, h / 2 + 7};
  Canvas->FillRect(box);
  Canvas->GetBrush()->SetColor(FMouseIn ? TColor(0x00800000) : clBtnShadow);
  Canvas->FrameRect(box);
  const TColor mark = GetEnabled() ? clBlack : clBtnShadow;
  if (FRadio) {
    if (FChecked) DrawCheckSquare(Canvas, 7, h / 2 - 3, mark);
  } else if (FState == cbChecked) {
    DrawCheckMark(Canvas, 7, h / 2 - 4, mark);
  } else if (FState == cbGrayed) {
    DrawCheckMark(Canvas, 7, h / 2 - 4, clGrayText);
  }
  Canvas->GetFont()->Assign(GetDefaultFont());
  DrawCaption(Canvas, 22, RECT{0, 0, w - 2, h}, GetEnabled() ? GetDefaultFont()->GetColor() : clBtnShadow);
}

void TspSkinCheckRadioBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && FCanFocused && !IsFocused() && CanFocus()) SetFocus();
  TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FMouseIn = true;
  Invalidate();
}

void TspSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && FMouseIn) ClickedByUser();
}

void TspSkinCheckRadioBox::KeyUp(WORD& Key, TShiftState Shift) {
  TspSkinCustomControl::KeyUp(Key, Shift);
  if (Key == VK_SPACE && FCanFocused && IsFocused()) ClickedByUser();
}

void TspSkinCheckRadioBox::ActionChange(TObject* Sender, bool CheckDefaults) {
  TspSkinCustomControl::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (action && (!CheckDefaults || !FChecked)) SetChecked(action->GetChecked());
}

void TspSkinCheckRadioBox::Notification(TComponent* AComponent, TOperation Operation) {
  TspSkinCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TspSkinCheckRadioBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) {
        FMouseIn = true;
        Invalidate();
      }
      break;
    case CM_MOUSELEAVE:
      if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) {
        FMouseIn = false;
        Invalidate();
      }
      break;
    case CM_ENABLEDCHANGED:
      FMouseIn = false;
      Invalidate();
      break;
    case WM_MOVE:
      TspSkinCustomControl::WndProc(Message);
      if (FFlat) Invalidate();
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TspSkinCustomControl::WndProc(Message);
      Invalidate();
      return;
    case CM_DIALOGCHAR:
      if (IsSkinAccel(Message.WParam, GetCaption()) && FCanFocused && CanFocus()) {
        SetFocus();
        Toggle();
        Message.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TspSkinCustomControl::WndProc(Message);
}
