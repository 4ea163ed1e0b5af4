#include "suite/bars/BarCaptionButtons.h"

#include "framework/Bitmap.h"
#include "framework/Published.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarScreenTips.h"
#include "suite/bars/Bars.h"

// ---- TdxBarCaptionButton

SONVELT_PUBLISHED(TdxBarCaptionButton, P) {
  P.Boolean("Enabled", &TdxBarCaptionButton::GetEnabled, &TdxBarCaptionButton::SetEnabled).Default(true);
  P.Object("Glyph", &TdxBarCaptionButton::GetGlyph);
  P.String("Hint", &TdxBarCaptionButton::GetHint, &TdxBarCaptionButton::SetHint);
  P.String("KeyTip", &TdxBarCaptionButton::GetKeyTip, &TdxBarCaptionButton::SetKeyTip);
  P.Component("ScreenTip", &TdxBarCaptionButton::GetScreenTip, &TdxBarCaptionButton::SetScreenTip);
  P.Event("OnClick", &TdxBarCaptionButton::OnClick);
}

TdxBarCaptionButton::TdxBarCaptionButton(TCollection* Collection)
    : TcxInterfacedCollectionItem(Collection),
      FGlyph(TBitmap::Create()),
      FScreenTipWatcher(TcxFreeNotificator::Create(nullptr)) {
  FGlyph->OnChange = Bind(this, &TdxBarCaptionButton::GlyphChanged);
  FScreenTipWatcher->OnFreeNotification = Bind(this, &TdxBarCaptionButton::ScreenTipFreed);
}

TdxBarCaptionButton::~TdxBarCaptionButton() = default;

void TdxBarCaptionButton::Assign(TPersistent* Source) {
  auto* B = dynamic_cast<TdxBarCaptionButton*>(Source);
  if (!B) {
    TcxInterfacedCollectionItem::Assign(Source);
    return;
  }
  SetEnabled(B->FEnabled);
  SetGlyph(B->GetGlyph());
  FHint = B->FHint;
  FKeyTip = B->FKeyTip;
  FRect = B->FRect;
  SetScreenTip(B->FScreenTip);
  SetOnClick(B->OnClick);
}

TdxBarCaptionButtons* TdxBarCaptionButton::GetCaptionButtons() const {
  return static_cast<TdxBarCaptionButtons*>(GetCollection());
}

void TdxBarCaptionButton::SetEnabled(bool Value) {
  FEnabled = Value;
  FState = Value ? cbsNormal : cbsDisabled;
  Changed(false);
}

void TdxBarCaptionButton::SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }

void TdxBarCaptionButton::GlyphChanged(TObject* Sender) { Changed(false); }

void TdxBarCaptionButton::SetScreenTip(TdxBarScreenTip* Value) {
  if (FScreenTip == Value) return;
  FScreenTipWatcher->UnwatchComponent(FScreenTip);
  FScreenTip = Value;
  FScreenTipWatcher->WatchComponent(Value);
}

void TdxBarCaptionButton::ScreenTipFreed(TObject* Sender, TComponent* Component) {
  if (Component == FScreenTip) FScreenTip = nullptr;
}

void TdxBarCaptionButton::SetState(int Value) {
  if (FState == Value) return;
  FState = Value;
  TdxBarCaptionButtons* Buttons = GetCaptionButtons();
  TdxBar* Bar = Buttons ? Buttons->GetOwnerBar() : nullptr;
  if (TCustomdxBarControl* W = Bar ? Bar->GetBarControl() : nullptr) W->ShowItemHint(Value == cbsHot ? FHint : std::string());
  Changed(false);
}

void TdxBarCaptionButton::SetOnClick(TNotifyEvent Value) {
  OnClick = Value;
  Changed(true);
}

// ---- TdxBarCaptionButtons

TdxBarCaptionButtons::TdxBarCaptionButtons(TdxBar* ABar)
    : TcxOwnedInterfacedCollection(ABar, TdxBarCaptionButton::StaticClass()), FBar(ABar) {}

int TdxBarCaptionButtons::IndexOfButtonAt(POINT P) const {
  for (int I = 0; I < GetCount(); ++I) {
    TdxBarCaptionButton* B = GetButton(I);
    RECT R = B->GetRect();
    if (B->GetEnabled() && PtInRect(&R, P)) return I;
  }
  return -1;
}

void TdxBarCaptionButtons::UpdateButtonStates(POINT P, bool Pressed) {
  for (int I = 0; I < GetCount(); ++I) {
    TdxBarCaptionButton* B = GetButton(I);
    if (!B->GetEnabled()) continue;
    RECT R = B->GetRect();
    if (PtInRect(&R, P) || B->GetKeyboardSelected())
      B->SetState(Pressed ? cbsPressed : cbsHot);
    else
      B->SetState(cbsNormal);
  }
}

RECT TdxBarCaptionButtons::CalcButtonsBounds() const {
  RECT U{0, 0, 0, 0};
  for (int I = 0; I < GetCount(); ++I) {
    RECT R = GetButton(I)->GetRect();
    if (IsRectEmpty(&R)) continue;
    if (IsRectEmpty(&U))
      U = R;
    else
      UnionRect(&U, &U, &R);
  }
  return U;
}
