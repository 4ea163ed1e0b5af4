#include "suite/navbar/StatusBarKeyboardState.h"

#include <algorithm>

#include "framework/Brush.h"
#include "framework/Colors.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/navbar/StatusBar.h"

namespace {
TdxKeyStateReader KeyStateReader = nullptr;

SHORT ReadKeyState(int VirtualKey) { return KeyStateReader ? KeyStateReader(VirtualKey) : GetKeyState(VirtualKey); }

constexpr TdxStatusBarKeyboardState KeyOrder[] = {dxksCapsLock, dxksNumLock, dxksScrollLock, dxksInsert};
}  // namespace

TdxKeyStateReader SetStatusBarKeyStateReader(TdxKeyStateReader Reader) {
  TdxKeyStateReader Old = KeyStateReader;
  KeyStateReader = Reader;
  return Old;
}

// The toggle bit alone: a toggled key held down has the down bit set as well.
bool StatusBarKeyToggled(int VirtualKey) { return (ReadKeyState(VirtualKey) & 1) != 0; }

// ---- appearance

TdxStatusBarKeyStateAppearance::TdxStatusBarKeyStateAppearance(TdxStatusBarKeyboardState State, int Code,
                                                               TColor ActiveFontColor,
                                                               const std::string& ActiveCaption,
                                                               const std::string& InactiveCaption, TNotifyEvent OnChange)
    : FState(State),
      FCode(Code),
      FActiveFontColor(ActiveFontColor),
      FActiveCaption(ActiveCaption),
      FInactiveCaption(InactiveCaption),
      FOnChange(OnChange) {}

void TdxStatusBarKeyStateAppearance::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TdxStatusBarKeyStateAppearance*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  SetActiveFontColor(S->GetActiveFontColor());
  SetInactiveFontColor(S->GetInactiveFontColor());
  SetActiveCaption(S->GetActiveCaption());
  SetInactiveCaption(S->GetInactiveCaption());
}

void TdxStatusBarKeyStateAppearance::SetActiveFontColor(TColor Value) {
  FActiveFontColor = Value;
  FOnChange(this);
}

void TdxStatusBarKeyStateAppearance::SetInactiveFontColor(TColor Value) {
  FInactiveFontColor = Value;
  FOnChange(this);
}

void TdxStatusBarKeyStateAppearance::SetActiveCaption(const std::string& Value) {
  FActiveCaption = Value;
  FOnChange(this);
}

void TdxStatusBarKeyStateAppearance::SetInactiveCaption(const std::string& Value) {
  FInactiveCaption = Value;
  FOnChange(this);
}

int TdxStatusBarKeyStateAppearance::RectWidth(TFont* Font) const {
  return std::max(TextWidthInFont(Font, FActiveCaption), TextWidthInFont(Font, FInactiveCaption)) + 4;
}

SONVELT_PUBLISHED(TdxStatusBarKeyStateAppearance, P) {
  using A = TdxStatusBarKeyStateAppearance;
  P.String("ActiveCaption", &A::GetActiveCaption, &A::SetActiveCaption);
  P.Integer("ActiveFontColor", &A::GetActiveFontColor, &A::SetActiveFontColor)
      .Idents(ColorToIdent, IdentToColor)
      .Default(clWindowText);
  P.String("InactiveCaption", &A::GetInactiveCaption, &A::SetInactiveCaption);
  P.Integer("InactiveFontColor", &A::GetInactiveFontColor, &A::SetInactiveFontColor)
      .Idents(ColorToIdent, IdentToColor)
      .Default(clBtnShadow);
}

// ---- watched keys and the notifier

TdxStatusBarKeyboardStateWatchedKey::TdxStatusBarKeyboardStateWatchedKey(int Code)
    : FCode(Code), FToggled(StatusBarKeyToggled(Code)) {}

bool TdxStatusBarKeyboardStateWatchedKey::Refresh() {
  const bool Toggled = StatusBarKeyToggled(FCode);
  if (Toggled == FToggled) return false;
  FToggled = Toggled;
  return true;
}

