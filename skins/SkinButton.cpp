#include "skins/SkinButton.h"

#include <cctype>

#include "framework/Action.h"
#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Published.h"
#include "skins/SkinData.h"
#include "skins/SkinEffectBitmap.h"
#include "skins/SkinResourceStrings.h"

namespace {

const bool Registered = (RegisterClass(TspSkinButton::StaticClass()), true);

}  // namespace

SONVELT_PUBLISHED(TspSkinButton, P) {
  P.String("Caption", &TspSkinButton::GetCaption, &TspSkinButton::SetCaption);
  P.Object("Glyph", &TspSkinButton::GetGlyph).Stored([](TspSkinButton* B) { return !B->GetGlyph()->GetEmpty(); });
  P.Integer("NumGlyphs", &TspSkinButton::GetNumGlyphs, &TspSkinButton::SetNumGlyphs).Default(1);
  P.Component("ImageList", &TspSkinButton::GetImageList, &TspSkinButton::SetImageList);
  P.Integer("ImageIndex", &TspSkinButton::GetImageIndex, &TspSkinButton::SetImageIndex).Default(-1);
  P.Enum("Layout", &TspSkinButton::GetLayout, &TspSkinButton::SetLayout,
         {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"})
      .Default(blGlyphLeft);
  P.Integer("Margin", &TspSkinButton::GetMargin, &TspSkinButton::SetMargin).Default(-1);
  P.Integer("Spacing", &TspSkinButton::GetSpacing, &TspSkinButton::SetSpacing).Default(1);
  P.Boolean("UseSkinSize", &TspSkinButton::GetUseSkinSize, &TspSkinButton::SetUseSkinSize).Default(true);
  P.Boolean("UseSkinFontColor", &TspSkinButton::GetUseSkinFontColor, &TspSkinButton::SetUseSkinFontColor)
      .Default(true);
  P.Boolean("Down", &TspSkinButton::GetDown, &TspSkinButton::SetDown).Default(false);
  P.Integer("GroupIndex", &TspSkinButton::GetGroupIndex, &TspSkinButton::SetGroupIndex).Default(0);
  P.Boolean("AllowAllUp", &TspSkinButton::GetAllowAllUp, &TspSkinButton::SetAllowAllUp).Default(false);
  P.Boolean("RepeatMode", &TspSkinButton::GetRepeatMode, &TspSkinButton::SetRepeatMode).Default(false);
  P.Integer("RepeatInterval", &TspSkinButton::GetRepeatInterval, &TspSkinButton::SetRepeatInterval).Default(100);
  P.Boolean("CanFocused", &TspSkinButton::GetCanFocused, &TspSkinButton::SetCanFocused).Default(true);
  P.Boolean("Default", &TspSkinButton::GetDefault, &TspSkinButton::SetDefault).Default(false);
  P.Boolean("Cancel", &TspSkinButton::GetCancel, &TspSkinButton::SetCancel).Default(false);
  P.Integer("ModalResult", &TspSkinButton::GetModalResult, &TspSkinButton::SetModalResult).Default(mrNone);
  P.Event("OnPaint", &TspSkinButton::OnPaint);
  P.Event("OnMouseDown", &TControl::OnMouseDown);
  P.Event("OnMouseMove", &TControl::OnMouseMove);
  P.Event("OnMouseUp", &TControl::OnMouseUp);
  P.Event("OnResize", &TControl::OnResize);
}

TspSkinButton::TspSkinButton(TComponent* AOwner) : TspSkinCustomControl(AOwner), FGlyph(MakeOwned<TBitmap>()) {
  SetBounds(0, 0, 75, 25);
  FSkinDataName = "button";
  // The button decides itself when a release is a click.
  SetControlStyle(GetControlStyle() - csClickEvents);
  SetTabStop(true);
  FGlyph->OnChange = Bind(this, &TspSkinButton::GlyphChanged);
}

TspSkinButton::~TspSkinButton() = default;

void TspSkinButton::DestroyWnd() {
  // The window's timers go with it; so does any work they were doing.
  StopMorph();
  StopAnimation();
  StopRepeat();
  TspSkinCustomControl::DestroyWnd();
}

void TspSkinButton::GlyphChanged(TObject*) {
  FGlyphFromAction = false;
  Invalidate();
}

void TspSkinButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  Invalidate();
}

void TspSkinButton::SetNumGlyphs(TspNumGlyphs Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TspSkinButton::SetImageList(TCustomImageList* Value) {
  FImageList = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TspSkinButton::SetImageIndex(int Value) {
  FImageIndex = Value;
  Invalidate();
}

void TspSkinButton::SetLayout(TspButtonLayout Value) {
  FButtonLayout = Value;
  Invalidate();
}

void TspSkinButton::SetMargin(int Value) {
  FMargin = std::max(Value, -1);
  Invalidate();
}

void TspSkinButton::SetSpacing(int Value) {
  FSpacing = Value;
  Invalidate();
}

void TspSkinButton::SetUseSkinSize(bool Value) {
  FUseSkinSize = Value;
  if (FIndex != -1) ApplySkin();
}

void TspSkinButton::SetUseSkinFontColor(bool Value) {
  FUseSkinFontColor = Value;
  Invalidate();
}

void TspSkinButton::SetGroupIndex(int Value) {
  FGroupIndex = Value;
  if (Value != 0) SetCanFocused(false);
}

void TspSkinButton::SetCanFocused(bool Value) {
  FCanFocused = Value;
  SetTabStop(Value);
}

void TspSkinButton::SetDefault(bool Value) {
  FDefault = Value;
  if (TCustomForm* form = ::GetParentForm(this)) form->Perform(CM_FOCUSCHANGED, 0, 0);
  Invalidate();
}

bool TspSkinButton::IsFocused() const { return HandleAllocated() && GetFocus() == const_cast<TspSkinButton*>(this)->GetHandle(); }

bool TspSkinButton::ActiveDefault() const {
  if (IsFocused()) return true;
  if (!FDefault) return false;
  TCustomForm* form = ::GetParentForm(this);
  TWinControl* active = form ? form->GetActiveControl() : nullptr;
  return !dynamic_cast<TspSkinButton*>(active);
}

bool TspSkinButton::IsHot() const {
  return FMouseIn || (FCanFocused && FDefault && ActiveDefault() && !IsFocused());
}

bool TspSkinButton::MorphingInEffect() const { return Morphing && FIndex != -1 && SkinEffectsEnabled(); }

void TspSkinButton::RefreshSkinDescriptor() {
  TspSkinCustomControl::RefreshSkinDescriptor();
  auto* d = dynamic_cast<TspDataSkinButtonControl*>(Descriptor());
  if (!d) {
    Morphing = false;
    return;
  }
  FontName = d->FontName;
  FontHeight = d->FontHeight;
  FontStyle = d->FontStyle;
  FontColor = d->FontColor;
  ActiveFontColor = d->ActiveFontColor;
  DownFontColor = d->DownFontColor;
  DisabledFontColor = d->DisabledFontColor == d->FontColor ? TColor(0x00808080) : d->DisabledFontColor;
  Morphing = d->Morphing;
  MorphKind = d->MorphKind;
  ActiveSkinRect = IsNullRect(d->ActiveSkinRect) ? FGeometry.S : d->ActiveSkinRect;
  DownSkinRect = IsNullRect(d->DownSkinRect) ? ActiveSkinRect : d->DownSkinRect;
  FocusedSkinRect = d->FocusedSkinRect;
  DisabledSkinRect = d->DisabledSkinRect;
  AnimateSkinRect = d->AnimateSkinRect;
  FrameCount = d->FrameCount;
  AnimateInterval = d->AnimateInterval;
  ShowFocus = d->ShowFocus;
  if (!FUseSkinSize) MaskPicture = nullptr;
}

void TspSkinButton::ApplySkin() {
  StopAnimation();
  StopMorph();
  FMorphKf = IsHot() || IsFocused() ? 1 : 0;
  TspSkinCustomControl::ApplySkin();
}

// --- timers --------------------------------------------------------------------

bool TspSkinButton::StartTimer(UINT_PTR Id, unsigned Interval) {
  if (!HandleAllocated()) return false;
  return SetTimer(GetHandle(), Id, Interval, nullptr) != 0;
}

void TspSkinButton::StopTimer(UINT_PTR Id) {
  if (HandleAllocated()) KillTimer(GetHandle(), Id);
}

void TspSkinButton::StartMorph() {
  const bool up = IsHot() || (IsFocused() && FCanFocused);
  if (!MorphingInEffect()) {
    StopMorph();
    FMorphKf = up ? 1 : 0;
    Invalidate();
    return;
  }
  if (FMorphKf == (up ? 1.0 : 0.0)) {
    StopMorph();
    Invalidate();
    return;
  }
  if (!FMorphTimer) FMorphTimer = StartTimer(MorphTimerID, 20);
  if (!FMorphTimer) FMorphKf = up ? 1 : 0;
  Invalidate();
}

void TspSkinButton::StopMorph() {
  if (FMorphTimer) StopTimer(MorphTimerID);
  FMorphTimer = false;
}

void TspSkinButton::MorphTick() {
  const bool up = IsHot() || (IsFocused() && FCanFocused);
  FMorphKf += up ? 0.2 : -0.2;
  // Arrived: exactly at the end, and the timer goes.
  if (FMorphKf >= 1 - 1e-9) {
    FMorphKf = 1;
    StopMorph();
  } else if (FMorphKf <= 1e-9) {
    FMorphKf = 0;
    StopMorph();
  }
  Invalidate();
}

int TspSkinButton::AnimationFrameCount() const {
  // A count of 0 or less, or more frames than the strip has pixels, is no animation.
  if (FrameCount <= 0 || IsNullRect(AnimateSkinRect)) return 0;
  const bool across = RectWidth(AnimateSkinRect) > RectWidth(FGeometry.S);
  const int length = across ? RectWidth(AnimateSkinRect) : RectHeight(AnimateSkinRect);
  return length / FrameCount >= 1 ? FrameCount : 0;
}

RECT TspSkinButton::AnimationFrameRect(int Frame) const {
  const RECT& a = AnimateSkinRect;
  if (RectWidth(a) > RectWidth(FGeometry.S)) {
    const int w = RectWidth(a) / FrameCount;
    return RECT{a.left + (Frame - 1) * w, a.top, a.left + Frame * w, a.bottom};
  }
  const int h = RectHeight(a) / FrameCount;
  return RECT{a.left, a.top + (Frame - 1) * h, a.right, a.top + Frame * h};
}

void TspSkinButton::StartAnimation(bool Forward) {
  const int count = AnimationFrameCount();
  if (count == 0 || FIndex == -1 || !SkinEffectsEnabled()) return;
  StopAnimation();
  FAnimateForward = Forward;
  FAnimateFrame = Forward ? 1 : count;
  FAnimateTimer = StartTimer(AnimateTimerID, unsigned(std::max(AnimateInterval, 1)));
  if (!FAnimateTimer) FAnimateFrame = 0;
  Invalidate();
}

void TspSkinButton::StopAnimation() {
  if (FAnimateTimer) StopTimer(AnimateTimerID);
  FAnimateTimer = false;
  FAnimateFrame = 0;
}

void TspSkinButton::AnimateTick() {
  const int count = AnimationFrameCount();
  if (count == 0 || (FAnimateForward ? FAnimateFrame >= count : FAnimateFrame <= 1)) StopAnimation();
  else FAnimateFrame += FAnimateForward ? 1 : -1;
  Invalidate();
}

void TspSkinButton::StartRepeat() {
  StopRepeat();
  if (StartTimer(RepeatTimerID, 500)) FRepeatTimer = 500;
}

void TspSkinButton::StopRepeat() {
  if (FRepeatTimer) StopTimer(RepeatTimerID);
  FRepeatTimer = 0;
}

void TspSkinButton::RepeatTick() {
  // After the first pause, every RepeatInterval.
  const unsigned interval = unsigned(std::max(FRepeatInterval, 1));
  if (FRepeatTimer != interval && StartTimer(RepeatTimerID, interval)) FRepeatTimer = interval;
  ExecuteClick();
}

// --- state -----------------------------------------------------------------------

void TspSkinButton::SetDown(bool Value) {
  FDown = Value;
  if (MorphingInEffect()) {
    if (Value) {
      FMorphKf = 1;
      StopMorph();
    } else {
      StartMorph();
    }
  }
  Invalidate();
  if (Value && Grouped() && !FAllowAllUp && GetParent()) {
    for (int i = 0; i < GetParent()->GetControlCount(); ++i) {
      auto* other = dynamic_cast<TspSkinButton*>(GetParent()->GetControl(i));
      if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) other->SetDown(false);
    }
  }
}

void TspSkinButton::ExecuteClick() {
  if (FCanFocused) {
    if (TCustomForm* form = ::GetParentForm(this)) form->SetModalResult(FModalResult);
  }
  if (GetComponentState().Contains(csDesigning)) {
    OnClick(this);
    return;
  }
  Click();
}

void TspSkinButton::MouseEnter() {
  if (GetComponentState().Contains(csDesigning)) return;
  FMouseIn = true;
  if ((Grouped() && !FDown) || (!Grouped() && (!IsFocused() || FDown))) {
    if (FDown) {
      if (MorphingInEffect()) FMorphKf = 1;
      Invalidate();
    } else {
      StartAnimation(true);
      StartMorph();
    }
  }
  if (FDown && !Grouped() && FRepeatMode && FMouseDown) StartRepeat();
}

void TspSkinButton::MouseLeave() {
  const bool highlighted = FCanFocused && FDefault && ActiveDefault() && !IsFocused();
  if (!highlighted) FMouseIn = false;
  if (!highlighted && ((Grouped() && !FDown) || (!Grouped() && (!IsFocused() || FDown)))) {
    StartAnimation(false);
    StartMorph();
  }
  if (FDown && !Grouped()) StopRepeat();
}

void TspSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && FCanFocused && !IsFocused()) {
    // The press first takes the focus; it is dropped when the focus cannot be had.
    if (!CanFocus()) return;
    SetFocus();
    if (!IsFocused()) return;
  }
  TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  StopAnimation();
  FMouseDown = true;
  if (!FDown) {
    FMouseIn = true;
    SetDown(true);
    if (!Grouped() && FRepeatMode) StartRepeat();
    if (Grouped()) ExecuteClick();
  } else if (Grouped()) {
    FPressedWhenDown = true;
  }
}

void TspSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FMouseDown = false;
  if (!Grouped()) {
    StopRepeat();
    if (FMouseIn) {
      const bool wasDown = FDown;
      SetDown(false);
      if (wasDown) ExecuteClick();
    } else {
      FDown = false;
    }
  } else if (FDown && FAllowAllUp && FPressedWhenDown && FMouseIn) {
    SetDown(false);
    ExecuteClick();
  }
  FPressedWhenDown = false;
}

void TspSkinButton::KeyDown(WORD& Key, TShiftState Shift) {
  TspSkinCustomControl::KeyDown(Key, Shift);
  if (!FCanFocused) return;
  if (Key == VK_SPACE && !FDown) {
    SetDown(true);
    if (FRepeatMode) ExecuteClick();
  } else if (Key == VK_RETURN) {
    ExecuteClick();
  }
}

void TspSkinButton::KeyUp(WORD& Key, TShiftState Shift) {
  TspSkinCustomControl::KeyUp(Key, Shift);
  if (!FCanFocused || Key != VK_SPACE || !FDown) return;
  SetDown(false);
  ExecuteClick();
}

void TspSkinButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TspSkinCustomControl::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action || !action->GetActionList()) return;
  TCustomImageList* images = action->GetActionList()->GetImages();
  const int index = action->GetImageIndex();
  if (!images || index < 0 || index >= images->GetCount() || !(FGlyph->GetEmpty() || FGlyphFromAction)) return;
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(images->GetWidth(), images->GetHeight());
  glyph->GetCanvas()->GetBrush()->SetColor(TColor(0x00FF00FF));
  glyph->GetCanvas()->FillRect(RECT{0, 0, images->GetWidth(), images->GetHeight()});
  images->Draw(glyph->GetCanvas(), 0, 0, index, true);
  FGlyph->Assign(glyph.get());
  FGlyphFromAction = true;
  Invalidate();
}