TdxStatusBarKeyboardStateNotifier::TdxStatusBarKeyboardStateNotifier(TdxCustomStatusBar* Bar) : FBar(Bar) {
  FTimer.reset(TTimer::Create(nullptr));
  FTimer->OnTimer = Bind(this, &TdxStatusBarKeyboardStateNotifier::TimerTick);
  FTimer->SetInterval(100);
}

TdxStatusBarKeyboardStateNotifier::~TdxStatusBarKeyboardStateNotifier() { FTimer.reset(); }

void TdxStatusBarKeyboardStateNotifier::WatchKey(int Code) {
  UnwatchKey(Code);
  FKeys.emplace_back(TdxStatusBarKeyboardStateWatchedKey::Create(Code));
}

void TdxStatusBarKeyboardStateNotifier::UnwatchKey(int Code) {
  auto It = std::find_if(FKeys.begin(), FKeys.end(), [Code](const auto& K) { return K->GetCode() == Code; });
  if (It != FKeys.end()) FKeys.erase(It);
}

void TdxStatusBarKeyboardStateNotifier::CheckKeys() {
  bool Changed = false;
  for (auto& K : FKeys)
    if (K->Refresh()) Changed = true;
  if (Changed && FBar) FBar->LayoutChanged();
}

// ---- style

TdxStatusBarKeyboardStatePanelStyle::TdxStatusBarKeyboardStatePanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner) {
  const TNotifyEvent OnChange = Bind(this, &TdxStatusBarKeyboardStatePanelStyle::AppearanceChanged);
  const TColor Text = GetFont()->GetColor();
  FAppearances[dxksCapsLock].reset(
      TdxStatusBarKeyStateAppearance::Create(dxksCapsLock, VK_CAPITAL, Text, "CAPS", "CAPS", OnChange));
  FAppearances[dxksNumLock].reset(
      TdxStatusBarKeyStateAppearance::Create(dxksNumLock, VK_NUMLOCK, Text, "NUM", "NUM", OnChange));
  FAppearances[dxksScrollLock].reset(
      TdxStatusBarKeyStateAppearance::Create(dxksScrollLock, VK_SCROLL, Text, "SCRL", "SCRL", OnChange));
  FAppearances[dxksInsert].reset(
      TdxStatusBarKeyStateAppearance::Create(dxksInsert, VK_INSERT, Text, "OVR", "INS", OnChange));
  FNotifier.reset(TdxStatusBarKeyboardStateNotifier::Create(GetStatusBar()));
  for (TdxStatusBarKeyboardState K : KeyOrder) FNotifier->WatchKey(FAppearances[K]->GetCode());
}

TdxStatusBarKeyboardStatePanelStyle::~TdxStatusBarKeyboardStatePanelStyle() {
  for (int I = 3; I >= 0; --I) FNotifier->UnwatchKey(FAppearances[KeyOrder[I]]->GetCode());
  FNotifier.reset();
  for (auto& A : FAppearances) A.reset();
}

void TdxStatusBarKeyboardStatePanelStyle::SetKeyboardStates(TdxStatusBarKeyboardStates Value) {
  if (FKeyboardStates == Value) return;
  FKeyboardStates = Value;
  Changed();
}

void TdxStatusBarKeyboardStatePanelStyle::SetFullRect(bool Value) {
  if (FFullRect == Value) return;
  FFullRect = Value;
  ChangedAll();
}

void TdxStatusBarKeyboardStatePanelStyle::DoAssign(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::DoAssign(Source);
  auto* S = dynamic_cast<TdxStatusBarKeyboardStatePanelStyle*>(Source);
  if (!S) return;
  SetKeyboardStates(S->GetKeyboardStates());
  SetFullRect(S->GetFullRect());
  for (TdxStatusBarKeyboardState K : KeyOrder) FAppearances[K]->Assign(S->GetAppearance(K));
}