void TspSkinButton::Notification(TComponent* AComponent, TOperation Operation) {
  // Timers never outlive the skin they draw from.
  if (Operation == opRemove && AComponent && AComponent == FSD) {
    StopMorph();
    StopAnimation();
  }
  TspSkinCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImageList) FImageList = nullptr;
}

void TspSkinButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_TIMER:
      switch (Message.WParam) {
        case MorphTimerID:
          if (FMorphTimer) MorphTick();
          return;
        case AnimateTimerID:
          if (FAnimateTimer) AnimateTick();
          return;
        case RepeatTimerID:
          if (FRepeatTimer) RepeatTick();
          return;
        default: break;
      }
      break;
    case CM_MOUSEENTER:
      if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) MouseEnter();
      break;
    case CM_MOUSELEAVE:
      if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) MouseLeave();
      break;
    case CM_ENABLEDCHANGED:
      StopMorph();
      FMorphKf = 0;
      FMouseIn = false;
      Invalidate();
      break;
    case WM_SETFOCUS:
      TspSkinCustomControl::WndProc(Message);
      if (FCanFocused) {
        StartAnimation(true);
        StartMorph();
      }
      return;
    case WM_KILLFOCUS:
      TspSkinCustomControl::WndProc(Message);
      StopRepeat();
      if (!Grouped() && FDown) FDown = false;
      StartAnimation(false);
      StartMorph();
      return;
    case CM_DIALOGKEY: {
      const bool enabled = GetEnabled() && IsShowing();
      if (Message.WParam == VK_RETURN && enabled && !IsFocused() && ActiveDefault()) {
        ExecuteClick();
        Message.Result = 1;
        return;
      }
      if (Message.WParam == VK_ESCAPE && enabled && FCancel && FCanFocused && GetKeyState(VK_SHIFT) >= 0 &&
          CanFocus()) {
        ExecuteClick();
        Message.Result = 1;
        return;
      }
      break;
    }
    case CM_DIALOGCHAR:
      if (IsSkinAccel(Message.WParam, GetCaption()) && FCanFocused && CanFocus()) {
        SetFocus();
        ExecuteClick();
        Message.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TspSkinCustomControl::WndProc(Message);
}