void TdxStatusBarKeyboardStatePanelStyle::ResetToDefaults() {
  FKeyboardStates = dxksAll;
  TdxStatusBarPanelStyle::ResetToDefaults();
}

int TdxStatusBarKeyboardStatePanelStyle::ContentMinWidth() {
  if (FKeyboardStates.Empty()) return 50;
  TdxCustomStatusBar* Bar = GetStatusBar();
  const int Separator = Bar && Bar->GetPainter() ? Bar->GetPainter()->SeparatorWidth(Bar) : 2;
  int Width = 0, Keys = 0;
  for (TdxStatusBarKeyboardState K : KeyOrder) {
    if (!FKeyboardStates.Contains(K)) continue;
    Width += FAppearances[K]->RectWidth(GetFont()) + (FFullRect ? 0 : 2);
    ++Keys;
  }
  return Width + (Keys - 1) * Separator;
}

void TdxStatusBarKeyboardStatePanelStyle::DrawContent(TcxCanvas* Canvas, RECT R, TdxStatusBarPainterClass Painter) {
  TdxStatusBarPanelStyle::DrawContent(Canvas, R, Painter);
  TdxCustomStatusBar* Bar = GetStatusBar();
  if (!Bar) return;
  Canvas->AssignFontObject(GetFont());
  std::vector<TdxStatusBarKeyboardState> Keys;
  for (TdxStatusBarKeyboardState K : KeyOrder)
    if (FKeyboardStates.Contains(K)) Keys.push_back(K);
  const bool Designing = Bar->InDesignMode();
  for (size_t I = 0; I < Keys.size(); ++I) {
    TdxStatusBarKeyStateAppearance* A = FAppearances[Keys[I]].get();
    const bool Active = !Designing && StatusBarKeyToggled(A->GetCode());
    TColor Color = Active ? A->GetActiveFontColor() : A->GetInactiveFontColor();
    Painter->AdjustTextColor(Bar, Color, Active);
    AdjustTextColor(Color, Active);
    Canvas->FontObject()->SetColor(Color);
    const RECT Key{R.left, R.top, R.left + A->RectWidth(GetFont()) + (FFullRect ? 0 : 2), R.bottom};
    RECT Text = Key;
    if (!FFullRect) Painter->DrawPanelBorder(Bar, GetStatusBarPanel()->GetBevel(), Text, Canvas);
    Canvas->BrushObject()->SetStyle(bsClear);
    Canvas->DrawTextFlags(Active ? A->GetActiveCaption() : A->GetInactiveCaption(), Text,
                          cxAlignHCenter | cxAlignVCenter | cxSingleLine, Bar->GetEnabled());
    Canvas->BrushObject()->SetStyle(bsSolid);
    if (I + 1 < Keys.size()) R.left = Key.right + Painter->SeparatorWidth(Bar);
  }
}

SONVELT_PUBLISHED(TdxStatusBarKeyboardStatePanelStyle, P) {
  using S = TdxStatusBarKeyboardStatePanelStyle;
  P.Integer("Color", &S::GetColor, &S::SetColor).Idents(ColorToIdent, IdentToColor).Stored(&S::IsColorStored);
  P.Object("Font", &S::GetFont).Stored(&S::IsFontStored);
  P.Boolean("ParentFont", &S::GetParentFont, &S::SetParentFont).Default(true);
  P.Set("KeyboardStates", &S::GetKeyboardStates, &S::SetKeyboardStates,
        {"dxksCapsLock", "dxksNumLock", "dxksScrollLock", "dxksInsert"})
      .Default(dxksAll);
  P.Boolean("FullRect", &S::GetFullRect, &S::SetFullRect).Default(false);
  P.Object("CapsLockKeyAppearance", &S::GetCapsLockKeyAppearance);
  P.Object("NumLockKeyAppearance", &S::GetNumLockKeyAppearance);
  P.Object("ScrollLockKeyAppearance", &S::GetScrollLockKeyAppearance);
  P.Object("InsertKeyAppearance", &S::GetInsertKeyAppearance);
}