// --- painting --------------------------------------------------------------------

int TspSkinButton::GlyphState(bool Hot, bool Pressed) const {
  if (Hot && Pressed && FNumGlyphs > 2) return 3;
  if (Hot && FNumGlyphs > 3) return 4;
  if (GetEnabled() || FNumGlyphs < 2) return 1;
  return 2;
}

void TspSkinButton::DrawCaptionAndGlyph(TCanvas* Canvas, const RECT& R, bool Hot, bool Pressed) {
  bool drawDefault = true;
  OnPaint(Canvas, R, drawDefault, Hot, Pressed);
  if (!drawDefault) return;
  const std::string caption = const_cast<TspSkinButton*>(this)->GetCaption();
  if (FImageList && FImageIndex >= 0 && FImageIndex < FImageList->GetCount())
    DrawImageGlyphAndCaption(Canvas, R, FMargin, 0, false, GetEnabled(), Pressed, FImageList, FImageIndex, caption,
                             FButtonLayout, FSpacing);
  else
    DrawBitmapGlyphAndCaption(Canvas, R, FMargin, 0, false, Pressed, FGlyph.get(), FNumGlyphs,
                              GlyphState(Hot, Pressed), caption, FButtonLayout, FSpacing);
}

void TspSkinButton::DrawButtonFace(TBitmap* Bitmap, const RECT& R, bool Hot, bool Pressed) {
  const int w = GetWidth(), h = GetHeight();
  RECT layout;
  if (!FUseSkinSize && ResizeMode != 1) {
    if (!SizeSkinBitmap(Bitmap, w, h)) return;
    if (ResizeMode == 0 && Picture) CopySkinPiece(Bitmap, RECT{0, 0, w, h}, Picture, R);
    else if (Picture) StretchSkinFrame(Bitmap, Picture, R, FGeometry.C);
    const RECT& c = FGeometry.C;
    layout = RECT{c.left, c.top, c.right + w - RectWidth(R), c.bottom + h - RectHeight(R)};
  } else {
    CreateSkinImage(Bitmap, R);
    layout = FLayout.NC;
  }
  TCanvas* canvas = Bitmap->GetCanvas();
  SelectSkinFont(canvas, this, FontName, FontHeight, FontStyle);
  TColor colour;
  if (GetEnabled() && !FUseSkinFontColor) colour = GetDefaultFont()->GetColor();
  else if (!GetEnabled()) colour = DisabledFontColor;
  else if (Hot && Pressed) colour = DownFontColor;
  else if (Hot) colour = ActiveFontColor;
  else colour = FontColor;
  canvas->GetFont()->SetColor(colour);
  if (ShowFocus && IsFocused()) {
    canvas->GetBrush()->SetColor(FSD ? FSD->GetSkinColors()->cBtnFace : clBtnFace);
    canvas->DrawFocusRect(layout);
  }
  DrawCaptionAndGlyph(canvas, layout, Hot, Pressed);
}

void TspSkinButton::DrawSkinImage(TBitmap* Bitmap) {
  const RECT& s = FGeometry.S;
  const bool focused = IsFocused() && FCanFocused;
  if (MorphingInEffect() && FMorphKf != 0 && FMorphKf != 1 && GetEnabled()) {
    auto normal = MakeOwned<TBitmap>(), active = MakeOwned<TBitmap>();
    DrawButtonFace(normal.get(), s, false, false);
    DrawButtonFace(active.get(), ActiveSkinRect, true, false);
    normal->FreeContext();
    active->FreeContext();
    TspEffectBmp from(normal->GetHandle()), to(active->GetHandle());
    from.Morph(MorphKind, &to, FMorphKf);
    Bitmap->SetSize(from.GetWidth(), from.GetHeight());
    from.DrawTo(Bitmap->GetCanvas()->GetHandle(), 0, 0);
    return;
  }
  const bool hot = IsHot();
  // A running focus animation shows its frame in place of the face it moves to or from.
  const bool animating = FAnimateTimer && FAnimateFrame > 0 && AnimationFrameCount() > 0;
  const RECT frame = animating ? AnimationFrameRect(FAnimateFrame) : RECT{};
  const RECT active = animating && FAnimateForward ? frame : ActiveSkinRect;
  const RECT normal = animating && !FAnimateForward ? frame : s;
  if (!GetEnabled() && !IsNullRect(DisabledSkinRect)) DrawButtonFace(Bitmap, DisabledSkinRect, false, false);
  else if (FDown && (Grouped() || hot || (focused && !FMouseDown))) DrawButtonFace(Bitmap, DownSkinRect, true, true);
  else if (focused && !IsNullRect(FocusedSkinRect) && !animating) DrawButtonFace(Bitmap, FocusedSkinRect, true, false);
  else if (focused || hot) DrawButtonFace(Bitmap, active, true, false);
  else if (!MorphingInEffect() || FMorphKf != 1) DrawButtonFace(Bitmap, normal, false, false);
  else DrawButtonFace(Bitmap, active, true, false);
}

void TspSkinButton::DrawDefaultImage(TCanvas* Canvas) {
  const int w = GetWidth(), h = GetHeight();
  const RECT r{0, 0, w, h};
  Canvas->GetBrush()->SetColor(clBtnFace);
  Canvas->FillRect(r);
  Canvas->GetFont()->Assign(GetDefaultFont());
  if (!GetEnabled()) Canvas->GetFont()->SetColor(clBtnShadow);
  const bool hot = IsHot(), focused = IsFocused() && FCanFocused;
  const bool down = FDown && (Grouped() || hot || (focused && !FMouseDown));
  TColor frame = clBtnShadow, fill = clBtnFace;
  if (down) {
    frame = TColor(0x00800000);
    fill = TColor(0x00B59385);
  } else if (hot || focused) {
    frame = TColor(0x00800000);
    fill = TColor(0x00D2BDB6);
  }
  Canvas->GetBrush()->SetColor(fill);
  Canvas->FillRect(r);
  Canvas->GetBrush()->SetColor(frame);
  Canvas->FrameRect(r);
  DrawCaptionAndGlyph(Canvas, r, hot, down && hot);
}
